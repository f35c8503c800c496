#include "cli/Stats.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "analysis/ResultStore.h"

namespace {

constexpr const char* kStageNames[] = {"walk", "read", "convert", "extract", "deduplicate", "print"};
static_assert(std::size(kStageNames) == static_cast<size_t>(ScanStage::kCount));

// What the four lists hold: their arrays and the bytes of entries too long to sit inside
// their own string object.
uint64_t StoreBytes(const ResultStore& store) {
    uint64_t bytes = 0;
    for (const TextList* list :
         {&store.DoorObjectList, &store.PassiveObjectList, &store.MonsterList, &store.ActObjectList}) {
        bytes += list->capacity() * sizeof(Text);
        for (const Text& entry : *list) {
            if (entry.capacity() > Text().capacity()) bytes += entry.capacity() + 1;
        }
    }
    return bytes;
}

std::string Megabytes(uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", double(bytes) / (1024.0 * 1024.0));
    return text;
}

}  // namespace

StageClock::StageClock() : since_(Clock::now()) {}

void StageClock::Switch(ScanStage next) {
    const Clock::time_point now = Clock::now();
    spent_[static_cast<size_t>(running_)] += now - since_;
    since_ = now;
    running_ = next;
}

void StageClock::Discard() {
    since_ = Clock::now();
}

double StageClock::Seconds(ScanStage stage) const {
    return std::chrono::duration<double>(spent_[static_cast<size_t>(stage)]).count();
}

double StageClock::TotalSeconds() const {
    double total = 0;
    for (size_t i = 0; i < spent_.size(); ++i)
        total += Seconds(static_cast<ScanStage>(i));
    return total;
}

std::unique_ptr<DirectoryListing> StatsFileSystem::StartListing(const NativePath& folder,
                                                                std::string_view pattern) {
    clock_.Switch(ScanStage::kWalk);
    ++counts_.listings;
    // The walk lists a folder's files by the search's pattern first, its sub-folders by "*.*"
    // after: the first kind of listing counts the visits.
    if (pattern != "*.*") ++counts_.folders;
    // The walk takes a listing's entries in one go and closes it before anything else, so
    // its calls need no clock of their own: everything up to the next event is walk.
    return inner_.StartListing(folder, pattern);
}

std::string StatsFileSystem::ListingError(const NativePath& folder) {
    clock_.Switch(ScanStage::kWalk);
    return inner_.ListingError(folder);
}

// The bytes go to the reader, which converts them before anything else.
ByteData StatsFileSystem::ReadWholeFile(const NativePath& path) {
    clock_.Switch(ScanStage::kRead);
    ByteData data = inner_.ReadWholeFile(path);
    ++counts_.filesRead;
    counts_.bytesRead += data.size();
    clock_.Switch(ScanStage::kConvert);
    return data;
}

void StatsFileSystem::StageBegins(SearchStage stage) {
    switch (stage) {
        case SearchStage::kExtract:
            clock_.Switch(ScanStage::kExtract);
            break;
        case SearchStage::kDeduplicate:
            clock_.Switch(ScanStage::kDeduplicate);
            // The time spent measuring the store belongs to no stage of the search.
            counts_.storeBytes = std::max(counts_.storeBytes, StoreBytes(Results()));
            clock_.Discard();
            break;
        case SearchStage::kShow:
            clock_.Switch(ScanStage::kPrint);
            break;
    }
}

std::string FormatStats(const StageClock& clock, const ScanCounts& counts, uint64_t peakMemory, bool json) {
    char line[160];
    std::string out;
    if (json) {
        out = "{";
        for (size_t i = 0; i < std::size(kStageNames); ++i) {
            std::snprintf(line, sizeof line, "\"%s_seconds\": %.6f, ", kStageNames[i],
                          clock.Seconds(static_cast<ScanStage>(i)));
            out += line;
        }
        std::snprintf(line, sizeof line,
                      "\"total_seconds\": %.6f, \"folders\": %ld, \"listings\": %ld, \"files_read\": %ld, "
                      "\"bytes_read\": %llu, ",
                      clock.TotalSeconds(), counts.folders, counts.listings, counts.filesRead,
                      static_cast<unsigned long long>(counts.bytesRead));
        out += line;
        std::snprintf(line, sizeof line, "\"peak_memory_bytes\": %llu, \"result_store_bytes\": %llu}\n",
                      static_cast<unsigned long long>(peakMemory),
                      static_cast<unsigned long long>(counts.storeBytes));
        return out + line;
    }
    out = "fathomlist-scan: stats\n";
    for (size_t i = 0; i < std::size(kStageNames); ++i) {
        std::snprintf(line, sizeof line, "  %-12s %9.3f s\n", kStageNames[i],
                      clock.Seconds(static_cast<ScanStage>(i)));
        out += line;
    }
    std::snprintf(line, sizeof line, "  %-12s %9.3f s\n", "total", clock.TotalSeconds());
    out += line;
    std::snprintf(line, sizeof line, "  folders      %ld visits, %ld listings\n", counts.folders,
                  counts.listings);
    out += line;
    std::snprintf(line, sizeof line, "  files read   %ld, %llu bytes\n", counts.filesRead,
                  static_cast<unsigned long long>(counts.bytesRead));
    out += line;
    out += "  peak memory  " + (peakMemory ? Megabytes(peakMemory) : std::string("not measured here")) +
           " (the result store at its largest: " + Megabytes(counts.storeBytes) + ")\n";
    return out;
}
