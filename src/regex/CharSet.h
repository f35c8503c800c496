// Sets of UTF-16 code units, as the parser builds them from classes and escapes and the
// compiler turns them into matching tables.
//
// A CharSet is a plain list of inclusive ranges; Normalize sorts and merges it, and every
// function below that reads a set expects it normalized and leaves its result normalized.
#pragma once

#include <cstdint>
#include <vector>

namespace regex {

struct CodeRange {
    char16_t first = 0;
    char16_t last = 0;
    bool operator==(const CodeRange&) const = default;
};

using CharSet = std::vector<CodeRange>;

// Sorts the ranges and merges those that overlap or touch.
void Normalize(CharSet& set);

// Every code unit that set does not hold.
[[nodiscard]] CharSet Complement(const CharSet& set);

[[nodiscard]] bool SetContains(const CharSet& set, char16_t c);

// set with the other-case counterpart of each of its letters added (see CaseFolding.h).
[[nodiscard]] CharSet CaseClosure(const CharSet& set);

// The sets of the class escapes \d, \w and \s; \D, \W and \S are their complements.
[[nodiscard]] CharSet DigitSet();
[[nodiscard]] CharSet WordSet();
[[nodiscard]] CharSet SpaceSet();

// What the dot matches: everything but the line terminators LF, CR, U+2028 and U+2029.
[[nodiscard]] CharSet DotSet();

[[nodiscard]] inline bool IsLineTerminator(char16_t c) {
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

[[nodiscard]] inline bool IsWordChar(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

}  // namespace regex
