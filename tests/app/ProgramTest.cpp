// fathomlist.exe as a process: started, driven from outside through its window, ended.
#include <filesystem>

#include "WindowTestSupport.h"

namespace {

constexpr DWORD kPatience = 20000;  // milliseconds; Wine may be slow to start a process

struct Program {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

struct FindData {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM data) {
    auto& find = *reinterpret_cast<FindData*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == find.processId && WindowText(window) == kWindowTitle) {
        find.found = window;
        return FALSE;
    }
    return TRUE;
}

// Starts the program with currentFolder as its current directory and waits for its window.
Program Start(const std::wstring& exe, const std::wstring& currentFolder) {
    Program program;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, currentFolder.c_str(),
                        &startup, &program.process))
        return program;
    WaitForInputIdle(program.process.hProcess, kPatience);
    for (DWORD waited = 0; !program.window && waited < kPatience; waited += 50) {
        FindData find{program.process.dwProcessId, nullptr};
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&find));
        program.window = find.found;
        if (!program.window) Sleep(50);
    }
    return program;
}

// The exit code once the process has ended, or STILL_ACTIVE after waiting in vain.
DWORD ExitCodeOf(Program& program) {
    WaitForSingleObject(program.process.hProcess, kPatience);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(program.process.hProcess, &code);
    if (code == STILL_ACTIVE) TerminateProcess(program.process.hProcess, 99);
    CloseHandle(program.process.hThread);
    CloseHandle(program.process.hProcess);
    return code;
}

std::wstring RemoteText(HWND window) {
    wchar_t text[512] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, kPatience, &ignored);
    return text;
}

HWND ControlOf(const Program& program, ControlId id) { return GetDlgItem(program.window, static_cast<int>(id)); }

void PostClick(const Program& program, ControlId button) {
    PostMessageW(program.window, WM_COMMAND, MAKEWPARAM(static_cast<int>(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(ControlOf(program, button)));
}

std::wstring AppExe() { return WindowsPath(FATHOMLIST_APP_EXE); }

TEST(Program, EscClosesAndTheExitCodeIsZero) {
    TempTree tree;
    Program program = Start(AppExe(), tree.Path());
    ASSERT_NE(program.window, nullptr);
    PostMessageW(ControlOf(program, ControlId::编辑框2), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(ExitCodeOf(program), 0u);
}

TEST(Program, RelativeFolderIsTakenFromTheExecutablesFolder) {
    TempTree tree;
    tree.Write("app/data/a.dgn", "[pathgate object]\r\n42\t\r\n");
    tree.MakeFolder("elsewhere");
    const std::filesystem::path exe = std::filesystem::path(tree.Path("app")) / L"fathomlist.exe";
    std::filesystem::copy_file(std::filesystem::path(AppExe()), exe);
    Program program = Start(exe.native(), tree.Path("elsewhere"));
    ASSERT_NE(program.window, nullptr);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(ControlOf(program, ControlId::编辑框1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"data"),
                        SMTO_BLOCK, kPatience, &ignored);
    PostClick(program, ControlId::按钮1);
    std::wstring caption;
    for (DWORD waited = 0; waited < kPatience && caption != L"门的obj有1个"; waited += 50) {
        Sleep(50);
        caption = RemoteText(ControlOf(program, ControlId::标签2));
    }
    EXPECT_EQ(caption, L"门的obj有1个");
    EXPECT_EQ(RemoteText(ControlOf(program, ControlId::编辑框2)), L"42\r\n");
    PostMessageW(program.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeOf(program), 0u);
}

TEST(Program, ClosingDuringASearchStillEndsWithZero) {
    TempTree tree;
    for (int i = 0; i < 20; ++i) tree.Write("t/f" + std::to_string(i) + "/a.dgn", "[pathgate object]\r\n1\t\r\n");
    Program program = Start(AppExe(), tree.Path());
    ASSERT_NE(program.window, nullptr);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(ControlOf(program, ControlId::编辑框1), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(tree.Path("t").c_str()), SMTO_BLOCK, kPatience, &ignored);
    PostClick(program, ControlId::按钮1);
    PostMessageW(program.window, WM_CLOSE, 0, 0);  // reaches the window inside the search
    EXPECT_EQ(ExitCodeOf(program), 0u);
}

}  // namespace
