// Hostile trees on Linux, searched whole through the real file system: a tree 300 levels
// deep, link loops, names that code page 936 cannot express (or that are no UTF-8 at all),
// and a named pipe and a device among the data files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "TestSupport.h"
#include "hostile/TreeSearch.h"

namespace {

class PosixHostileTree : public StoreTest {};

TEST_F(PosixHostileTree, TreeThreeHundredLevelsDeep) {
    TempTree tree;
    WriteGoodFiles(tree);
    std::string folder;
    Found adds;
    for (int level = 1; level <= 300; ++level) {
        folder += (level > 1 ? "/" : "") + std::string("level");
        const std::string id = "L" + std::to_string(level);
        tree.Write(folder + "/x.dgn", "[pathgate object]\r\n" + id + "\t\r\n");
        adds.doors.push_back(id);
    }
    EXPECT_EQ(Sorted(SearchTree(SystemFileSystem(), tree.Path())), Sorted(GoodEntriesAnd(adds)));
}

// Links that lead back up the tree, to themselves or round in a circle: the walk enters
// none of them, ends, and reads every real file once.
TEST_F(PosixHostileTree, LinkLoopsEndTheWalk) {
    TempTree tree;
    WriteGoodFiles(tree, "a/b");
    tree.Write("c/c.dgn", "[pathgate object]\r\ncc\t\r\n");
    ASSERT_EQ(symlink(tree.Path().c_str(), tree.Path("a/b/up").c_str()), 0);
    ASSERT_EQ(symlink("..", tree.Path("a/parent").c_str()), 0);
    ASSERT_EQ(symlink("self.map", tree.Path("a/self.map").c_str()), 0);
    ASSERT_EQ(symlink(tree.Path("d").c_str(), tree.Path("c/to-d").c_str()), 0);
    ASSERT_EQ(symlink(tree.Path("c").c_str(), tree.Path("d").c_str()), 0);
    CountingMessagePump pump;
    HookedFileSystem files(SystemFileSystem());
    std::vector<NativePath> reads;
    files.beforeRead = [&](const NativePath& path) { reads.push_back(path); };
    EXPECT_EQ(Sorted(SearchTree(files, tree.Path())), Sorted(GoodEntriesAnd({{"cc"}, {}, {}, {}, 0})));
    std::sort(reads.begin(), reads.end());
    const std::vector<NativePath> expected{tree.Path("a/b/good.act"), tree.Path("a/b/good.dgn"),
                                           tree.Path("a/b/good.map"), tree.Path("a/self.map"),
                                           tree.Path("c/c.dgn")};
    EXPECT_EQ(reads, expected);
}

// Names are bytes on Linux: Hangul and an emoji (outside code page 936), bytes that are no
// UTF-8, a line break, a TAB and a leading dash all name files that are read like any other.
TEST_F(PosixHostileTree, OddlyNamedFilesAreRead) {
    const char* const names[] = {"\xED\x95\x9C", "\xF0\x9F\x98\x80", "\xFF\xFE",
                                 "line\nbreak",  "tab\there",        "-dash",
                                 " space ",      "\xE4\xB8\xAD"};
    TempTree tree;
    WriteGoodFiles(tree);
    Found adds;
    int n = 0;
    for (const char* name : names) {
        const std::string id = "n" + std::to_string(++n);
        tree.Write(std::string(name) + "/" + name + ".dgn", "[pathgate object]\r\n" + id + "\t\r\n");
        adds.doors.push_back(id);
    }
    EXPECT_EQ(Sorted(SearchTree(SystemFileSystem(), tree.Path())), Sorted(GoodEntriesAnd(adds)));
}

// A named pipe with nobody writing, and a device, named like data files: neither blocks the
// search nor gives anything.
TEST_F(PosixHostileTree, PipesAndDevicesAmongTheFiles) {
    TempTree tree;
    WriteGoodFiles(tree, "z");
    ASSERT_EQ(mkfifo(tree.Path("pipe.map").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", tree.Path("zero.dgn").c_str()), 0);
    ASSERT_EQ(symlink("/dev/urandom", tree.Path("random.act").c_str()), 0);
    EXPECT_EQ(Sorted(SearchTree(SystemFileSystem(), tree.Path())), Sorted(GoodEntries()));
}

}  // namespace
