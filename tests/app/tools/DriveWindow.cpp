// fathomlist-drive: presses search in a running Fathomlist window from outside, as a user
// would: the folder into the folder box, a click on the search button, then waits until the
// door caption shows a count. For screenshots and demonstrations.
//   fathomlist-drive FOLDER
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/Controls.h"

namespace {

HWND FindProgramWindow() {
    for (int tries = 0; tries < 200; ++tries) {
        if (HWND window = FindWindowW(nullptr, kWindowTitle)) return window;
        Sleep(100);
    }
    return nullptr;
}

std::wstring CaptionOf(HWND control) {
    wchar_t text[256] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, &ignored);
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: fathomlist-drive FOLDER\n", stderr);
        return 2;
    }
    const HWND window = FindProgramWindow();
    if (!window) {
        std::fputs("fathomlist-drive: no Fathomlist window\n", stderr);
        return 1;
    }
    const HWND folderBox = GetDlgItem(window, static_cast<int>(ControlId::编辑框1));
    const HWND search = GetDlgItem(window, static_cast<int>(ControlId::按钮1));
    const HWND doors = GetDlgItem(window, static_cast<int>(ControlId::标签2));
    const std::wstring before = CaptionOf(doors);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(folderBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[1]), SMTO_BLOCK, 5000, &ignored);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(static_cast<int>(ControlId::按钮1), BN_CLICKED),
                 reinterpret_cast<LPARAM>(search));
    for (int tries = 0; tries < 600 && CaptionOf(doors) == before; ++tries) Sleep(100);
    return CaptionOf(doors) == before ? 1 : 0;
}
