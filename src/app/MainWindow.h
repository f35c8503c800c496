// The main window: the folder box, the browse and search buttons, the instruction label
// and the four captioned list boxes.
//
// Its state lives in one MainWindowState that the caller owns and that outlives the
// window: a search running inside a click handler may see the window destroyed under it
// (the close arrives among the messages it dispatches) and must still find the state.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <array>
#include <functional>

#include "app/Controls.h"

struct MainWindowState {
    HWND window = nullptr;
    std::array<HWND, kControlCount> controls{};
    HWND focus = nullptr;               // the control that gets the focus when the window is activated
    bool destroyed = false;             // set once the window is gone
    std::function<void()> onDestroyed;  // start-up's rule for the last window
};

// Registers the window classes, then creates the window with its controls and initial
// texts, centred on the screen, not yet shown. False when it cannot be created.
[[nodiscard]] bool CreateMainWindow(MainWindowState& state);

// The control's window.
[[nodiscard]] HWND ControlWindow(const MainWindowState& state, ControlId id);

// The key-down handler of the four list boxes: Ctrl+A (and no other modifier) selects the
// box's whole text. modifiers: 1 Ctrl, 2 Shift, 4 Alt, added up.
void ListKeyDown(HWND box, int keyCode, int modifiers);

// The browse button: the folder browser's choice, or the empty text, into the folder box.
void BrowseCommand(MainWindowState& state);
