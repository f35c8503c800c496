// The Windows file system: FindFirstFileExW listings and CreateFileW whole-file reads, on
// UTF-16 paths throughout, so a name that code page 936 cannot express is reached like any
// other.
#include <windows.h>

#include <cstdint>
#include <new>

#include "platform/Console.h"
#include "platform/Limits.h"
#include "platform/Platform.h"
#include "platform/Wildcard.h"

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";

// The path as the system calls take it. One too long for the plain form (MAX_PATH) gets
// the long-path prefix, which takes only a full path and cleans nothing up itself, so the
// path is made full and clean first.
NativePath SystemPath(const NativePath& path) {
    if (path.size() < MAX_PATH || path.starts_with(kLongPrefix) || path.starts_with(L"\\\\.\\")) return path;
    NativePath full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    if (full.empty()) return path;
    const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size()) return path;
    full.resize(length);
    if (full.starts_with(kLongPrefix)) return full;
    if (full.starts_with(L"\\\\")) return NativePath(L"\\\\?\\UNC\\") + full.substr(2);  // \\server\share\...
    return NativePath(kLongPrefix) + full;
}

HANDLE FindFirst(const NativePath& patternPath, WIN32_FIND_DATAW& data) {
    return FindFirstFileExW(SystemPath(patternPath).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                            nullptr, FIND_FIRST_EX_LARGE_FETCH);
}

bool IsFolder(const NativePath& folder) {
    const DWORD attributes = GetFileAttributesW(SystemPath(folder).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A folder that stands for another one (a junction, a symbolic link, a mounted volume) is
// never entered, so no link loop can make a walk endless. Other reparse points on folders,
// such as cloud placeholders, are real folders. Wine reports a link without its tag.
EntryKind KindOf(const WIN32_FIND_DATAW& data) {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return EntryKind::kFile;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return EntryKind::kFolder;
    const DWORD tag = data.dwReserved0;
    return tag == 0 || IsReparseTagNameSurrogate(tag) ? EntryKind::kOther : EntryKind::kFolder;
}

// The system's text for an error, on one line, without the closing full stop.
std::string SystemMessage(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    NativePath message(buffer ? buffer : L"", length);
    LocalFree(buffer);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' ' ||
                                message.back() == L'.')) {
        message.pop_back();
    }
    if (message.empty()) return "error " + std::to_string(error);
    return NativeToUtf8(message);
}

class Win32Listing final : public DirectoryListing {
public:
    // find is the listing's handle with its first entry in data, or INVALID_HANDLE_VALUE for a
    // listing without entries.
    Win32Listing(HANDLE find, const WIN32_FIND_DATAW& data, NativePath pattern)
        : find_(find), data_(data), pattern_(std::move(pattern)), unread_(find != INVALID_HANDLE_VALUE) {}
    ~Win32Listing() override {
        if (find_ != INVALID_HANDLE_VALUE) FindClose(find_);
    }
    Win32Listing(const Win32Listing&) = delete;
    Win32Listing& operator=(const Win32Listing&) = delete;

    bool Next(DirectoryEntry& entry) override {
        for (;;) {
            if (!unread_ && (find_ == INVALID_HANDLE_VALUE || !FindNextFileW(find_, &data_))) return false;
            unread_ = false;
            // The system also matches the short 8.3 form of a name, so it lists "x.dgnx" for
            // "*.dgn"; only names that match as a whole are passed on.
            if (!MatchesWildcard(data_.cFileName, pattern_)) continue;
            entry.name = data_.cFileName;
            entry.kind = KindOf(data_);
            return true;
        }
    }

private:
    HANDLE find_;
    WIN32_FIND_DATAW data_;
    NativePath pattern_;
    bool unread_;  // data_ holds an entry that Next has not looked at yet
};

class Win32FileSystem final : public FileSystem {
public:
    std::unique_ptr<DirectoryListing> StartListing(const NativePath& folder, std::string_view pattern) override {
        NativePath widePattern = NativeFromAscii(pattern);
        WIN32_FIND_DATAW data;
        const HANDLE find = FindFirst(folder + widePattern, data);
        // No match and a missing folder can both give ERROR_FILE_NOT_FOUND.
        if (find == INVALID_HANDLE_VALUE && (GetLastError() != ERROR_FILE_NOT_FOUND || !IsFolder(folder)))
            return nullptr;
        return std::make_unique<Win32Listing>(find, data, std::move(widePattern));
    }

    std::string ListingError(const NativePath& folder) override {
        WIN32_FIND_DATAW data;
        const HANDLE find = FindFirst(folder + L"*", data);
        if (find != INVALID_HANDLE_VALUE) {
            FindClose(find);
            return {};
        }
        const DWORD error = GetLastError();
        // A drive's root folder has no "." entry, so an empty one lists nothing at all.
        if (error == ERROR_FILE_NOT_FOUND && IsFolder(folder)) return {};
        return SystemMessage(error);
    }

    // Read-only and shared for reading only: a file that another program holds open for
    // writing is not read, rather than read half-written.
    ByteData ReadWholeFile(const NativePath& path) override {
        if (path.empty()) return {};
        const HANDLE file = CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE) return {};  // missing, a folder, held for writing, refused
        ByteData data = ReadOpenFile(file);
        CloseHandle(file);
        return data;
    }

private:
    static ByteData ReadOpenFile(HANDLE file) {
        // Only files on disk: a device or pipe that matches a pattern could stall the search.
        if (GetFileType(file) != FILE_TYPE_DISK) return {};
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file, &size)) return {};
        if (size.QuadPart <= 0 || static_cast<uint64_t>(size.QuadPart) > kMaxDataFileBytes) return {};
        ByteData data;
        try {
            data.resize(static_cast<size_t>(size.QuadPart));
        } catch (const std::bad_alloc&) {
            return {};
        }
        // One request for the whole length; a file that shrank meanwhile gives what arrived.
        DWORD got = 0;
        if (!ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &got, nullptr)) return {};
        data.resize(got);
        return data;
    }
};

}  // namespace

FileSystem& SystemFileSystem() {
    static Win32FileSystem files;
    return files;
}

NativePath NativeFromAscii(std::string_view ascii) {
    NativePath wide;
    wide.reserve(ascii.size());
    for (char c : ascii) wide.push_back(static_cast<unsigned char>(c));
    return wide;
}
