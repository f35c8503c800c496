#include "analysis/SharedListings.h"

#include "platform/Wildcard.h"

namespace {

// A listing replayed from the entries of the folder's first listing.
class SharedListing final : public DirectoryListing {
  public:
    SharedListing(std::shared_ptr<const std::vector<DirectoryEntry>> entries, NativePath pattern)
        : entries_(std::move(entries)), pattern_(std::move(pattern)) {}

    bool Next(DirectoryEntry& entry) override {
        while (next_ < entries_->size()) {
            const DirectoryEntry& candidate = (*entries_)[next_++];
            if (MatchesWildcard(candidate.name, pattern_)) {
                entry = candidate;
                return true;
            }
        }
        return false;
    }

  private:
    std::shared_ptr<const std::vector<DirectoryEntry>> entries_;
    NativePath pattern_;
    size_t next_ = 0;
};

}  // namespace

std::shared_ptr<const SharedListings::Entries> SharedListings::EntriesOf(const NativePath& folder) {
    if (const auto known = folders_.find(folder); known != folders_.end()) return known->second;
    std::shared_ptr<Entries> entries;
    if (auto listing = inner_.StartListing(folder, "*.*")) {
        entries = std::make_shared<Entries>();
        for (DirectoryEntry entry; listing->Next(entry);)
            entries->push_back(std::move(entry));
    }
    folders_.emplace(folder, entries);
    return entries;
}

std::unique_ptr<DirectoryListing> SharedListings::StartListing(const NativePath& folder,
                                                               std::string_view pattern) {
    std::shared_ptr<const Entries> entries = EntriesOf(folder);
    if (!entries) return nullptr;
    return std::make_unique<SharedListing>(std::move(entries), NativeFromAscii(pattern));
}
