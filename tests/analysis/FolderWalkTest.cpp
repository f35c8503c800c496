#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "analysis/FolderWalk.h"

namespace {

std::vector<NativePath> Walk(FileSystem& files, const NativePath& folder, std::string_view pattern,
                             CountingMessagePump& pump) {
    std::vector<NativePath> seen;
    WalkFolder(
        folder, [&](const NativePath& path) { seen.push_back(path); }, pattern, Platform{files, pump});
    return seen;
}

TEST(WalkFolder, FilesBeforeSubFoldersDepthFirst) {
    FakeFileSystem files;
    files.AddFolder("/data");
    files.AddFolder("/data/sub");  // listed before b.dgn, still walked after it
    files.AddFile("/data/sub/a.dgn", "");
    files.AddFolder("/data/sub/deep");
    files.AddFile("/data/sub/deep/c.dgn", "");
    files.AddFile("/data/b.dgn", "");
    files.AddFolder("/data/other");
    files.AddFile("/data/other/d.dgn", "");
    files.AddFile("/data/notes.txt", "");
    files.AddFile("/data/x.dgnx", "");
    CountingMessagePump pump;
    const auto expected =
        TestPaths({"/data/b.dgn", "/data/sub/a.dgn", "/data/sub/deep/c.dgn", "/data/other/d.dgn"});
    EXPECT_EQ(Walk(files, TestPath("/data"), "*.dgn", pump), expected);
    EXPECT_EQ(pump.count, 4);  // once at the start of every folder
    EXPECT_EQ(Walk(files, TestPath("/data/"), "*.dgn", pump), expected);
}

TEST(WalkFolder, HintsEachFoldersFilesBeforeHandingThemOver) {
    FakeFileSystem files;
    files.AddFolder("/h");
    files.AddFile("/h/a.map", "");
    files.AddFolder("/h/none");
    files.AddFile("/h/none/x.txt", "");
    files.AddFolder("/h/two");
    files.AddFile("/h/two/b.map", "");
    files.AddFile("/h/two/C.MAP", "");
    files.AddFile("/h/z.map", "");
    HookedFileSystem recorder(files);
    std::vector<std::vector<NativePath>> hints;
    recorder.onHint = [&hints](const std::vector<NativePath>& paths) { hints.push_back(paths); };
    CountingMessagePump pump;
    std::vector<size_t> hintsAtHandOver;
    WalkFolder(
        TestPath("/h"), [&](const NativePath&) { hintsAtHandOver.push_back(hints.size()); }, "*.map",
        Platform{recorder, pump});
    const std::vector<std::vector<NativePath>> expected = {TestPaths({"/h/a.map", "/h/z.map"}),
                                                           TestPaths({"/h/two/b.map", "/h/two/C.MAP"})};
    EXPECT_EQ(hints, expected);  // none for a folder without matching files
    EXPECT_EQ(hintsAtHandOver, (std::vector<size_t>{1, 1, 2, 2}));
}

TEST(WalkFolder, FoldersNamedLikeDataFilesAreEnteredNotHandedOver) {
    FakeFileSystem files;
    files.AddFolder("/t");
    files.AddFolder("/t/maps.map");
    files.AddFile("/t/maps.map/in.map", "");
    files.AddFile("/t/A.MAP", "");
    CountingMessagePump pump;
    EXPECT_EQ(Walk(files, TestPath("/t"), "*.map", pump), TestPaths({"/t/A.MAP", "/t/maps.map/in.map"}));
}

TEST(WalkFolder, UnlistableFoldersContributeNothing) {
    FakeFileSystem files;
    files.AddFolder("/t");
    files.AddFolder("/t/locked");
    files.AddFile("/t/locked/x.act", "");
    files.AddFolder("/t/open");
    files.AddFile("/t/open/y.act", "");
    files.RefuseListing("/t/locked");
    CountingMessagePump pump;
    EXPECT_EQ(Walk(files, TestPath("/t"), "*.act", pump), TestPaths({"/t/open/y.act"}));
    EXPECT_TRUE(Walk(files, TestPath("/missing"), "*.act", pump).empty());
}

TEST(WalkFolder, EmptyFolderWalksTheRoot) {
    FakeFileSystem files;
    files.AddFile("/r.dgn", "");
    CountingMessagePump pump;
    EXPECT_EQ(Walk(files, NativePath(), "*.dgn", pump), TestPaths({"/r.dgn"}));
}

TEST(WalkFolder, RealTree) {
    TempTree tree;
    tree.Write("b.dgn", "");
    tree.Write(".hidden.dgn", "");
    tree.Write("A.DGN", "");
    tree.Write("x.dgn.bak", "");
    tree.Write("xdgn", "");
    tree.Write(".hid/h.dgn", "");
    tree.Write("sub/a.dgn", "");
    tree.MakeFolder("maps.dgn");
    tree.Write("maps.dgn/m.dgn", "");
    tree.MakeFolder("empty");
    CountingMessagePump pump;
    const auto seen = Walk(SystemFileSystem(), tree.Path(), "*.dgn", pump);
    // The files of the top folder come first, in the platform's order; then each sub-folder.
    const NativePath sep(1, kPathSeparator);
    auto top = std::vector<NativePath>(seen.begin(), seen.begin() + 3);
    std::sort(top.begin(), top.end());
    std::vector<NativePath> expectedTop{tree.Path() + sep + NativeFromAscii(".hidden.dgn"),
                                        tree.Path() + sep + NativeFromAscii("A.DGN"),
                                        tree.Path() + sep + NativeFromAscii("b.dgn")};
    std::sort(expectedTop.begin(), expectedTop.end());
    EXPECT_EQ(top, expectedTop);
    auto rest = std::vector<NativePath>(seen.begin() + 3, seen.end());
    std::sort(rest.begin(), rest.end());
    std::vector<NativePath> expectedRest{tree.Path(".hid/h.dgn"), tree.Path("maps.dgn/m.dgn"),
                                         tree.Path("sub/a.dgn")};
    std::sort(expectedRest.begin(), expectedRest.end());
    EXPECT_EQ(rest, expectedRest);
    EXPECT_EQ(pump.count, 5);
}

}  // namespace
