#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <new>
#include <set>
#include <thread>

#include "TestSupport.h"
#include "platform/ReadAhead.h"

namespace {

// Files in memory, safe to read from two threads; counts what it reads.
class SharedMemoryFiles final : public FileSystem {
  public:
    void Add(std::string_view slashed, std::string content) {
        const std::lock_guard lock(mutex_);
        contents_[TestPath(slashed)] = std::move(content);
    }
    std::unique_ptr<DirectoryListing> StartListing(const NativePath&, std::string_view) override {
        return nullptr;
    }
    std::string ListingError(const NativePath&) override { return "none here"; }
    ByteData ReadWholeFile(const NativePath& path) override {
        ++reads;
        const std::lock_guard lock(mutex_);
        if (outOfMemoryOnce.erase(path)) throw std::bad_alloc();
        const auto found = contents_.find(path);
        return found == contents_.end() ? ByteData() : found->second;
    }

    std::atomic<int> reads{0};
    std::set<NativePath> outOfMemoryOnce;  // the first read of each runs out of memory

  private:
    std::mutex mutex_;
    std::map<NativePath, std::string> contents_;
};

void AddNumbered(SharedMemoryFiles& files, int count, size_t size) {
    for (int i = 0; i < count; ++i)
        files.Add("/f" + std::to_string(i), std::string(size, char('a' + i % 26)));
}

TEST(ReadAhead, HintedReadsGiveTheBytesAndReadEachFileOnce) {
    SharedMemoryFiles files;
    AddNumbered(files, 40, 1000);
    ReadAheadFileSystem ahead(files);
    for (int round = 0; round < 3; ++round) {
        std::vector<NativePath> hint;
        for (int i = 0; i < 40; ++i)
            hint.push_back(TestPath("/f" + std::to_string(i)));
        ahead.WillRead(hint);
        for (int i = 0; i < 40; ++i)
            ASSERT_EQ(ahead.ReadWholeFile(hint[size_t(i)]), std::string(1000, char('a' + i % 26))) << i;
    }
    EXPECT_EQ(files.reads, 120);
}

// Whatever order the search reads in, every read gives the file's own bytes.
TEST(ReadAhead, ReadsThatLeaveTheHintStillGiveTheRightBytes) {
    struct Case {
        const char* name;
        std::vector<NativePath> hint;
        std::vector<NativePath> reads;
    };
    const Case cases[] = {
        {"a file skipped", TestPaths({"/a", "/b", "/c"}), TestPaths({"/a", "/c"})},
        {"a file not hinted", TestPaths({"/a", "/b"}), TestPaths({"/x", "/a", "/b"})},
        {"out of order", TestPaths({"/a", "/b", "/c"}), TestPaths({"/c", "/b", "/a"})},
        {"read twice", TestPaths({"/a", "/b"}), TestPaths({"/a", "/a", "/b"})},
        {"a missing file", TestPaths({"/missing", "/a"}), TestPaths({"/missing", "/a"})},
        {"nothing hinted", {}, TestPaths({"/b", "/a"})},
    };
    for (const Case& c : cases) {
        SharedMemoryFiles files;
        files.Add("/a", "first");
        files.Add("/b", "second");
        files.Add("/c", "third");
        files.Add("/x", "other");
        SharedMemoryFiles expected;  // the same files, read directly
        expected.Add("/a", "first");
        expected.Add("/b", "second");
        expected.Add("/c", "third");
        expected.Add("/x", "other");
        ReadAheadFileSystem ahead(files);
        ahead.WillRead(c.hint);
        for (const NativePath& path : c.reads)
            EXPECT_EQ(ahead.ReadWholeFile(path), expected.ReadWholeFile(path)) << c.name;
    }
}

// A file the thread could not read for want of memory is read by the search itself.
TEST(ReadAhead, AFileTheThreadCouldNotHoldIsReadDirectly) {
    SharedMemoryFiles files;
    AddNumbered(files, 3, 100);
    files.outOfMemoryOnce.insert(TestPath("/f1"));
    ReadAheadFileSystem ahead(files);
    const std::vector<NativePath> hint = TestPaths({"/f0", "/f1", "/f2"});
    ahead.WillRead(hint);
    // Until the thread has tried all three, so that the failure is its own.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (files.reads < 3 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(files.reads, 3);
    for (size_t i = 0; i < hint.size(); ++i)
        EXPECT_EQ(ahead.ReadWholeFile(hint[i]), std::string(100, char('a' + i))) << i;
}

TEST(ReadAhead, ANewHintOvertakesTheOldOne) {
    SharedMemoryFiles files;
    AddNumbered(files, 20, 100);
    ReadAheadFileSystem ahead(files);
    ahead.WillRead(TestPaths({"/f0", "/f1", "/f2", "/f3"}));
    EXPECT_EQ(ahead.ReadWholeFile(TestPath("/f0")), std::string(100, 'a'));
    ahead.WillRead(TestPaths({"/f10", "/f11"}));  // a nested walk, say
    EXPECT_EQ(ahead.ReadWholeFile(TestPath("/f10")), std::string(100, 'k'));
    EXPECT_EQ(ahead.ReadWholeFile(TestPath("/f1")), std::string(100, 'b'));
    EXPECT_EQ(ahead.ReadWholeFile(TestPath("/f11")), std::string(100, 'l'));
}

// No more than the allowance is held: with room for one 100-byte file, the thread reads the
// first and one more (it begins a file while less than the allowance is held) and waits.
TEST(ReadAhead, HoldsNoMoreThanItsAllowance) {
    SharedMemoryFiles files;
    AddNumbered(files, 10, 100);
    ReadAheadFileSystem ahead(files, 150);
    std::vector<NativePath> hint;
    for (int i = 0; i < 10; ++i)
        hint.push_back(TestPath("/f" + std::to_string(i)));
    ahead.WillRead(hint);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_LE(files.reads, 2);
    for (int taken = 0; taken < 10; ++taken) {
        EXPECT_EQ(ahead.ReadWholeFile(hint[size_t(taken)]).size(), 100u);
        EXPECT_LE(files.reads, taken + 3);
    }
    EXPECT_EQ(files.reads, 10);
}

// Stopping with files still hinted (a search cut short) ends at once.
TEST(ReadAhead, StopsWithFilesStillHinted) {
    SharedMemoryFiles files;
    AddNumbered(files, 100, 10000);
    std::vector<NativePath> hint;
    for (int i = 0; i < 100; ++i)
        hint.push_back(TestPath("/f" + std::to_string(i)));
    {
        ReadAheadFileSystem ahead(files, 20000);
        ahead.WillRead(hint);
        EXPECT_EQ(ahead.ReadWholeFile(hint[0]).size(), 10000u);
    }
    EXPECT_LT(files.reads, 100);
}

}  // namespace
