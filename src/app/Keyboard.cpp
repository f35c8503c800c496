#include "app/Keyboard.h"

#include <commctrl.h>

#include <iterator>

namespace {

constexpr UINT_PTR kKeySubclass = 1;

ControlId IdOf(HWND control) { return static_cast<ControlId>(GetDlgCtrlID(control)); }

bool IsListBox(ControlId id) {
    return id == ControlId::编辑框2 || id == ControlId::编辑框3 || id == ControlId::编辑框4 || id == ControlId::编辑框5;
}

bool IsDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

int ModifierState() {
    return (IsDown(VK_CONTROL) ? 1 : 0) + (IsDown(VK_SHIFT) ? 2 : 0) + (IsDown(VK_MENU) ? 4 : 0);
}

// The control after (or before) from in the focus order; the first one when from is none.
HWND NextInFocusOrder(const MainWindowState& state, HWND from, bool backwards) {
    const size_t count = std::size(kFocusOrder);
    size_t at = backwards ? 0 : count - 1;  // so that a step lands on the first (or last)
    for (size_t i = 0; i < count; ++i) {
        if (ControlWindow(state, kFocusOrder[i]) == from) at = i;
    }
    const size_t next = backwards ? (at + count - 1) % count : (at + 1) % count;
    return ControlWindow(state, kFocusOrder[next]);
}

// Characters that the window took as keys must not reach the control either.
bool SwallowsChar(ControlId id, WPARAM character) {
    if (character == L'\t' || character == 0x1B) return true;
    return character == L'\r' && !IsListBox(id);
}

LRESULT CALLBACK KeyProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& state = *reinterpret_cast<MainWindowState*>(data);
    const ControlId id = IdOf(control);
    switch (message) {
        case WM_KEYDOWN:
            if (HandleWindowKey(state, control, wParam)) return 0;
            if (IsListBox(id)) ListKeyDown(control, static_cast<int>(wParam), ModifierState());
            break;
        case WM_CHAR:
            if (SwallowsChar(id, wParam)) return 0;
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(control, KeyProc, kKeySubclass); break;
        default: break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void InstallKeyHandling(MainWindowState& state, HWND control) {
    SetWindowSubclass(control, KeyProc, kKeySubclass, reinterpret_cast<DWORD_PTR>(&state));
}

bool HandleWindowKey(MainWindowState& state, HWND from, WPARAM key) {
    switch (key) {
        case VK_TAB: SetFocus(NextInFocusOrder(state, from, IsDown(VK_SHIFT))); return true;
        case VK_ESCAPE: PostMessageW(state.window, WM_CLOSE, 0, 0); return true;
        case VK_RETURN: return from == state.window || !IsListBox(IdOf(from));
        default: return false;
    }
}

void ListKeyDown(HWND box, int keyCode, int modifiers) {
    if (keyCode == 'A' && modifiers == 1) SendMessageW(box, EM_SETSEL, 0, -1);
}
