// Hostile trees on Windows, searched whole through the real file system: a tree 300 levels
// deep (its paths far past MAX_PATH), a junction loop, names that code page 936 cannot
// express, and a file of exactly the size limit, more than a 32-bit program may hold.
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <algorithm>

#include "TestSupport.h"
#include "platform/win32/Win32TestFiles.h"
#include "hostile/TreeSearch.h"
#include "platform/Console.h"
#include "platform/Limits.h"

namespace {

class Win32HostileTree : public StoreTest {};

std::string Door(const std::string& id) {
    return "[pathgate object]\r\n" + id + "\t\r\n";
}

TEST_F(Win32HostileTree, TreeThreeHundredLevelsDeep) {
    TempTree tree;
    WriteGoodFiles(tree);
    NativePath folder = tree.Path();
    std::vector<NativePath> made;
    Found adds;
    for (int level = 1; level <= 300; ++level) {
        folder += L"\\level";
        ASSERT_TRUE(CreateDirectoryW(Long(folder).c_str(), nullptr)) << level << ": " << GetLastError();
        made.push_back(folder);
        const std::string id = "L" + std::to_string(level);
        WriteWide(folder + L"\\x.dgn", Door(id));
        made.push_back(folder + L"\\x.dgn");
        adds.doors.push_back(id);
    }
    ASSERT_GT(folder.size(), 3u * MAX_PATH);
    EXPECT_EQ(Sorted(SearchTree(SystemFileSystem(), tree.Path())), Sorted(GoodEntriesAnd(adds)));
    // Removed here: the temporary tree's own clean-up may not reach this deep.
    for (auto it = made.rbegin(); it != made.rend(); ++it) {
        if (!DeleteFileW(Long(*it).c_str())) RemoveDirectoryW(Long(*it).c_str());
    }
}

TEST_F(Win32HostileTree, JunctionLoopEndsTheWalk) {
    TempTree tree;
    WriteGoodFiles(tree, "a");
    const NativePath loop = tree.Path("a/loop");
    if (!MakeJunction(loop, tree.Path("a")))
        GTEST_SKIP() << "this system makes no junctions (Wine does not set reparse points), so there is no "
                        "junction loop to walk; the host's link loops are walked in FileSystemTest";
    EXPECT_EQ(Sorted(SearchTree(SystemFileSystem(), tree.Path())), Sorted(GoodEntries()));
    RemoveDirectoryW(loop.c_str());  // the link only, before the tree's clean-up could follow it
}

// Names that code page 936 cannot express: Hangul, an emoji (a surrogate pair), Thai; and a
// leading dash and space.
TEST_F(Win32HostileTree, OddlyNamedFilesAreRead) {
    const NativePath names[] = {L"\xD55C", L"\xD83D\xDE00", L"\x0E01\x0E02", L"-dash", L" space"};
    TempTree tree;
    WriteGoodFiles(tree);
    Found adds;
    int n = 0;
    for (const NativePath& name : names) {
        const std::string id = "n" + std::to_string(++n);
        const NativePath folder = tree.Path() + L"\\" + name;
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << NativeToUtf8(name);
        WriteWide(folder + L"\\" + name + L".dgn", Door(id));
        adds.doors.push_back(id);
    }
    EXPECT_EQ(Sorted(SearchTree(SystemFileSystem(), tree.Path())), Sorted(GoodEntriesAnd(adds)));
}

// A file of exactly the size limit, 1 GiB: a 32-bit program may find no room for it, and
// then it reads as empty; either way nothing comes of it (its bytes are NULs) and the search
// goes on. The file is sparse, so nothing near a gigabyte is written.
TEST_F(Win32HostileTree, FileAtTheSizeLimitIsReadOrSkippedWhole) {
    TempTree tree;
    WriteGoodFiles(tree);
    const NativePath path = tree.Path("huge.map");
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size{};
    size.QuadPart = static_cast<LONGLONG>(kMaxDataFileBytes);
    const bool sized = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    if (!sized) GTEST_SKIP() << "no room for a file of 1 GiB";
    EXPECT_EQ(Sorted(SearchTree(SystemFileSystem(), tree.Path())), Sorted(GoodEntries()));
}

}  // namespace
