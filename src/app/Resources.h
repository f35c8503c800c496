// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDI_FATHOMLIST 101

#ifndef RC_INVOKED
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// The application's icon at the system's large or small icon size; null when the
// executable has none (the test programs).
inline HICON LoadApplicationIcon(HINSTANCE instance, bool small) {
    const int size = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_FATHOMLIST), IMAGE_ICON, size, size, 0));
}
#endif
