// Section extraction: the text between a start marker (typically a section header with its
// line end) and an end marker, once or for every such pair in a Text.
#pragma once

#include <string_view>

#include "platform/Platform.h"
#include "readers/Text.h"

// The text between the first startMarker (searched from startPosition) and the first
// endMarker after it, untrimmed; empty when either is missing. In both markers the
// placeholder "#引号" stands for a double quote.
[[nodiscard]] Text TextBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                               int startPosition = 0, bool ignoreCase = false);
// The same text as a view into text, for a reader that copies only the entries it keeps.
[[nodiscard]] std::string_view TextBetweenView(std::string_view text, std::string_view startMarker,
                                               std::string_view endMarker, int startPosition = 0,
                                               bool ignoreCase = false);

struct SectionOptions {
    bool caseSensitive = false;  // false: the markers match with ASCII letters folded
    int maxLength = 0;           // 0: no limit; otherwise keep only entries shorter than this
    Text prefix;                 // put before each trimmed entry
    Text suffix;                 // put after it
    bool includeStart = false;   // put the start marker before each kept entry
    bool includeEnd = false;     // and the end marker after it
    int startPosition = 0;       // 1-based; 0 and 1 both mean the first byte
};

// Empties list, then fills it with every trimmed, non-empty text found between a
// startMarker and the next endMarker, and returns the number of entries. A start marker
// without an end marker after it ends the extraction. The window's pending messages are
// dispatched three times after every pass, so the window stays alive during a long file;
// a handler that runs there finds this call's state only in its locals and in list.
int TextBetweenAll(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                   TextList& list, MessagePump& messages, const SectionOptions& options = {});
