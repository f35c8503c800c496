#include "regex/Replacement.h"

namespace regex {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

void AppendGroup(std::u16string_view subject, const int32_t* slots, int group, std::u16string& out) {
    const int32_t start = slots[2 * group];
    const int32_t end = slots[2 * group + 1];
    if (start >= 0) out.append(subject.substr(start, end - start));
}

// The group a $ at replacement[at] names and the length of the reference, or 0 for none.
size_t GroupReference(std::u16string_view replacement, size_t at, int groupCount, int& group) {
    if (at + 1 >= replacement.size() || !IsDigit(replacement[at + 1])) return 0;
    const int first = replacement[at + 1] - u'0';
    if (at + 2 < replacement.size() && IsDigit(replacement[at + 2])) {
        const int both = first * 10 + (replacement[at + 2] - u'0');
        if (both >= 1 && both <= groupCount) {
            group = both;
            return 3;
        }
    }
    if (first < 1 || first > groupCount) return 0;
    group = first;
    return 2;
}

}  // namespace

void AppendReplacement(std::u16string_view replacement, std::u16string_view subject, const int32_t* slots,
                       int groupCount, std::u16string& out) {
    for (size_t at = 0; at < replacement.size();) {
        const char16_t c = replacement[at];
        const char16_t after = at + 1 < replacement.size() ? replacement[at + 1] : 0;
        int group = 0;
        if (c != u'$') {
            out.push_back(c);
            ++at;
        } else if (const size_t length = GroupReference(replacement, at, groupCount, group); length > 0) {
            AppendGroup(subject, slots, group, out);
            at += length;
        } else if (after == u'$' || after == u'&' || after == u'`' || after == u'\'') {
            if (after == u'$') out.push_back(u'$');
            if (after == u'&') AppendGroup(subject, slots, 0, out);
            if (after == u'`') out.append(subject.substr(0, slots[0]));
            if (after == u'\'') out.append(subject.substr(slots[1]));
            at += 2;
        } else {
            out.push_back(c);
            ++at;
        }
    }
}

}  // namespace regex
