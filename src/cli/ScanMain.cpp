#include "cli/ScanMain.h"

#include <cstdio>
#include <optional>

#include "analysis/ResultStore.h"
#include "analysis/SearchCommand.h"
#include "analysis/SharedListings.h"
#include "cli/Progress.h"
#include "cli/Report.h"
#include "cli/ScanOptions.h"
#include "cli/ScanView.h"
#include "cli/Stats.h"
#include "platform/Console.h"
#include "platform/ReadAhead.h"

namespace {

void Write(const std::string& text, std::FILE* stream) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

// Searches every folder over one store, as presses of the search button would, each search
// with listings of its own. Returns whether every folder could be listed. With stats, every
// file system call passes through it before the progress line's, so that the progress
// line's own time stays out of read.
bool SearchAll(const ScanOptions& options, ScanView& view, SharedListings& shared, StatsFileSystem* stats) {
    FileSystem& system = stats ? static_cast<FileSystem&>(*stats) : shared;
    std::optional<ProgressFileSystem> progress;
    if (StandardErrorIsTerminal()) progress.emplace(system);
    FileSystem& files = progress ? static_cast<FileSystem&>(*progress) : system;
    const Platform platform{files, SystemMessagePump(), stats};

    bool allListed = true;
    for (const NativePath& folder : options.folders) {
        view.folder = folder;
        shared.Forget();
        SearchCommand(view, platform);
        NativePath listed = folder;
        if (listed.back() != kPathSeparator) listed.push_back(kPathSeparator);
        const std::string reason = system.ListingError(listed);
        if (!reason.empty()) {
            if (progress) progress->Clear();
            Write("fathomlist-scan: cannot list folder '" + NativeToUtf8(folder) + "': " + reason + "\n", stderr);
            allListed = false;
        }
    }
    return allListed;
}

}  // namespace

int RunScanner(const std::vector<NativePath>& args) {
    const ScanOptions options = ParseScanOptions(args);
    switch (options.action) {
        case ScanOptions::Action::kHelp: Write(kHelp, stdout); return 0;
        case ScanOptions::Action::kVersion: Write("fathomlist-scan " FATHOMLIST_VERSION "\n", stdout); return 0;
        case ScanOptions::Action::kUsageError:
            Write("fathomlist-scan: " + options.error + "\n" + kUsage, stderr);
            return 2;
        case ScanOptions::Action::kScan: break;
    }
    StageClock clock;
    ReadAheadFileSystem readAhead(SystemFileSystem());
    SharedListings shared(readAhead);
    std::optional<StatsFileSystem> stats;
    if (options.stats) {
        stats.emplace(shared, clock);
    }
    CreateResultStore();
    ScanView view;
    const bool allListed = SearchAll(options, view, shared, stats ? &*stats : nullptr);
    const ScanReport report{view.captions, Results()};
    Write(options.json ? FormatJson(report) : FormatListing(report), stdout);
    clock.Switch(ScanStage::kPrint);  // the end of the scan: releasing the store is not part of it
    ReleaseResultStore();
    if (stats) {
        Write(FormatStats(clock, stats->Counts(), PeakMemoryBytes(), options.json), stderr);
    }
    return allListed ? 0 : 1;
}
