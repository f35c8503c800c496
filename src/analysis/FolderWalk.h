// The folder walk: every file of a folder tree whose name matches a wildcard pattern.
//
// The walk knows nothing of what the files hold: it lists folders through the platform's
// FileSystem and hands each matching file's full path to a handler.
#pragma once

#include <functional>
#include <string_view>

#include "platform/Platform.h"

// Called once per matching file with its full path; the path belongs to the walk and is
// gone when the handler returns.
using FileHandler = std::function<void(const NativePath& path)>;

// Visits the tree under folder in pre-order, depth first: in every folder all matching
// files (in the order the platform lists them) before any sub-folder, each sub-folder's
// whole tree before the next one. The window's pending messages are dispatched at the
// start of every folder. A folder that cannot be listed contributes nothing; nothing is
// reported. A separator is appended to folder unless it already ends in one, so an empty
// folder walks the root. Links to folders are never entered, so the walk always ends.
// When goOn is given, the walk asks it after each dispatch and stops at the first false:
// a window closed during the walk has no use for the rest of it.
void WalkFolder(const NativePath& folder, const FileHandler& handler, std::string_view pattern,
                const Platform& platform, const std::function<bool()>& goOn = {});
