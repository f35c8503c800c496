#include "cli/Progress.h"

#include <cstdio>

namespace {
constexpr auto kInterval = std::chrono::milliseconds(100);
}

ProgressFileSystem::~ProgressFileSystem() { Clear(); }

std::unique_ptr<DirectoryListing> ProgressFileSystem::StartListing(const NativePath& folder,
                                                                   std::string_view pattern) {
    if (pattern != "*.*" && pattern != pattern_) {
        pattern_ = pattern;
        Show(true);
    }
    return inner_.StartListing(folder, pattern);
}

ByteData ProgressFileSystem::ReadWholeFile(const NativePath& path) {
    ++filesRead_;
    Show(false);
    return inner_.ReadWholeFile(path);
}

void ProgressFileSystem::Show(bool force) {
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - lastShown_ < kInterval) return;
    lastShown_ = now;
    std::fprintf(stderr, "\r\033[Ksearching %s: %ld files read", pattern_.c_str(), filesRead_);
    std::fflush(stderr);
    shown_ = true;
}

void ProgressFileSystem::Clear() {
    if (!shown_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    shown_ = false;
}
