// Windows listings and reads: whole-name matching, share modes, links to folders, long
// paths and names that code page 936 cannot express.
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <functional>

#include "TestSupport.h"
#include "platform/win32/Win32TestFiles.h"
#include "analysis/FolderWalk.h"
#include "platform/Console.h"
#include "platform/Limits.h"
#include "platform/Wildcard.h"

namespace {

std::vector<DirectoryEntry> ListAll(const NativePath& folder, std::string_view pattern) {
    std::vector<DirectoryEntry> entries;
    auto listing = SystemFileSystem().StartListing(folder, pattern);
    DirectoryEntry entry;
    while (listing && listing->Next(entry)) entries.push_back(entry);
    return entries;
}

const DirectoryEntry* Find(const std::vector<DirectoryEntry>& entries, const NativePath& name) {
    for (const DirectoryEntry& entry : entries) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

NativePath Separator() { return NativePath(1, kPathSeparator); }

NativePath Wide(std::string_view utf8) {
    NativePath wide(utf8.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(std::max(length, 0)));
    return wide;
}

// Under Wine: the host's file names and programs. Wine's CreateSymbolicLinkW does not make
// links yet, but Wine lists a link of the host system as a reparse point, so the host's ln
// makes them.
class WineHost {
public:
    WineHost() {
        const HMODULE kernel = GetModuleHandleW(L"kernel32");
        toUnix_ = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
        toDos_ = reinterpret_cast<ToDos>(reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_dos_file_name")));
    }
    [[nodiscard]] bool Present() const { return toUnix_ && toDos_; }

    NativePath UnixName(const NativePath& path) const {
        char* name = toUnix_(path.c_str());
        NativePath wide = name ? Wide(name) : NativePath();
        HeapFree(GetProcessHeap(), 0, name);
        return wide;
    }

    // Starts a host program; Wine cannot wait for one, so the caller waits for its effect.
    bool Start(const char* program, NativePath arguments) const {
        wchar_t* dosName = toDos_(program);
        const NativePath path = dosName ? dosName : L"";
        HeapFree(GetProcessHeap(), 0, dosName);
        if (path.empty()) return false;
        NativePath command = Wide(program) + L" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process))
            return false;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }

private:
    using ToUnix = char* (*)(const wchar_t*);
    using ToDos = wchar_t* (*)(const char*);
    ToUnix toUnix_ = nullptr;
    ToDos toDos_ = nullptr;
};

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 100 && !done(); ++i) Sleep(50);
    return done();
}

NativePath Quoted(const NativePath& text) { return L"\"" + text + L"\""; }

// Links made for a test. They are removed before the temporary tree is, whose clean-up
// would follow them (and, under Wine, could not remove them).
class Links {
public:
    Links() = default;
    Links(const Links&) = delete;
    Links& operator=(const Links&) = delete;
    ~Links() {
        NativePath hostPaths;
        for (const Made& link : made_) {
            if (link.byHost) {
                hostPaths += L" " + Quoted(host_.UnixName(link.path));
            } else if (link.folder) {
                RemoveDirectoryW(link.path.c_str());
            } else {
                DeleteFileW(link.path.c_str());
            }
        }
        if (hostPaths.empty() || !host_.Start("/bin/rm", L"-f" + hostPaths)) return;
        WaitFor([&] {
            return std::all_of(made_.begin(), made_.end(), [](const Made& link) {
                return !link.byHost || GetFileAttributesW(link.path.c_str()) == INVALID_FILE_ATTRIBUTES;
            });
        });
    }

