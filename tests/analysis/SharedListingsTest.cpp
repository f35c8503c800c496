#include <gtest/gtest.h>

#include <map>

#include "TestSupport.h"
#include "analysis/SearchCommand.h"
#include "analysis/SharedListings.h"

namespace {

struct SearchOutcome {
    std::array<Text, 4> captions;
    std::array<Text, 4> boxes;
    std::vector<NativePath> reads;
    int dispatches = 0;
};

SearchOutcome Search(FakeFileSystem& files, FileSystem& searched) {
    CreateResultStore();
    CountingMessagePump pump;
    FakeView view;
    view.folderBox = TestPath("/t");
    files.reads.clear();
    SearchCommand(view, Platform{searched, pump});
    ReleaseResultStore();
    return {view.captions, view.boxes, files.reads, pump.count};
}

void AddTree(FakeFileSystem& files) {
    files.AddFolder("/t");
    files.AddFile("/t/a.dgn", Fragment("[pathgate object]|3->4->|"));
    files.AddFile("/t/B.MAP", Fragment("[passive object]|1->2->3->4->|[monster]|77->x|||[/monster]|"));
    files.AddFolder("/t/x.act");  // a folder named like an act file
    files.AddFile("/t/x.act/in.act", Fragment("[CREATE PASSIVEOBJECT]||[INDEX]|9->|"));
    files.AddFolder("/t/locked");
    files.AddFile("/t/locked/l.dgn", Fragment("[pathgate object]|5->|"));
    files.RefuseListing("/t/locked");
    files.AddFile("/t/notes.txt", "");
    files.AddFolder("/t/deep");
    files.AddFolder("/t/deep/er");
    files.AddFile("/t/deep/er/c.map", Fragment("[special passive object]|5->6->7->8->9->|"));
}

TEST(SharedListings, SearchFindsTheSameListingEachFolderOnce) {
    FakeFileSystem files;
    AddTree(files);
    const SearchOutcome alone = Search(files, files);

    HookedFileSystem counted(files);
    std::map<NativePath, int> started;  // listings per folder
    counted.beforeListing = [&started](const NativePath& folder, std::string_view) { ++started[folder]; };
    SharedListings shared(counted);
    const SearchOutcome sharing = Search(files, shared);
    EXPECT_EQ(sharing.captions, alone.captions);
    EXPECT_EQ(sharing.boxes, alone.boxes);
    EXPECT_EQ(sharing.reads, alone.reads);
    EXPECT_EQ(sharing.dispatches, alone.dispatches);
    EXPECT_EQ(alone.boxes[0], "3\r\n4\r\n");  // the locked folder's door stays out

    const std::map<NativePath, int> once = {{TestPath("/t/"), 1},
                                            {TestPath("/t/x.act/"), 1},
                                            {TestPath("/t/locked/"), 1},
                                            {TestPath("/t/deep/"), 1},
                                            {TestPath("/t/deep/er/"), 1}};
    EXPECT_EQ(started, once);

    // Told to forget, the next search lists afresh.
    shared.Forget();
    started.clear();
    EXPECT_EQ(Search(files, shared).boxes, alone.boxes);
    EXPECT_EQ(started, once);
}

TEST(SharedListings, FiltersAsTheListingWouldHave) {
    FakeFileSystem files;
    AddTree(files);
    SharedListings shared(files);
    for (const char* pattern : {"*.*", "*.map", "*.act", "*.dgn", "*.txt", "b.*", "*"}) {
        std::vector<std::pair<NativePath, EntryKind>> direct, replayed;
        DirectoryEntry entry;
        for (auto listing = files.StartListing(TestPath("/t/"), pattern); listing->Next(entry);)
            direct.emplace_back(entry.name, entry.kind);
        for (auto listing = shared.StartListing(TestPath("/t/"), pattern); listing->Next(entry);)
            replayed.emplace_back(entry.name, entry.kind);
        EXPECT_EQ(replayed, direct) << pattern;
    }
    EXPECT_EQ(shared.StartListing(TestPath("/t/locked/"), "*.dgn"), nullptr);
    EXPECT_EQ(shared.StartListing(TestPath("/missing/"), "*.*"), nullptr);
}

// The tree changes under the search's first walk: a map removed before the second walk
// reads it gives nothing and takes nothing else with it; a folder made after its parent was
// listed is not walked by the later walks, which see the tree as the first visits found it.
TEST(SharedListings, TreeThatChangesDuringTheSearch) {
    FakeFileSystem files;
    AddTree(files);
    files.AddFile("/t/gone.map", Fragment("[monster]|66->x|||[/monster]|"));
    HookedFileSystem hooked(files);
    hooked.beforeRead = [&files](const NativePath& path) {
        if (path != TestPath("/t/a.dgn")) return;
        files.Remove("/t/gone.map");
        files.AddFolder("/t/late");
        files.AddFile("/t/late/new.act", Fragment("[CREATE PASSIVEOBJECT]||[INDEX]|8->|"));
    };
    SharedListings shared(hooked);
    const SearchOutcome sharing = Search(files, shared);
    EXPECT_EQ(sharing.boxes[2], "77\r\n");      // no 66
    EXPECT_EQ(sharing.boxes[3], "9\r\n");       // no 8
    EXPECT_EQ(sharing.boxes[0], "3\r\n4\r\n");  // the rest as ever
}

}  // namespace
