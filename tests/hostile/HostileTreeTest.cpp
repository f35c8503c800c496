// Hostile trees, searched whole: damaged and half-written files, a file too large to hold, a
// 50 MB line, 10 000 files in one folder, a tree that changes while it is walked, a folder
// that cannot be listed. None may crash or hang the search, and every other file's entries
// must be there at the end.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <new>
#include <stdexcept>

#include "TestSupport.h"
#include "hostile/TreeSearch.h"
#include "platform/Limits.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class HostileTree : public StoreTest {};

// Damaged and half-written data files, each searched beside the good files: a row's file
// adds exactly its entries, whatever else it holds.
TEST_F(HostileTree, DamagedFilesGiveWhatTheirBytesHoldAndNoMore) {
    const struct {
        const char* what;
        const char* name;
        std::string content;
        Found adds;
    } rows[] = {
        // clang-format off
        {"NUL after the door line", "n.dgn", "[pathgate object]\r\nn1\tn2\t\r\n\0[pathgate"s,
         {{"n1", "n2"}, {}, {}, {}, 0}},
        {"NUL inside the door line", "z.dgn", "[pathgate object]\r\nz1\0\tz2\t\r\n"s, {}},
        {"NUL between map sections", "z.map",
         "[passive object]\r\n31\t0\t0\t0\t\r\n\0[monster]\r\nmz\t\r\n\r\n[/monster]\r\n"s,
         {{}, {"31"}, {}, {}, 0}},
        {"invalid UTF-8 in door ids", "u.dgn", "[pathgate object]\r\n\xFFq\t\xC3\t\xE4\xB8\r\n",
         {{"?q", "?"}, {}, {}, {}, 0}},
        {"surrogate and stray continuation bytes", "u.act",
         "[CREATE PASSIVEOBJECT]\r\n\r\n[INDEX]\r\n\xED\xA0\x80x\t\r\n", {{}, {}, {}, {"???x"}, 0}},
        {"byte-order mark before the header", "b.dgn", "\xEF\xBB\xBF[pathgate object]\r\nb1\t\r\n",
         {{"b1"}, {}, {}, {}, 0}},
        {"byte-order mark before a map", "b.map", "\xEF\xBB\xBF[passive object]\r\n41\t0\t0\t0\t\r\n",
         {{}, {"41"}, {}, {}, 0}},
        {"bare LF line ends", "l.dgn", "[pathgate object]\nl1\tl2\n", {}},
        {"bare LF line ends in a map", "l.map", "[passive object]\n51\t0\t0\t0\t\n[monster]\nml\t\n\n[/monster]\n", {}},
        {"bare CR line ends", "c.act", "[CREATE PASSIVEOBJECT]\r\r[INDEX]\rc1\t\r", {}},
        {"cut inside the door line", "h.dgn", "[pathgate object]\r\nh1\th2", {}},
        {"cut inside the passive line", "h.map", "[passive object]\r\n61\t0\t0", {}},
        {"cut inside the monster section", "m.map", "[monster]\r\nmh\t1\t\r\nmi\t", {}},
        {"cut before the act entry ends", "h.act", "[CREATE PASSIVEOBJECT]\r\n\r\n[INDEX]\r\nah", {}},
        {"cut inside a UTF-8 sequence", "e.dgn", "[pathgate object]\r\ne1\t\r\n\xE4\xB8", {{"e1"}, {}, {}, {}, 0}},
        {"empty", "empty.map", "", {}},
        {"headers only", "o.map", "[passive object]\r\n[monster]\r\n[special passive object]\r\n", {}},
        // clang-format on
    };
    for (const auto& row : rows) {
        FakeFileSystem files;
        files.AddFolder("/t");
        AddGoodFiles(files, "/t");
        files.AddFile(std::string("/t/") + row.name, row.content);
        EXPECT_EQ(Sorted(SearchTree(files, TestPath("/t"))), Sorted(GoodEntriesAnd(row.adds))) << row.what;
    }
}

