// The console as the scanner uses it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

// Whether standard error is a terminal, so that progress may be shown there.
[[nodiscard]] bool StandardErrorIsTerminal();

// A native path as UTF-8, for messages.
[[nodiscard]] std::string NativeToUtf8(const NativePath& path);

// The process's peak memory, for the scanner's --stats: the resident set's high-water mark
// (getrusage on Linux, the peak working set on Windows); 0 where the system keeps none.
[[nodiscard]] uint64_t PeakMemoryBytes();
