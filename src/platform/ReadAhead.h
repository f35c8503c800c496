// Reading ahead on a second thread: the scanner's files are read while the search is busy
// with the one before.
//
// The walk tells the file system which files of a folder it is about to hand over, in their
// order (FileSystem::WillRead); this reads them in that order on a thread of its own, a few
// megabytes ahead at most, while the search converts and takes apart the file it has. Every
// read then takes the bytes read ahead, or waits for them; a read that does not follow the
// hint (a file skipped, a hint overtaken by another) drops what was read ahead and reads
// directly. The bytes are those the file held when read ahead, which is at most a few
// files before the search asks for it.
//
// Listings stay on the search's thread. The window, which has one thread, does not use this.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/Platform.h"

class ReadAheadFileSystem final : public FileSystem {
  public:
    static constexpr size_t kAheadBytes = size_t{8} << 20;
    // How long the thread watches for the next hint, and the search for the file being
    // read, before it sleeps.
    static constexpr std::chrono::microseconds kWatchTime{200};

    // inner must be safe to read from another thread while this one lists: the system's
    // file system is. Without a thread (the system refuses one) every read is direct.
    explicit ReadAheadFileSystem(FileSystem& inner, size_t aheadBytes = kAheadBytes);
    ~ReadAheadFileSystem() override;
    ReadAheadFileSystem(const ReadAheadFileSystem&) = delete;
    ReadAheadFileSystem& operator=(const ReadAheadFileSystem&) = delete;

    std::unique_ptr<DirectoryListing> StartListing(const NativePath& folder,
                                                   std::string_view pattern) override {
        return inner_.StartListing(folder, pattern);
    }
    std::string ListingError(const NativePath& folder) override { return inner_.ListingError(folder); }
    ByteData ReadWholeFile(const NativePath& path) override;
    void WillRead(const std::vector<NativePath>& paths) override;

  private:
    enum class State { kQueued, kReading, kRead, kFailed };
    struct Item {
        NativePath path;
        State state = State::kQueued;
        ByteData data;
    };

    void Work();
    static void Watch(const std::atomic<uint64_t>& counter, std::unique_lock<std::mutex>& lock);
    [[nodiscard]] bool HasWork() const;
    void DropAll();
    void PopFront();

    FileSystem& inner_;
    const size_t aheadBytes_;
    std::mutex mutex_;
    std::condition_variable work_;  // the reading thread waits here for files to read
    std::condition_variable read_;  // the search waits here for a file being read
    // The hinted files not yet taken, the oldest first. Each has a serial number, counted
    // from the first file ever hinted, so a file read after its hint was dropped is known.
    std::deque<Item> items_;
    uint64_t frontSerial_ = 0;
    uint64_t unclaimed_ = 0;    // serial of the first file nobody has begun to read
    size_t heldBytes_ = 0;      // read ahead and not taken yet
    bool searchWaits_ = false;  // the search waits for the file at the front
    bool stopping_ = false;
    // Counts the hints, the room made and the stop, for the thread to watch without the lock.
    std::atomic<uint64_t> changes_{0};
    std::atomic<uint64_t> filesRead_{0};  // files the thread has read, for the search to watch
    std::thread reader_;                  // last: it starts once everything above is ready
};
