#include "regex/CharSet.h"

#include <algorithm>

#include "regex/CaseFolding.h"

namespace regex {

void Normalize(CharSet& set) {
    std::sort(set.begin(), set.end(),
              [](const CodeRange& a, const CodeRange& b) { return a.first < b.first; });
    CharSet merged;
    for (const CodeRange& range : set) {
        if (!merged.empty() && range.first <= merged.back().last + 1) {
            merged.back().last = std::max(merged.back().last, range.last);
        } else {
            merged.push_back(range);
        }
    }
    set = std::move(merged);
}

CharSet Complement(const CharSet& set) {
    CharSet result;
    int next = 0;  // the first code unit not yet accounted for
    for (const CodeRange& range : set) {
        if (range.first > next) result.push_back({char16_t(next), char16_t(range.first - 1)});
        next = range.last + 1;
    }
    if (next <= 0xFFFF) result.push_back({char16_t(next), char16_t(0xFFFF)});
    return result;
}

bool SetContains(const CharSet& set, char16_t c) {
    const auto after = std::upper_bound(set.begin(), set.end(), c,
                                        [](char16_t value, const CodeRange& r) { return value < r.first; });
    return after != set.begin() && c <= std::prev(after)->last;
}

CharSet CaseClosure(const CharSet& set) {
    CharSet closed = set;
    ForEachCasePair([&](char16_t upper, char16_t lower) {
        const bool hasUpper = SetContains(set, upper);
        if (hasUpper != SetContains(set, lower))
            closed.push_back(hasUpper ? CodeRange{lower, lower} : CodeRange{upper, upper});
    });
    Normalize(closed);
    return closed;
}

CharSet DigitSet() { return {{u'0', u'9'}}; }

CharSet WordSet() { return {{u'0', u'9'}, {u'A', u'Z'}, {u'_', u'_'}, {u'a', u'z'}}; }

// The platform object's \s: space, TAB, LF, VT, FF and CR. It does not take in the other
// Unicode spaces (no-break space, ideographic space), so neither do we.
CharSet SpaceSet() { return {{u'\t', u'\r'}, {u' ', u' '}}; }

CharSet DotSet() { return {{0, u'\t'}, {0x0B, 0x0C}, {0x0E, 0x2027}, {0x202A, 0xFFFF}}; }

}  // namespace regex
