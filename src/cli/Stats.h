// The scanner's --stats: where a scan's time goes, stage by stage, with the counts and the
// peak memory, for standard error.
//
// The core holds no timing code. The figures come from two vantage points:
// - StatsFileSystem stands between the search and the file system, as the progress line
//   does: a listing starts walk time, every whole-file read is read time (with the reads
//   done ahead on the second thread, the time the search waits for a file), and it counts
//   the folders, files and bytes;
// - the core's stage marks (readers/StageMarks.h) say when a file's text is converted and
//   when the lists' de-duplication begins and ends.
// A clock charges the time since the last of these events to the stage that was running,
// so the stages add up to the whole scan: the time between a read's end and the "text is
// ready" mark is conversion; from that mark to the next file system call, extraction
// (sections, the regular expressions and the splitting, with what the reader appends to
// the store); the few steps of the walk between two listing calls count as walk. What
// follows the last mark (showing the lists, formatting and writing the report) is print.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "readers/StageMarks.h"

enum class ScanStage { kWalk, kRead, kConvert, kExtract, kDeduplicate, kPrint, kCount };

class StageClock {
  public:
    StageClock();
    // Charges the time since the last switch to the running stage; next runs from now on.
    void Switch(ScanStage next);
    // Leaves the time since the last switch out of every stage.
    void Discard();
    [[nodiscard]] double Seconds(ScanStage stage) const;
    [[nodiscard]] double TotalSeconds() const;

  private:
    using Clock = std::chrono::steady_clock;
    ScanStage running_ = ScanStage::kWalk;
    Clock::time_point since_;
    std::array<Clock::duration, static_cast<size_t>(ScanStage::kCount)> spent_{};
};

struct ScanCounts {
    long folders = 0;   // folder visits: a folder is visited once by each of the three walks
    long listings = 0;  // listings started (a visit lists the files, then the sub-folders)
    long filesRead = 0;
    uint64_t bytesRead = 0;
    uint64_t storeBytes = 0;  // the result store at its largest, just before de-duplication
};

class StatsFileSystem final : public FileSystem, public StageObserver {
  public:
    StatsFileSystem(FileSystem& inner, StageClock& clock) : inner_(inner), clock_(clock) {}

    std::unique_ptr<DirectoryListing> StartListing(const NativePath& folder,
                                                   std::string_view pattern) override;
    std::string ListingError(const NativePath& folder) override;
    ByteData ReadWholeFile(const NativePath& path) override;
    void WillRead(const std::vector<NativePath>& paths) override { inner_.WillRead(paths); }

    void StageBegins(SearchStage stage) override;

    [[nodiscard]] const ScanCounts& Counts() const { return counts_; }

  private:
    FileSystem& inner_;
    StageClock& clock_;
    ScanCounts counts_;
};


// The figures as lines for people, or as one JSON object when json.
[[nodiscard]] std::string FormatStats(const StageClock& clock, const ScanCounts& counts, uint64_t peakMemory,
                                      bool json);
