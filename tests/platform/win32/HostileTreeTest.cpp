// Hostile trees on Windows, searched whole through the real file system: a tree 300 levels
// deep (its paths far past MAX_PATH), a junction loop, names that code page 936 cannot
// express, and a file of exactly the size limit, more than a 32-bit program may hold.
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <algorithm>

#include "TestSupport.h"
#include "hostile/TreeSearch.h"
#include "platform/Console.h"
#include "platform/Limits.h"

namespace {

class Win32HostileTree : public StoreTest {};

NativePath Long(const NativePath& path) {
    return L"\\\\?\\" + path;
}

// Writes a file by its wide name, through the long form so that any length will do.
void WriteWide(const NativePath& path, std::string_view content) {
    const HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create " << NativeToUtf8(path);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, content.size());
}

std::string Door(const std::string& id) {
    return "[pathgate object]\r\n" + id + "\t\r\n";
}

// A junction: a reparse point that names another folder, which any user may make.
bool MakeJunction(const NativePath& link, const NativePath& target) {
    if (!CreateDirectoryW(link.c_str(), nullptr)) return false;
    const HANDLE folder = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    bool made = false;
    if (folder != INVALID_HANDLE_VALUE) {
        const NativePath substitute = L"\\??\\" + target;
        struct {
            DWORD tag;
            WORD dataLength;
            WORD reserved;
            WORD substituteOffset, substituteLength, printOffset, printLength;
            WCHAR names[1024];
        } buffer{};
        const auto bytes = static_cast<WORD>(substitute.size() * sizeof(WCHAR));
        buffer.tag = IO_REPARSE_TAG_MOUNT_POINT;
        std::copy(substitute.begin(), substitute.end(), buffer.names);
        buffer.substituteLength = bytes;
        buffer.printOffset = static_cast<WORD>(bytes + sizeof(WCHAR));
        buffer.dataLength = static_cast<WORD>(4 * sizeof(WORD) + bytes + 2 * sizeof(WCHAR));
        DWORD returned = 0;
        made = DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, &buffer, 8 + buffer.dataLength, nullptr, 0,
                               &returned, nullptr) != 0;
        CloseHandle(folder);
    }
    const DWORD attributes = GetFileAttributesW(link.c_str());
    made = made && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (!made) RemoveDirectoryW(link.c_str());
    return made;
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
