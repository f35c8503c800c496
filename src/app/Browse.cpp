// The browse button and the platform's folder browser.
#include <shlobj.h>

#include <string>
#include <vector>

#include "app/MainWindow.h"

namespace {

struct WindowStates {
    std::vector<std::pair<HWND, bool>> enabled;  // every top-level window and whether it was enabled
    HWND foreground = nullptr;
    HWND active = nullptr;
};

BOOL CALLBACK RecordWindow(HWND window, LPARAM data) {
    reinterpret_cast<WindowStates*>(data)->enabled.emplace_back(window, IsWindowEnabled(window) != FALSE);
    return TRUE;
}

// The browser is modal for the whole application: every top-level window of the thread is
// disabled while it is open, and afterwards gets back its state, with the foreground and
// active windows as they were.
WindowStates DisableApplication() {
    WindowStates states;
    states.foreground = GetForegroundWindow();
    states.active = GetActiveWindow();
    EnumThreadWindows(GetCurrentThreadId(), RecordWindow, reinterpret_cast<LPARAM>(&states));
    for (const auto& [window, enabled] : states.enabled) EnableWindow(window, FALSE);
    return states;
}

void RestoreApplication(const WindowStates& states) {
    for (const auto& [window, enabled] : states.enabled) {
        if (IsWindow(window)) EnableWindow(window, enabled);
    }
    if (states.foreground && IsWindow(states.foreground)) SetForegroundWindow(states.foreground);
    if (states.active && IsWindow(states.active)) SetActiveWindow(states.active);
}

// The folder the user confirmed, or empty: cancelled, an item without a file-system path,
// an empty path.
std::wstring AskForFolder(HWND owner) {
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = L"打开文件夹";
    browse.ulFlags = BIF_EDITBOX;
    const WindowStates states = DisableApplication();
    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse);
    RestoreApplication(states);
    if (!item) return {};
    std::wstring path(MAX_PATH, L'\0');
    if (!SHGetPathFromIDListW(item, path.data())) path.clear();
    path.resize(wcslen(path.c_str()));
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
        allocator->Free(item);
        allocator->Release();
    }
    return path;
}

}  // namespace

void BrowseCommand(MainWindowState& state) {
    const std::wstring folder = AskForFolder(GetActiveWindow());
    // Always written: a cancelled browser empties the folder box.
    if (!state.destroyed) SetWindowTextW(ControlWindow(state, ControlId::编辑框1), folder.c_str());
}
