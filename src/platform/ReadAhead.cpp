#include "platform/ReadAhead.h"

#include <chrono>
#include <new>
#include <system_error>

ReadAheadFileSystem::ReadAheadFileSystem(FileSystem& inner, size_t aheadBytes)
    : inner_(inner), aheadBytes_(aheadBytes) {
    try {
        reader_ = std::thread([this] { Work(); });
    } catch (const std::system_error&) {
    }
}

ReadAheadFileSystem::~ReadAheadFileSystem() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        changes_.fetch_add(1, std::memory_order_relaxed);
    }
    work_.notify_all();
    if (reader_.joinable()) reader_.join();
}

bool ReadAheadFileSystem::HasWork() const {
    return unclaimed_ < frontSerial_ + items_.size() && heldBytes_ < aheadBytes_;
}

void ReadAheadFileSystem::DropAll() {
    frontSerial_ += items_.size();
    unclaimed_ = frontSerial_;
    items_.clear();
    heldBytes_ = 0;
}

void ReadAheadFileSystem::PopFront() {
    items_.pop_front();
    ++frontSerial_;
    if (unclaimed_ < frontSerial_) unclaimed_ = frontSerial_;
}

// Waits, the lock let go meanwhile, until counter moves or a short while has passed. The
// search hints a folder's files a few microseconds after it took the last file of the
// folder before, and a file being read is there a few microseconds later, both sooner than
// a sleeping thread wakes up: so each side watches for a while before it sleeps.
void ReadAheadFileSystem::Watch(const std::atomic<uint64_t>& counter, std::unique_lock<std::mutex>& lock) {
    const uint64_t seen = counter.load(std::memory_order_relaxed);
    lock.unlock();
    const auto until = std::chrono::steady_clock::now() + kWatchTime;
    for (int i = 1; counter.load(std::memory_order_relaxed) == seen; ++i) {
        if (i % 64 == 0 && std::chrono::steady_clock::now() > until) break;
    }
    lock.lock();
}

void ReadAheadFileSystem::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (!stopping_ && !HasWork()) Watch(changes_, lock);
        work_.wait(lock, [this] { return stopping_ || HasWork(); });
        if (stopping_) return;
        const uint64_t serial = unclaimed_++;
        Item& claimed = items_[serial - frontSerial_];
        claimed.state = State::kReading;
        // Out of memory, the file is left for the search to read itself.
        bool failed = false;
        NativePath path;
        try {
            path = claimed.path;
        } catch (const std::bad_alloc&) {
            failed = true;
        }
        lock.unlock();
        ByteData data;
        try {
            if (!failed) data = inner_.ReadWholeFile(path);
        } catch (const std::bad_alloc&) {
            failed = true;
        }
        lock.lock();
        // The hint may have been dropped meanwhile, and the file with it.
        if (serial >= frontSerial_ && serial - frontSerial_ < items_.size()) {
            Item& item = items_[serial - frontSerial_];
            item.state = failed ? State::kFailed : State::kRead;
            heldBytes_ += data.size();
            item.data = std::move(data);
            filesRead_.fetch_add(1, std::memory_order_relaxed);
            if (searchWaits_) read_.notify_one();
        }
    }
}

void ReadAheadFileSystem::WillRead(const std::vector<NativePath>& paths) {
    if (!reader_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        DropAll();
        try {
            for (const NativePath& path : paths)
                items_.push_back(Item{path, State::kQueued, {}});
        } catch (const std::bad_alloc&) {
            DropAll();  // only a hint: the files are read directly
        }
        changes_.fetch_add(1, std::memory_order_relaxed);
    }
    work_.notify_one();
}

ByteData ReadAheadFileSystem::ReadWholeFile(const NativePath& path) {
    std::unique_lock lock(mutex_);
    if (items_.empty() || items_.front().path != path) {
        DropAll();
        lock.unlock();
        return inner_.ReadWholeFile(path);
    }
    // Only this thread takes files off the front, so the reference stays good while it waits.
    Item& front = items_.front();
    if (front.state == State::kReading) Watch(filesRead_, lock);
    if (front.state == State::kReading) {
        searchWaits_ = true;
        read_.wait(lock, [&front] { return front.state != State::kReading; });
        searchWaits_ = false;
    }
    if (front.state != State::kRead) {  // nobody began it, or reading it ran out of memory
        PopFront();
        lock.unlock();
        return inner_.ReadWholeFile(path);
    }
    // The reading thread is woken only when taking this file makes room it was waiting for:
    // a wake-up per file would cost two switches of thread per file.
    const bool wasFull = heldBytes_ >= aheadBytes_;
    ByteData data = std::move(front.data);
    heldBytes_ -= data.size();
    PopFront();
    const bool wake = wasFull && HasWork();
    if (wake) changes_.fetch_add(1, std::memory_order_relaxed);
    lock.unlock();
    if (wake) work_.notify_one();
    return data;
}