// A file too large to hold: its read runs out of memory, or memory runs out while its reader
// is halfway through it (some entries already appended). Either way it contributes nothing.
TEST_F(HostileTree, FileTooLargeToHoldContributesNothing) {
    const struct {
        const char* what;
        bool appendsFirst;
        bool lengthError;
    } rows[] = {
        {"no memory for the read", false, false},
        {"no memory halfway through the reader", true, false},
        {"longer than a string can be", true, true},
    };
    for (const auto& row : rows) {
        FakeFileSystem fake;
        fake.AddFolder("/t");
        fake.AddFile("/t/huge.map", "[passive object]\r\n99\t0\t0\t0\t\r\n");
        fake.AddFolder("/t/after");
        AddGoodFiles(fake, "/t/after");
        HookedFileSystem files(fake);
        files.beforeRead = [&](const NativePath& path) {
            if (path != TestPath("/t/huge.map")) return;
            if (row.appendsFirst) {
                Results().PassiveObjectList.push_back("99");
                CountSpecialObject();
            }
            if (row.lengthError) throw std::length_error("basic_string::_M_create");
            throw std::bad_alloc();
        };
        EXPECT_EQ(SearchTree(files, TestPath("/t")), GoodEntries()) << row.what;
    }
}

// The platform layer's limit on a real file: one byte over it is not read (the file is
// sparse, so nothing near a gigabyte is written).
TEST_F(HostileTree, FileOverTheSizeLimitIsSkippedOnDisk) {
    TempTree tree;
    WriteGoodFiles(tree);
    tree.Write("huge.map", "[passive object]\r\n98\t0\t0\t0\t\r\n");
    std::error_code error;
    fs::resize_file(fs::path(tree.Path("huge.map")), kMaxDataFileBytes + 1, error);
    if (error) GTEST_SKIP() << "no room for a sparse file of 1 GiB: " << error.message();
    EXPECT_EQ(SystemFileSystem().ReadWholeFile(tree.Path("huge.map")), "");
    EXPECT_EQ(Sorted(SearchTree(SystemFileSystem(), tree.Path())), Sorted(GoodEntries()));
}

// One line of 50 MB: entries at both ends of a run of 50 million field characters that no
// TAB ends, the run that makes a naive backtracking matcher overflow its stack.
TEST_F(HostileTree, FiftyMegabyteSingleLineMap) {
    TempTree tree;
    WriteGoodFiles(tree, "small");
    std::string line = "[passive object]\r\n71\t0\t0\t0\t";
    const std::string_view filler = "0123456789.-";
    line.reserve(50'000'000 + 200);
    while (line.size() < 50'000'000)
        line.append(filler);
    line.append(" 72\t0\t0\t0\t\r\n[monster]\r\nmb\t\r\n\r\n[/monster]\r\n");
    tree.Write("big.map", line);
    line = std::string();
    EXPECT_EQ(Sorted(SearchTree(SystemFileSystem(), tree.Path())),
              Sorted(GoodEntriesAnd({{}, {"71", "72"}, {"mb"}, {}, 0})));
    fs::remove(fs::path(tree.Path("big.map")));
}

