// The Linux file system: opendir/readdir listings in the order the system gives, and
// whole-file reads with open/read. Linux has no share modes, so a file that another
// program is writing is read as it stands.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "platform/Limits.h"
#include "platform/Platform.h"
#include "platform/Wildcard.h"

namespace {

class PosixListing final : public DirectoryListing {
public:
    PosixListing(DIR* dir, NativePath folder, std::string_view pattern)
        : dir_(dir), folder_(std::move(folder)), pattern_(pattern) {}
    ~PosixListing() override { closedir(dir_); }
    PosixListing(const PosixListing&) = delete;
    PosixListing& operator=(const PosixListing&) = delete;

    bool Next(DirectoryEntry& entry) override {
        while (const dirent* item = readdir(dir_)) {
            if (!MatchesWildcard(item->d_name, pattern_)) continue;
            entry.name = item->d_name;
            entry.kind = KindOf(*item);
            return true;
        }
        return false;
    }

private:
    // A link is looked through: a link to a folder is never entered (no link loop can make
    // a walk endless), any other link is handed over like a file, a broken one included.
    EntryKind KindOf(const dirent& item) const {
        if (item.d_type == DT_DIR) return EntryKind::kFolder;
        if (item.d_type != DT_LNK && item.d_type != DT_UNKNOWN) return EntryKind::kFile;
        struct stat info {};
        const std::string path = folder_ + item.d_name;
        if (lstat(path.c_str(), &info) != 0) return EntryKind::kFile;
        if (S_ISDIR(info.st_mode)) return EntryKind::kFolder;
        if (!S_ISLNK(info.st_mode)) return EntryKind::kFile;
        if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return EntryKind::kOther;
        return EntryKind::kFile;
    }

    DIR* dir_;
    NativePath folder_;
    std::string pattern_;
};

class PosixFileSystem final : public FileSystem {
public:
    std::unique_ptr<DirectoryListing> StartListing(const NativePath& folder, std::string_view pattern) override {
        DIR* dir = opendir(folder.c_str());
        if (!dir) return nullptr;
        return std::make_unique<PosixListing>(dir, folder, pattern);
    }

    std::string ListingError(const NativePath& folder) override {
        DIR* dir = opendir(folder.c_str());
        if (!dir) return std::strerror(errno);
        closedir(dir);
        return {};
    }

    ByteData ReadWholeFile(const NativePath& path) override {
        // Non-blocking, so a named pipe that matches a pattern cannot stall the search; only
        // regular files are read.
        const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return {};
        ByteData data = ReadOpenFile(fd);
        close(fd);
        return data;
    }

private:
    static ByteData ReadOpenFile(int fd) {
        struct stat info {};
        if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return {};
        if (info.st_size <= 0 || static_cast<uint64_t>(info.st_size) > kMaxDataFileBytes) return {};
        ByteData data;
        try {
            data.resize(static_cast<size_t>(info.st_size));
        } catch (const std::bad_alloc&) {
            return {};
        }
        size_t got = 0;
        while (got < data.size()) {
            const ssize_t n = read(fd, data.data() + got, data.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return {};
            if (n == 0) break;  // the file shrank meanwhile: keep what arrived
            got += static_cast<size_t>(n);
        }
        data.resize(got);
        return data;
    }
};

class NoMessagePump final : public MessagePump {
public:
    void DispatchPendingMessages() override {}
};

}  // namespace

FileSystem& SystemFileSystem() {
    static PosixFileSystem files;
    return files;
}

MessagePump& SystemMessagePump() {
    static NoMessagePump messages;
    return messages;
}

NativePath NativeFromAscii(std::string_view ascii) { return NativePath(ascii); }
