// The scanner as a whole: arguments in, report out, exit status back.
#pragma once

#include <vector>

#include "platform/Platform.h"

// Runs fathomlist-scan with the arguments after the program name; returns the exit status.
[[nodiscard]] int RunScanner(const std::vector<NativePath>& args);
