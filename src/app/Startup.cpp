#include "app/Startup.h"

#include <ole2.h>

#include <algorithm>
#include <string>

#include "analysis/ResultStore.h"
#include "app/MainWindow.h"

namespace {

// The folder of the executable file: its path up to the last backslash (kept after a
// drive letter, since "C:" alone would mean the drive's current folder).
std::wstring RunDirectory() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {};
    std::wstring folder = path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

void RunMessageLoop(ProgramState& program, const MainWindowState& window) {
    program.loopStarted = true;
    if (window.destroyed) return;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

void InitRuntime(ProgramState& program) {
    program.oleInitialised = SUCCEEDED(OleInitialize(nullptr));
    const std::wstring folder = RunDirectory();
    if (!folder.empty()) SetCurrentDirectoryW(folder.c_str());
}

void RegisterExitRoutine(ProgramState& program, void (*routine)()) {
    auto& routines = program.exitRoutines;
    if (std::find(routines.begin(), routines.end(), routine) == routines.end()) routines.push_back(routine);
}

int StartProgram(ProgramState& program) {
    InitRuntime(program);
    CreateResultStore();
    RegisterExitRoutine(program, ReleaseResultStore);
    // The window's state outlives the window, which a running search may see go: the loop
    // ends only after every handler, and so every search, has returned.
    MainWindowState window;
    window.onDestroyed = [&program] {
        if (program.loopStarted) PostQuitMessage(0);
    };
    if (!CreateMainWindow(window)) FatalError(L"The main window could not be created.");
    ShowWindow(window.window, SW_SHOWNORMAL);
    UpdateWindow(window.window);
    RunMessageLoop(program, window);
    return 0;
}

void EndProgram(ProgramState& program, int exitCode) {
    for (void (*routine)() : program.exitRoutines) routine();
    program.exitRoutines.clear();
    if (program.oleInitialised) OleUninitialize();
    ExitProcess(static_cast<UINT>(exitCode));
}

void FatalError(const wchar_t* message) {
    MessageBoxW(nullptr, message, L"Fathomlist", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(static_cast<UINT>(-1));
}
