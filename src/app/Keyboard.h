// The window's keyboard: every key-down is offered to the window first (Tab, Shift+Tab,
// Esc, Enter), then to a list box's ListKeyDown, then to the control itself. The controls
// are subclassed so this holds whatever loop dispatches the key, the main loop or a
// search's dispatch point.
#pragma once

#include "app/MainWindow.h"

// Hooks the control's keys into the window's handling.
void InstallKeyHandling(MainWindowState& state, HWND control);

// Handles a key that the main window itself receives, when no control has the focus.
// Returns whether the key was taken.
bool HandleWindowKey(MainWindowState& state, HWND from, WPARAM key);
