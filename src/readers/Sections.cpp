#include "readers/Sections.h"

namespace {

void DispatchTimes(MessagePump& messages, int times) {
    for (int i = 0; i < times; ++i) messages.DispatchPendingMessages();
}

}  // namespace

Text TextBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                 int startPosition, bool ignoreCase) {
    const Text start = ReplaceText(startMarker, kQuotePlaceholder, "\"", true);
    const Text end = ReplaceText(endMarker, kQuotePlaceholder, "\"", true);
    const int s = FindText(text, start, startPosition, ignoreCase);
    if (s == -1) return {};
    const int c = s + TextLength(start);
    const int e = FindText(text, end, c, ignoreCase);
    if (e == -1) return {};
    return TextMid(text, c, e - c);
}

int TextBetweenAll(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                   TextList& list, MessagePump& messages, const SectionOptions& options) {
    const bool ignoreCase = !options.caseSensitive;
    list.clear();
    // An empty start marker would be found at the first byte on every pass, for ever.
    if (startMarker.empty()) return 0;
    int pos = options.startPosition;
    for (;;) {
        const int s = FindText(text, startMarker, pos, ignoreCase);
        if (s == -1) break;
        const int c = s + TextLength(startMarker);
        const int e = FindText(text, endMarker, c, ignoreCase);
        if (e == -1) break;
        Text entry = ConcatText(options.prefix, TrimBothEnds(TextMid(text, c, e - c)), options.suffix);
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
