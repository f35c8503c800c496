#include "analysis/FolderWalk.h"

#include <vector>

namespace {

enum class EntryMode { kFiles, kFolders };

bool Accepts(EntryMode mode, EntryKind kind) {
    return mode == EntryMode::kFiles ? kind == EntryKind::kFile : kind == EntryKind::kFolder;
}

// The next name of the listing that mode accepts; empty when the listing is over, which
// is then closed.
NativePath FindEntry(std::unique_ptr<DirectoryListing>& listing, EntryMode mode) {
    DirectoryEntry entry;
    while (listing && listing->Next(entry)) {
        if (Accepts(mode, entry.kind) && !entry.name.empty()) return entry.name;
    }
    listing.reset();
    return {};
}

bool IsDotEntry(const NativePath& name) {
    return name == NativeFromAscii(".") || name == NativeFromAscii("..");
}

NativePath Normalised(NativePath folder) {
    if (folder.empty() || folder.back() != kPathSeparator) folder.push_back(kPathSeparator);
    return folder;
}

// One folder of the walk: its files are handed over at once; its sub-folders wait here.
struct Level {
    NativePath folder;
    std::vector<NativePath> subFolders;
    size_t next = 0;
};

// Hands over the folder's matching files and returns the level with its sub-folders; an
// empty level when the walk is to stop.
Level VisitFolder(const NativePath& folderText, const FileHandler& handler, std::string_view pattern,
                  const Platform& platform, const std::function<bool()>& goOn) {
    platform.messages.DispatchPendingMessages();
    Level level{Normalised(folderText), {}, 0};
    if (goOn && !goOn()) return level;
    // The matching files are taken in one go before any is handed over, so the file system
    // hears which files are about to be read, in their order, and may read ahead.
    std::vector<NativePath> paths;
    auto files = platform.files.StartListing(level.folder, pattern);
    for (NativePath name = FindEntry(files, EntryMode::kFiles); !name.empty();
         name = FindEntry(files, EntryMode::kFiles)) {
        paths.push_back(level.folder + name);
    }
    if (!paths.empty()) platform.files.WillRead(paths);
    for (const NativePath& path : paths)
        handler(path);
    // The sub-folder names are taken in one go, so a deep tree never holds a listing open
    // per level and cannot run out of the system's listing handles.
    auto folders = platform.files.StartListing(level.folder, "*.*");
    for (NativePath name = FindEntry(folders, EntryMode::kFolders); !name.empty();
         name = FindEntry(folders, EntryMode::kFolders)) {
        if (!IsDotEntry(name)) level.subFolders.push_back(std::move(name));
    }
    return level;
}

}  // namespace

void WalkFolder(const NativePath& folder, const FileHandler& handler, std::string_view pattern,
                const Platform& platform, const std::function<bool()>& goOn) {
    // An explicit stack instead of recursion: a tree as deep as the platform's paths allow
    // must not exhaust the thread's stack.
    std::vector<Level> levels;
    levels.push_back(VisitFolder(folder, handler, pattern, platform, goOn));
    while (!levels.empty()) {
        if (goOn && !goOn()) return;
        Level& top = levels.back();
        if (top.next == top.subFolders.size()) {
            levels.pop_back();
            continue;
        }
        const NativePath sub = top.folder + top.subFolders[top.next++];
        levels.push_back(VisitFolder(sub, handler, pattern, platform, goOn));
    }
}
