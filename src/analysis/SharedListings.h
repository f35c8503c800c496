// One search's folder listings, shared by its three walks.
//
// A search walks the same tree three times, and every visit lists its folder twice (the
// files of the walk's pattern, then the sub-folders). Standing in front of the real file
// system for one search, this lists each folder once, at its first visit, and answers every
// later listing of it from what that listing gave, filtered by the wildcard as the platform
// filters. A folder that could not be listed stays unlistable for the rest of the search.
//
// Made afresh for every search (a second search, even one nested in the first, makes its
// own), or told to forget between searches, so a search sees the tree as its first visit
// of each folder found it.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/Platform.h"

class SharedListings final : public FileSystem {
  public:
    explicit SharedListings(FileSystem& inner) : inner_(inner) {}

    std::unique_ptr<DirectoryListing> StartListing(const NativePath& folder,
                                                   std::string_view pattern) override;
    std::string ListingError(const NativePath& folder) override { return inner_.ListingError(folder); }
    ByteData ReadWholeFile(const NativePath& path) override { return inner_.ReadWholeFile(path); }
    void WillRead(const std::vector<NativePath>& paths) override { inner_.WillRead(paths); }

    // Drops every listing kept: the next search lists its folders afresh.
    void Forget() { folders_.clear(); }

  private:
    using Entries = std::vector<DirectoryEntry>;
    // Every entry of the folder in the platform's order; nullptr when it cannot be listed.
    std::shared_ptr<const Entries> EntriesOf(const NativePath& folder);

    FileSystem& inner_;
    std::unordered_map<NativePath, std::shared_ptr<const Entries>> folders_;
};
