// Driving the real main window with messages, in this process, and the real program in
// another one.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "app/MainWindow.h"
#include "app/WindowView.h"

// Dispatches this thread's queued messages until none is left.
void PumpMessages();

// The keyboard state seen by GetKeyState: Ctrl, Shift and Alt held or not.
void HoldModifiers(bool ctrl, bool shift, bool alt);

// A key pressed in a control: its key-down, and the character it types, as the message
// loop would deliver them.
void PressKey(HWND control, WPARAM key, wchar_t typed = 0);

// A window made for one test over a fresh result store, destroyed at its end.
class WindowTest : public StoreTest {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Control(ControlId id) const { return ControlWindow(state, id); }
    std::wstring TextOf(ControlId id) const { return WindowText(Control(id)); }
    // A press of a button, handled at once.
    void Click(ControlId button);
    // A press of a button, queued for whoever dispatches messages next.
    void PostClick(ControlId button);

    MainWindowState state;
};

// A Linux path as the Windows program sees it under Wine (drive Z: is the root); a
// Windows path unchanged.
std::wstring WindowsPath(const std::string& path);