    // A link at path to the folder or file target, by whichever means the system allows;
    // the empty string, or why none could be made.
    std::string Make(const NativePath& path, const NativePath& target, bool folder) {
        const DWORD flags = (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
        // Wine answers success without making anything, so the link is looked for.
        if ((CreateSymbolicLinkW(path.c_str(), target.c_str(), flags) && IsLink(path)) ||
            (folder && MakeJunction(path, target))) {
            made_.push_back({path, folder, false});
            return {};
        }
        if (host_.Present() && host_.Start("/bin/ln", L"-s " + Quoted(host_.UnixName(target)) + L" " +
                                                          Quoted(host_.UnixName(path)))) {
            made_.push_back({path, folder, true});
            if (WaitFor([&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; })) return {};
            return "the host's ln made no link";
        }
        return "this system makes neither symbolic links (developer mode or the privilege is needed) nor "
               "junctions, and it is not Wine";
    }

private:
    struct Made {
        NativePath path;
        bool folder;
        bool byHost;
    };
    WineHost host_;
    std::vector<Made> made_;
};

TEST(Win32Listing, NameMustEndInThePatternsExtension) {
    TempTree tree;
    for (const char* name : {"a.dgn", "B.DGN", "x.dgnx", "long name.dgn1", "c.dgn.bak", "dgn", "archive.dgn_"})
        tree.Write(name, "x");
    // The system's own matching also tries the short (8.3) names, if the volume keeps them:
    // LONGNA~1.DGN stands for "long name.dgn1".
    const std::vector<NativePath> expected{tree.Path("B.DGN"), tree.Path("a.dgn")};
    EXPECT_EQ(WalkSorted(tree.Path(), "*.dgn"), expected);
    const auto entries = ListAll(tree.Path() + Separator(), "*.dgn");
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_TRUE(Find(entries, L"a.dgn") && Find(entries, L"B.DGN"));
}

TEST(Win32Listing, FoldersAndDotEntriesUnderAnyName) {
    TempTree tree;
    tree.Write("maps.map/in.map", "x");
    tree.Write("noext", "x");
    const auto entries = ListAll(tree.Path() + Separator(), "*.*");
    ASSERT_TRUE(Find(entries, L"maps.map"));
    EXPECT_EQ(Find(entries, L"maps.map")->kind, EntryKind::kFolder);
    ASSERT_TRUE(Find(entries, L"noext"));
    EXPECT_EQ(Find(entries, L"noext")->kind, EntryKind::kFile);
    ASSERT_TRUE(Find(entries, L"."));
    EXPECT_EQ(Find(entries, L".")->kind, EntryKind::kFolder);
    EXPECT_EQ(WalkSorted(tree.Path(), "*.map"), std::vector<NativePath>{tree.Path("maps.map/in.map")});
}

TEST(Win32Listing, FolderWithoutMatchesListsNothingMissingFolderCannotBeListed) {
    TempTree tree;
    tree.Write("a.act", "x");
    auto listing = SystemFileSystem().StartListing(tree.Path() + Separator(), "*.dgn");
    ASSERT_NE(listing, nullptr);
    DirectoryEntry entry;
    EXPECT_FALSE(listing->Next(entry));
    EXPECT_EQ(SystemFileSystem().StartListing(tree.Path("missing/"), "*.dgn"), nullptr);
    EXPECT_EQ(SystemFileSystem().StartListing(tree.Path("a.act/"), "*.dgn"), nullptr);
}

TEST(Win32Listing, ListingErrorNamesTheReasonOnOneLine) {
    TempTree tree;
    tree.Write("file", "x");
    tree.MakeFolder("empty");
    EXPECT_EQ(SystemFileSystem().ListingError(tree.Path() + Separator()), "");
    EXPECT_EQ(SystemFileSystem().ListingError(tree.Path("empty/")), "");
    for (const NativePath& folder : {tree.Path("missing/"), tree.Path("missing/deeper/"), tree.Path("file/")}) {
        const std::string reason = SystemFileSystem().ListingError(folder);
        EXPECT_FALSE(reason.empty()) << NativeToUtf8(folder);
        EXPECT_EQ(reason.find_first_of("\r\n"), std::string::npos) << reason;
        EXPECT_NE(reason.back(), '.') << reason;
    }
}

TEST(Win32Listing, FolderLinksAreNotEnteredFileLinksAreFiles) {
    TempTree tree;
    Links links;
    tree.Write("real/r.map", "data");
    const std::string why = links.Make(tree.Path("dirlink.map"), tree.Path("real"), true);
    if (!why.empty()) GTEST_SKIP() << "no link to a folder: " << why;
    ASSERT_EQ(links.Make(tree.Path("real/loop"), tree.Path("real"), true), "");
    const auto entries = ListAll(tree.Path() + Separator(), "*.*");
    ASSERT_TRUE(Find(entries, L"dirlink.map"));
    EXPECT_EQ(Find(entries, L"dirlink.map")->kind, EntryKind::kOther);
    EXPECT_EQ(WalkSorted(tree.Path(), "*.map"), std::vector<NativePath>{tree.Path("real/r.map")});

    const std::string fileWhy = links.Make(tree.Path("filelink.map"), tree.Path("real/r.map"), false);
    if (!fileWhy.empty()) GTEST_SKIP() << "no link to a file: " << fileWhy;
    const std::vector<NativePath> expected{tree.Path("filelink.map"), tree.Path("real/r.map")};
    EXPECT_EQ(WalkSorted(tree.Path(), "*.map"), expected);
    EXPECT_EQ(SystemFileSystem().ReadWholeFile(tree.Path("filelink.map")), "data");
}

TEST(Win32Listing, PathsLongerThanMaxPathAreListedAndRead) {
    TempTree tree;
    NativePath folder = tree.Path();
    std::vector<NativePath> folders;
    while (folder.size() < MAX_PATH + 40) {
        folder += Separator() + NativePath(60, L'd');
        ASSERT_TRUE(CreateDirectoryW(Long(folder).c_str(), nullptr)) << GetLastError();
        folders.push_back(folder);
    }
    const NativePath file = folder + L"\\deep.dgn";
    WriteWide(file, "deep");
    EXPECT_EQ(WalkSorted(tree.Path(), "*.dgn"), std::vector<NativePath>{file});
    FileSystem& files = SystemFileSystem();
    EXPECT_EQ(files.ReadWholeFile(file), "deep");
    EXPECT_EQ(files.ListingError(folder + Separator()), "");
    // The long form takes only clean full paths; these are cleaned first.
    NativePath slashed = file;
    std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
    EXPECT_EQ(files.ReadWholeFile(slashed), "deep");
    const NativePath roundabout = folder + L"\\.\\..\\" + NativePath(60, L'd') + L"\\deep.dgn";
    EXPECT_EQ(files.ReadWholeFile(roundabout), "deep");
    // Removed here: the temporary tree's own clean-up may not reach this deep.
    DeleteFileW(Long(file).c_str());
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) RemoveDirectoryW(Long(*it).c_str());
}

TEST(Win32Listing, NamesOutsideCodePage936AreReadAsAnyOther) {
    TempTree tree;
    const NativePath hangul = L"\xD55C";  // a Hangul syllable, which code page 936 lacks
    const NativePath folder = tree.Path() + Separator() + hangul;
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    WriteWide(folder + Separator() + hangul + L".dgn", "x");
    const auto seen = WalkSorted(tree.Path(), "*.dgn");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], folder + Separator() + hangul + L".dgn");
    EXPECT_EQ(SystemFileSystem().ReadWholeFile(seen[0]), "x");
    EXPECT_EQ(NativeToUtf8(hangul + L".dgn"), "\xED\x95\x9C.dgn");
}

