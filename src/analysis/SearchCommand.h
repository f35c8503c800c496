// The search command: the search button's click handler.
//
// Three walks of the folder named in the folder box, for "*.dgn", "*.map" and "*.act",
// each handing every file found to its reader; then the four result lists lose their
// repeats and are shown with their counts. Everything found goes into the result store,
// which keeps it for later searches. The window's messages are dispatched during the
// walks, so a handler, even a second search, may run in the middle of this one; if the
// window is closed meanwhile, the search reads no more files and writes nothing.
#pragma once

#include "analysis/SearchView.h"
#include "platform/Platform.h"

void SearchCommand(SearchView& view, const Platform& platform);

// The caption texts that a search writes, from the store as it stands.
[[nodiscard]] Text DoorCaption();
[[nodiscard]] Text PassiveCaption();
[[nodiscard]] Text MonsterCaption();
[[nodiscard]] Text ActCaption();
