// The console as the scanner uses it.
#pragma once

#include <string>

#include "platform/Platform.h"

// Whether standard error is a terminal, so that progress may be shown there.
[[nodiscard]] bool StandardErrorIsTerminal();

// A native path as UTF-8, for messages.
[[nodiscard]] std::string NativeToUtf8(const NativePath& path);