TEST_F(HostileTree, TenThousandFilesInOneFolder) {
    TempTree tree;
    WriteGoodFiles(tree);
    tree.MakeFolder("many");
    const fs::path many(tree.Path("many"));
    Found adds;
    // Written straight into the one folder: under Wine each file made costs a millisecond or
    // more, and the tree's Write would look for the folder every time too.
    for (int i = 0; i < 10'000; ++i) {
        const std::string id = "d" + std::to_string(i);
        std::ofstream(many / (id + ".dgn"), std::ios::binary) << "[pathgate object]\r\n" << id << "\t\r\n";
        adds.doors.push_back(id);
    }
    const Found found = SearchTree(SystemFileSystem(), tree.Path());
    EXPECT_EQ(found.doors.size(), 10'002u);
    EXPECT_EQ(Sorted(found), Sorted(GoodEntriesAnd(adds)));
}

// The tree changes while it is walked. Good files at the root; a/x.dgn, a/deep/w.dgn,
// b/y.dgn and c/z.dgn each give one door.
TEST_F(HostileTree, TreeThatChangesDuringTheWalk) {
    const struct {
        const char* what;
        std::function<void(const TempTree&, HookedFileSystem&)> arrange;
        TextList doorsAdded;
        bool removesAListedFolder = false;  // which Windows (and Wine) may refuse to do
    } rows[] = {
        {"a folder removed before its turn comes",
         [](const TempTree& tree, HookedFileSystem& files) {
             files.beforeListing = [&tree, done = false](const NativePath& folder, std::string_view) mutable {
                 if (done || folder == tree.Path() + kPathSeparator) return;
                 done = true;
                 fs::remove_all(fs::path(tree.Path("b")));
             };
         },
         {"ax", "cz", "dw"}},
        {"the folder being walked removed while its files are read",
         [](const TempTree& tree, HookedFileSystem& files) {
             files.beforeRead = [&tree](const NativePath& path) {
                 if (path == tree.Path("a/x.dgn")) {
                     std::error_code ignored;
                     fs::remove_all(fs::path(tree.Path("a")), ignored);
                 }
             };
         },
         {"by", "cz"},
         true},
        {"a file removed between listing and reading",
         [](const TempTree& tree, HookedFileSystem& files) {
             files.beforeRead = [&tree](const NativePath& path) {
                 if (path == tree.Path("a/x.dgn")) fs::remove(fs::path(path));
             };
         },
         {"by", "cz", "dw"}},
        {"a file replaced by a folder between listing and reading",
         [](const TempTree& tree, HookedFileSystem& files) {
             files.beforeRead = [&tree](const NativePath& path) {
                 if (path != tree.Path("a/x.dgn")) return;
                 fs::remove(fs::path(path));
                 tree.Write("a/x.dgn/in.dgn", "[pathgate object]\r\nin\t\r\n");
             };
         },
         {"by", "cz", "dw", "in"}},
    };
    for (const auto& row : rows) {
        TempTree tree;
        WriteGoodFiles(tree);
        tree.Write("a/x.dgn", "[pathgate object]\r\nax\t\r\n");
        tree.Write("a/deep/w.dgn", "[pathgate object]\r\ndw\t\r\n");
        tree.Write("b/y.dgn", "[pathgate object]\r\nby\t\r\n");
        tree.Write("c/z.dgn", "[pathgate object]\r\ncz\t\r\n");
        HookedFileSystem files(SystemFileSystem());
        row.arrange(tree, files);
        const Found found = SearchTree(files, tree.Path());
        if (row.removesAListedFolder && fs::exists(fs::path(tree.Path("a")))) {
            std::cout << "[ SKIPPED  ] " << row.what << ": this system keeps a folder while it is listed\n";
            continue;
        }
        EXPECT_EQ(Sorted(found), Sorted(GoodEntriesAnd({row.doorsAdded, {}, {}, {}, 0}))) << row.what;
    }
}

// A folder that cannot be listed (a double: the tests run as root, whom no permission stops)
// contributes nothing, and the folders beside and above it still give theirs.
TEST_F(HostileTree, UnlistableFolderContributesNothing) {
    FakeFileSystem files;
    files.AddFolder("/t");
    files.AddFolder("/t/locked");
    files.AddFile("/t/locked/hidden.dgn", "[pathgate object]\r\nhidden\t\r\n");
    files.AddFolder("/t/locked/deeper");
    files.AddFile("/t/locked/deeper/x.map", "[passive object]\r\n1\t2\t3\t4\t\r\n");
    files.AddFolder("/t/open");
    AddGoodFiles(files, "/t/open");
    files.RefuseListing("/t/locked");
    EXPECT_EQ(SearchTree(files, TestPath("/t")), GoodEntries());
    // The searched folder itself: nothing at all, and no harm done.
    files.RefuseListing("/t");
    EXPECT_EQ(SearchTree(files, TestPath("/t")), Found{});
}

}  // namespace
