// Doubles and helpers shared by the suites: an in-memory file system, a message pump that
// counts (and can run something at a dispatch point), a window fake, temporary folders on
// disk, and a fixture that gives every test a fresh result store.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "analysis/ResultStore.h"
#include "analysis/SearchView.h"
#include "platform/Platform.h"

// A native path from an ASCII path written with "/" as separator.
NativePath TestPath(std::string_view slashed);
// The same for several paths.
std::vector<NativePath> TestPaths(std::initializer_list<std::string_view> slashed);

// A tree of folders and files held in memory. Entries are listed in the order they were
// added, after "." and "..", as a real listing might give them.
class FakeFileSystem : public FileSystem {
public:
    void AddFile(std::string_view slashedPath, std::string content);
    void AddFolder(std::string_view slashedPath);
    // Takes a file (or an empty folder) out of the tree.
    void Remove(std::string_view slashedPath);
    // Listing this folder fails, as for a folder whose access is refused.
    void RefuseListing(std::string_view slashedFolder);

    std::unique_ptr<DirectoryListing> StartListing(const NativePath& folder, std::string_view pattern) override;
    std::string ListingError(const NativePath& folder) override;
    ByteData ReadWholeFile(const NativePath& path) override;

    std::vector<NativePath> reads;  // every path read, in order

private:
    struct Node {
        NativePath path;
        bool isFolder = false;
        std::string content;
    };
    std::vector<Node> nodes_;
    std::set<NativePath> refused_;
};

// Another file system with hooks that run just before a listing starts, before a file is
// read and when the walk hints its next reads: where a test changes the tree under the
// walk's feet (or makes the read fail), or watches what reaches the file system.
class HookedFileSystem final : public FileSystem {
public:
    explicit HookedFileSystem(FileSystem& inner) : inner_(inner) {}

    std::unique_ptr<DirectoryListing> StartListing(const NativePath& folder, std::string_view pattern) override {
        if (beforeListing) beforeListing(folder, pattern);
        return inner_.StartListing(folder, pattern);
    }
    std::string ListingError(const NativePath& folder) override { return inner_.ListingError(folder); }
    ByteData ReadWholeFile(const NativePath& path) override {
        if (beforeRead) beforeRead(path);
        return inner_.ReadWholeFile(path);
    }
    void WillRead(const std::vector<NativePath>& paths) override {
        if (onHint) onHint(paths);
        inner_.WillRead(paths);
    }

    std::function<void(const NativePath& folder, std::string_view pattern)> beforeListing;
    std::function<void(const NativePath& path)> beforeRead;
    std::function<void(const std::vector<NativePath>& paths)> onHint;

private:
    FileSystem& inner_;
};

// Counts the dispatch points it is called at and runs onDispatch at each, if set.
class CountingMessagePump : public MessagePump {
public:
    void DispatchPendingMessages() override;
    int count = 0;
    std::function<void()> onDispatch;
};

// The window as the search sees it, recorded.
class FakeView : public SearchView {
public:
    NativePath ReadBoxText() override;
    void SetBoxText(ListBox box, const Text& text) override;
    void AppendBoxText(ListBox box, const Text& text) override;
    void SetCaption(Caption label, const Text& text) override;
    bool IsOpen() override { return open; }

    NativePath folderBox;
    bool open = true;
    int writesAfterClose = 0;
    std::array<Text, 4> boxes;
    std::array<Text, 4> captions;
    int folderReads = 0;
};

// A real folder under the system's temporary folder, removed with everything in it at the
// end of the test.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // Writes a file (its folders made as needed) at a path relative to the root.
    void Write(std::string_view slashedPath, std::string_view content) const;
    void MakeFolder(std::string_view slashedPath) const;
    // The native path of a relative path; the root itself for "".
    NativePath Path(std::string_view slashedPath = "") const;

    std::filesystem::path root;
};

// Every test starts with a new, empty result store.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override { CreateResultStore(); }
    void TearDown() override { ReleaseResultStore(); }
};

// Every path the walk over the real file system hands over for pattern, sorted.
std::vector<NativePath> WalkSorted(const NativePath& folder, std::string_view pattern);

// A data file fragment written with visible stand-ins: "->" for TAB and "|" for CR LF.
std::string Fragment(std::string_view visible);

// GBK bytes of a few test characters.
inline constexpr std::string_view kGbkZhong = "\xD6\xD0";  // 中
inline constexpr std::string_view kUtf8Zhong = "\xE4\xB8\xAD";
