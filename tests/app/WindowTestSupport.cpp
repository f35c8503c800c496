#include "WindowTestSupport.h"

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void HoldModifiers(bool ctrl, bool shift, bool alt) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    auto set = [&keys](int key, bool down) { keys[key] = down ? 0x80 : 0; };
    set(VK_CONTROL, ctrl), set(VK_LCONTROL, ctrl);
    set(VK_SHIFT, shift), set(VK_LSHIFT, shift);
    set(VK_MENU, alt), set(VK_LMENU, alt);
    SetKeyboardState(keys);
}

void PressKey(HWND control, WPARAM key, wchar_t typed) {
    SendMessageW(control, WM_KEYDOWN, key, 1);
    if (typed) SendMessageW(control, WM_CHAR, typed, 1);
    SendMessageW(control, WM_KEYUP, key, 1 | (3u << 30));
}

void WindowTest::SetUp() {
    StoreTest::SetUp();
    HoldModifiers(false, false, false);
    ASSERT_TRUE(CreateMainWindow(state));
    ShowWindow(state.window, SW_SHOWNORMAL);
    UpdateWindow(state.window);
    PumpMessages();
}

void WindowTest::TearDown() {
    HoldModifiers(false, false, false);
    if (!state.destroyed) DestroyWindow(state.window);
    PumpMessages();
    StoreTest::TearDown();
}

void WindowTest::Click(ControlId button) {
    SendMessageW(state.window, WM_COMMAND, MAKEWPARAM(static_cast<int>(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(button)));
}

void WindowTest::PostClick(ControlId button) {
    PostMessageW(state.window, WM_COMMAND, MAKEWPARAM(static_cast<int>(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(button)));
}

std::wstring WindowsPath(const std::string& path) {
    std::wstring wide(path.begin(), path.end());
    if (wide.empty() || wide[0] != L'/') return wide;
    for (wchar_t& c : wide) {
        if (c == L'/') c = L'\\';
    }
    return L"Z:" + wide;
}