TEST(Win32Read, FileHeldOpenForWritingReadsAsEmpty) {
    TempTree tree;
    tree.Write("held.map", "data");
    const NativePath path = tree.Path("held.map");
    const HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(SystemFileSystem().ReadWholeFile(path), "");
    CloseHandle(writer);
    // Another reader is no obstacle.
    const HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(SystemFileSystem().ReadWholeFile(path), "data");
    CloseHandle(reader);
    EXPECT_EQ(SystemFileSystem().ReadWholeFile(path), "data");
}

TEST(Win32Read, OnlyFilesWithContentGiveBytes) {
    TempTree tree;
    tree.Write("empty.dgn", "");
    tree.Write("zero.dgn", std::string("a\0b", 3));
    tree.MakeFolder("folder.dgn");
    FileSystem& files = SystemFileSystem();
    EXPECT_EQ(files.ReadWholeFile(tree.Path("empty.dgn")), "");
    EXPECT_EQ(files.ReadWholeFile(tree.Path("folder.dgn")), "");
    EXPECT_EQ(files.ReadWholeFile(tree.Path("missing.dgn")), "");
    EXPECT_EQ(files.ReadWholeFile(NativePath()), "");
    EXPECT_EQ(files.ReadWholeFile(tree.Path("zero.dgn")), std::string("a\0b", 3));
    EXPECT_EQ(files.ReadWholeFile(L"NUL"), "");  // a device, not a file on disk
}

TEST(Win32Read, FileLargerThanTheLimitIsNotRead) {
    TempTree tree;
    const NativePath path = tree.Path("huge.map");
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size{};
    size.QuadPart = static_cast<LONGLONG>(kMaxDataFileBytes + 1);
    const bool sized = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    if (!sized) GTEST_SKIP() << "no room for a file of 1 GiB";
    EXPECT_EQ(SystemFileSystem().ReadWholeFile(path), "");
}

TEST(Win32Wildcard, WideNamesMatchAsNarrowOnes) {
    const struct {
        const wchar_t* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {L"a.dgn", "*.dgn", true},      {L"A.DGN", "*.dgn", true},   {L"a.dgnx", "*.dgn", false},
        {L"a.dgn.bak", "*.dgn", false}, {L".dgn", "*.dgn", true},    {L"dgn", "*.dgn", false},
        {L"noext", "*.*", true},        {L"a.b", "*.*", true},       {L"a.map", "?.map", true},
        {L"ab.map", "?.map", false},    {L"\xD55C.act", "*.act", true}, {L"\xD55C.act", "?.act", true},
        {L"\x0141.dgn", "A.dgn", false}, {L"\x0161.dgn", "a.dgn", false},  // not cut to their low bytes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesWildcard(c.name, NativeFromAscii(c.pattern)), c.matches)
            << NativeToUtf8(c.name) << " " << c.pattern;
    }
}

TEST(Win32Wildcard, NativeFromAsciiWidens) {
    EXPECT_EQ(NativeFromAscii("*.dgn"), L"*.dgn");
    EXPECT_EQ(NativeFromAscii(""), L"");
}

}  // namespace
