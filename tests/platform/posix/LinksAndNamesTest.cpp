// Linux listings: links and names that code page 936 cannot express.
#include <gtest/gtest.h>
#include <unistd.h>

#include "TestSupport.h"
#include "analysis/FolderWalk.h"
#include "platform/Wildcard.h"

namespace {

TEST(PosixListing, FolderLinksAreNotEnteredOtherLinksAreFiles) {
    TempTree tree;
    tree.Write("real/r.map", "data");
    ASSERT_EQ(symlink(tree.Path("real").c_str(), tree.Path("real/loop").c_str()), 0);
    ASSERT_EQ(symlink(tree.Path("real").c_str(), tree.Path("dirlink.map").c_str()), 0);
    ASSERT_EQ(symlink(tree.Path("real/r.map").c_str(), tree.Path("filelink.map").c_str()), 0);
    ASSERT_EQ(symlink(tree.Path("gone").c_str(), tree.Path("broken.map").c_str()), 0);
    const std::vector<NativePath> expected{tree.Path("broken.map"), tree.Path("filelink.map"),
                                           tree.Path("real/r.map")};
    EXPECT_EQ(WalkSorted(tree.Path(), "*.map"), expected);
    EXPECT_EQ(SystemFileSystem().ReadWholeFile(tree.Path("filelink.map")), "data");
    EXPECT_EQ(SystemFileSystem().ReadWholeFile(tree.Path("broken.map")), "");
}

TEST(PosixListing, NamesOutsideCodePage936AreReadAsAnyOther) {
    TempTree tree;
    const std::string hangul = "\xED\x95\x9C";  // a Hangul syllable, which code page 936 lacks
    tree.Write(hangul + "/" + hangul + ".dgn", "x");
    const auto seen = WalkSorted(tree.Path(), "*.dgn");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(SystemFileSystem().ReadWholeFile(seen[0]), "x");
}

TEST(PosixListing, NamedPipeReadsAsEmptyWithoutBlocking) {
    TempTree tree;
    ASSERT_EQ(mkfifo(tree.Path("pipe.map").c_str(), 0600), 0);
    EXPECT_EQ(SystemFileSystem().ReadWholeFile(tree.Path("pipe.map")), "");
}

TEST(PosixListing, ListingErrorNamesTheReason) {
    TempTree tree;
    tree.Write("file", "");
    EXPECT_EQ(SystemFileSystem().ListingError(tree.Path() + "/"), "");
    EXPECT_NE(SystemFileSystem().ListingError(tree.Path("missing/")), "");
    EXPECT_NE(SystemFileSystem().ListingError(tree.Path("file/")), "");
}

TEST(Wildcard, WholeNameAnyCase) {
    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"a.dgn", "*.dgn", true},     {"A.DGN", "*.dgn", true},  {"a.dgnx", "*.dgn", false},
        {"a.dgn.bak", "*.dgn", false}, {".dgn", "*.dgn", true},  {"dgn", "*.dgn", false},
        {"noext", "*.*", true},       {"a.b", "*.*", true},      {"a.map", "?.map", true},
        {"ab.map", "?.map", false},   {"x.d.dgn", "*.dgn", true}, {"\xE4\xB8\xAD.act", "*.act", true},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

}  // namespace
