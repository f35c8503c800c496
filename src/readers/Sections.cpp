#include "readers/Sections.h"

namespace {

void DispatchTimes(MessagePump& messages, int times) {
    for (int i = 0; i < times; ++i) messages.DispatchPendingMessages();
}

// TextMid(text, c, e - c) as a view.
std::string_view PieceBetween(std::string_view text, int c, int e) {
    if (c < 1 || static_cast<size_t>(c) > text.size() || e - c <= 0) return {};
    return text.substr(static_cast<size_t>(c) - 1, static_cast<size_t>(e - c));
}

// The marker with each "#引号" replaced by a double quote, kept in storage only when it
// has one: ReplaceText finds no placeholder that a plain search of the bytes misses.
std::string_view Unquoted(std::string_view marker, Text& storage) {
    if (marker.find(kQuotePlaceholder) == std::string_view::npos) return marker;
    storage = ReplaceText(marker, kQuotePlaceholder, "\"", true);
    return storage;
}

}  // namespace

std::string_view TextBetweenView(std::string_view text, std::string_view startMarker,
                                 std::string_view endMarker, int startPosition, bool ignoreCase) {
    Text startStorage;
    Text endStorage;
    const std::string_view start = Unquoted(startMarker, startStorage);
    const std::string_view end = Unquoted(endMarker, endStorage);
    const int s = FindText(text, start, startPosition, ignoreCase);
    if (s == -1) return {};
    const int c = s + TextLength(start);
    const int e = FindText(text, end, c, ignoreCase);
    if (e == -1) return {};
    return PieceBetween(text, c, e);
}

Text TextBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                 int startPosition, bool ignoreCase) {
    return Text(TextBetweenView(text, startMarker, endMarker, startPosition, ignoreCase));
}

int TextBetweenAll(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                   TextList& list, MessagePump& messages, const SectionOptions& options) {
    const bool ignoreCase = !options.caseSensitive;
    list.clear();
    // An empty start marker would be found at the first byte on every pass, for ever. An
    // empty end marker is found only at the first byte, never after a start marker (and a
    // prefix or suffix would then make a non-empty entry on every pass, for ever).
    if (startMarker.empty() || endMarker.empty()) return 0;
    int pos = options.startPosition;
    for (;;) {
        const int s = FindText(text, startMarker, pos, ignoreCase);
        if (s == -1) break;
        const int c = s + TextLength(startMarker);
        const int e = FindText(text, endMarker, c, ignoreCase);
        if (e == -1) break;
        Text entry = ConcatText(options.prefix, TrimBothEndsView(PieceBetween(text, c, e)), options.suffix);
        if (entry.empty()) {
            pos = c;
        } else {
            if (options.includeStart) entry = ConcatText(startMarker, entry);
            if (options.includeEnd) entry = ConcatText(entry, endMarker);
            if (options.maxLength == 0) {
                list.push_back(std::move(entry));
            } else {
                if (TextLength(entry) < options.maxLength) list.push_back(std::move(entry));
                messages.DispatchPendingMessages();
            }
            pos = e;
        }
        DispatchTimes(messages, 3);
    }
    return static_cast<int>(list.size());
}
