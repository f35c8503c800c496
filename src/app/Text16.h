// Text at the boundary of the controls: the window shows UTF-16, the system works in code
// page 936.
#pragma once

#include <string>

#include "readers/CodePage.h"

inline std::wstring WideFromText(std::string_view text) {
    const std::u16string utf16 = TextToUtf16(text);
    return std::wstring(utf16.begin(), utf16.end());
}
