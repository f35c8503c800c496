// Progress on a terminal while the scanner searches: the pattern being walked and the
// files read so far, on one line of standard error that is rewritten in place.
//
// It stands between the search and the real file system, so the walk and the readers know
// nothing of it.
#pragma once

#include <chrono>
#include <string>

#include "platform/Platform.h"

class ProgressFileSystem final : public FileSystem {
public:
    explicit ProgressFileSystem(FileSystem& inner) : inner_(inner) {}
    ~ProgressFileSystem() override;

    std::unique_ptr<DirectoryListing> StartListing(const NativePath& folder, std::string_view pattern) override;
    std::string ListingError(const NativePath& folder) override { return inner_.ListingError(folder); }
    ByteData ReadWholeFile(const NativePath& path) override;
    void WillRead(const std::vector<NativePath>& paths) override { inner_.WillRead(paths); }

    // Clears the progress line, so that what follows starts on a clean line.
    void Clear();

private:
    void Show(bool force);

    FileSystem& inner_;
    std::string pattern_;
    long filesRead_ = 0;
    bool shown_ = false;
    std::chrono::steady_clock::time_point lastShown_{};
};
