// The scanner's command line.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

struct ScanOptions {
    enum class Action { kScan, kHelp, kVersion, kUsageError };
    Action action = Action::kScan;
    bool json = false;
    bool stats = false;  // the stage times, counts and peak memory on stderr
    std::vector<NativePath> folders;
    std::string error;  // for kUsageError: what is wrong, in one line
};

[[nodiscard]] ScanOptions ParseScanOptions(const std::vector<NativePath>& args);

extern const char* const kUsage;
extern const char* const kHelp;
