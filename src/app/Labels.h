// The labels: a window class of their own, so each draws its text in its own colour and
// layout, transparently on the window's face colour.
#pragma once

#include "app/MainWindow.h"

inline constexpr wchar_t kLabelClass[] = L"FathomlistLabel";

[[nodiscard]] bool RegisterLabelClass(HINSTANCE instance);

// How a label draws its text.
struct LabelLook {
    COLORREF color;
    UINT format;  // DrawText flags
};

[[nodiscard]] LabelLook LookOf(ControlId label);
