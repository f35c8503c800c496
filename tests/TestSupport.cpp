#include "TestSupport.h"

#include <algorithm>
#include <fstream>
#include <random>

#include "analysis/FolderWalk.h"
#include "platform/Wildcard.h"

NativePath TestPath(std::string_view slashed) {
    NativePath path = NativeFromAscii(slashed);
    for (NativeChar& c : path) {
        if (c == '/') c = kPathSeparator;
    }
    return path;
}

std::vector<NativePath> TestPaths(std::initializer_list<std::string_view> slashed) {
    std::vector<NativePath> paths;
    for (std::string_view p : slashed) paths.push_back(TestPath(p));
    return paths;
}

namespace {

class FakeListing : public DirectoryListing {
public:
    explicit FakeListing(std::vector<DirectoryEntry> entries) : entries_(std::move(entries)) {}
    bool Next(DirectoryEntry& entry) override {
        if (next_ == entries_.size()) return false;
        entry = entries_[next_++];
        return true;
    }

private:
    std::vector<DirectoryEntry> entries_;
    size_t next_ = 0;
};

std::string AsciiOf(const NativePath& path) {
    std::string ascii;
    for (NativeChar c : path) ascii.push_back(static_cast<char>(c));
    return ascii;
}

}  // namespace

void FakeFileSystem::AddFile(std::string_view slashedPath, std::string content) {
    nodes_.push_back({TestPath(slashedPath), false, std::move(content)});
}

void FakeFileSystem::AddFolder(std::string_view slashedPath) {
    nodes_.push_back({TestPath(slashedPath), true, {}});
}

void FakeFileSystem::Remove(std::string_view slashedPath) {
    const NativePath path = TestPath(slashedPath);
    std::erase_if(nodes_, [&path](const Node& node) { return node.path == path; });
}

void FakeFileSystem::RefuseListing(std::string_view slashedFolder) {
    NativePath folder = TestPath(slashedFolder);
    if (folder.empty() || folder.back() != kPathSeparator) folder.push_back(kPathSeparator);
    refused_.insert(folder);
}

std::unique_ptr<DirectoryListing> FakeFileSystem::StartListing(const NativePath& folder,
                                                               std::string_view pattern) {
    if (refused_.count(folder)) return nullptr;
    bool exists = folder == TestPath("/");
    std::vector<DirectoryEntry> entries;
    for (const char* dot : {".", ".."}) {
        if (MatchesWildcard(dot, pattern)) entries.push_back({NativeFromAscii(dot), EntryKind::kFolder});
    }
    for (const Node& node : nodes_) {
        if (node.isFolder && node.path + kPathSeparator == folder) exists = true;
        if (node.path.size() <= folder.size() || node.path.compare(0, folder.size(), folder) != 0) continue;
        const NativePath name = node.path.substr(folder.size());
        if (name.find(kPathSeparator) != NativePath::npos) continue;
        exists = true;
        if (MatchesWildcard(AsciiOf(name), pattern))
            entries.push_back({name, node.isFolder ? EntryKind::kFolder : EntryKind::kFile});
    }
    if (!exists) return nullptr;
    return std::make_unique<FakeListing>(std::move(entries));
}

std::string FakeFileSystem::ListingError(const NativePath& folder) {
    return StartListing(folder, "*") ? "" : "No such file or directory";
}

ByteData FakeFileSystem::ReadWholeFile(const NativePath& path) {
    reads.push_back(path);
    for (const Node& node : nodes_) {
        if (node.path == path && !node.isFolder) return node.content;
    }
    return {};
}

void CountingMessagePump::DispatchPendingMessages() {
    ++count;
    if (onDispatch) onDispatch();
}

NativePath FakeView::ReadBoxText() {
    ++folderReads;
    return folderBox;
}

void FakeView::SetBoxText(ListBox box, const Text& text) {
    if (!open) ++writesAfterClose;
    boxes[static_cast<size_t>(box)] = text;
}

void FakeView::AppendBoxText(ListBox box, const Text& text) {
    if (!open) ++writesAfterClose;
    boxes[static_cast<size_t>(box)] += text;
}

void FakeView::SetCaption(Caption label, const Text& text) {
    if (!open) ++writesAfterClose;
    captions[static_cast<size_t>(label)] = text;
}

TempTree::TempTree() {
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        root = base / ("fathomlist-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(root)) break;
    }
}

TempTree::~TempTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

void TempTree::Write(std::string_view slashedPath, std::string_view content) const {
    const std::filesystem::path path = Path(slashedPath);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

void TempTree::MakeFolder(std::string_view slashedPath) const {
    std::filesystem::create_directories(std::filesystem::path(Path(slashedPath)));
}

NativePath TempTree::Path(std::string_view slashedPath) const {
    if (slashedPath.empty()) return root.native();
    return (root / std::filesystem::path(TestPath(slashedPath))).native();
}

std::string Fragment(std::string_view visible) {
    std::string bytes;
    for (size_t i = 0; i < visible.size(); ++i) {
        if (visible.compare(i, 2, "->") == 0) {
            bytes.push_back('\t');
            ++i;
        } else if (visible[i] == '|') {
            bytes.append("\r\n");
        } else {
            bytes.push_back(visible[i]);
        }
    }
    return bytes;
}

std::vector<NativePath> WalkSorted(const NativePath& folder, std::string_view pattern) {
    CountingMessagePump pump;
    std::vector<NativePath> seen;
    WalkFolder(folder, [&](const NativePath& path) { seen.push_back(path); }, pattern,
               Platform{SystemFileSystem(), pump});
    std::sort(seen.begin(), seen.end());
    return seen;
}
