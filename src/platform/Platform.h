// The operating system as the core sees it: folder listings, whole-file reads and the
// window's message queue. The core reaches the system only through these interfaces, so
// it builds and behaves the same on Linux and Windows, and tests can put doubles in place
// of the real services (a listing that fails, a file too large to hold, a dispatch point
// that runs a nested search).
//
// The real services are SystemFileSystem() and SystemMessagePump(), implemented once per
// platform in posix/ and win32/. They hold no state of their own.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A path as the operating system spells it: bytes on Linux, UTF-16 on Windows. Paths are
// never converted through code page 936, so a name that code page cannot express still
// reaches its file.
using NativePath = std::filesystem::path::string_type;
using NativeChar = NativePath::value_type;
inline constexpr NativeChar kPathSeparator = std::filesystem::path::preferred_separator;

// An owned sequence of bytes; may hold NUL bytes; empty when a file was not read.
using ByteData = std::string;

enum class EntryKind {
    kFile,    // handed to the walk's file handler when its name matches
    kFolder,  // entered by the walk
    kOther,   // neither: a link to a folder, which the walk never enters
};

struct DirectoryEntry {
    NativePath name;  // the bare name, without its folder
    EntryKind kind = EntryKind::kFile;
};

// One open listing of a folder. Closed when destroyed.
class DirectoryListing {
public:
    virtual ~DirectoryListing() = default;
    // The next entry in the order the platform gives, or false when the listing is over.
    [[nodiscard]] virtual bool Next(DirectoryEntry& entry) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Lists the entries of folder (which ends with kPathSeparator) whose names match the
    // wildcard pattern: "*" stands for any run of characters, letters match regardless of
    // case, and "*.*" matches every name. nullptr when the listing cannot be started
    // (missing folder, access refused, not a folder).
    [[nodiscard]] virtual std::unique_ptr<DirectoryListing> StartListing(const NativePath& folder,
                                                                         std::string_view pattern) = 0;

    // Why the folder cannot be listed, or the empty string when it can. For messages only:
    // the walk itself never reports anything.
    [[nodiscard]] virtual std::string ListingError(const NativePath& folder) = 0;

    // The whole content of the file, or empty when it cannot be opened or read, or is too
    // large to hold in memory.
    [[nodiscard]] virtual ByteData ReadWholeFile(const NativePath& path) = 0;

    // A hint: the files the caller is about to read, in the order it will read them, each
    // at most once. A file system may start reading them ahead; the answers of
    // ReadWholeFile stay what they would be without the hint. A file system that stands in
    // front of another passes the hint on.
    virtual void WillRead(const std::vector<NativePath>& paths) { (void)paths; }
};

class MessagePump {
public:
    virtual ~MessagePump() = default;
    // Dispatches the window's queued messages, one after another, until the queue is empty
    // or the next message is the quit message, which stays queued for the message loop.
    virtual void DispatchPendingMessages() = 0;
};

class StageObserver;

// What a search uses of the operating system, and who watches its stages (the scanner's
// --stats), if anyone.
struct Platform {
    FileSystem& files;
    MessagePump& messages;
    StageObserver* stages = nullptr;
};

[[nodiscard]] FileSystem& SystemFileSystem();
// On Windows the thread's message queue; elsewhere there is no window and it does nothing.
[[nodiscard]] MessagePump& SystemMessagePump();

// A native path from an ASCII literal such as a pattern or a file name in a test.
[[nodiscard]] NativePath NativeFromAscii(std::string_view ascii);
