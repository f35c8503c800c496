// The syntax tree of a regular expression, as the parser reads it from the pattern and the
// compiler turns it into a program. Each node owns its children.
//
// The syntax is that of the platform's regular-expression object (ECMAScript, 3rd
// edition) without back-references and look-ahead; see RegexParser.cpp for the details
// and for what is rejected.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "regex/CharSet.h"

namespace regex {

enum class NodeKind : uint8_t {
    kEmpty,        // matches the empty text
    kChar,         // one code unit, ch
    kSet,          // one code unit in set, or not in it when negated
    kAssertion,    // a zero-width test, assertion
    kGroup,        // capturing group number group around children[0]
    kConcat,       // children one after the other
    kAlternation,  // the first of children that leads to a match
    kRepeat,       // children[0] from min to max times (max kUnbounded: no limit), greedy or lazy
};

enum class Assertion : uint8_t { kLineStart, kLineEnd, kWordBoundary, kNotWordBoundary };

inline constexpr int32_t kUnbounded = -1;

struct Node {
    NodeKind kind = NodeKind::kEmpty;
    char16_t ch = 0;
    CharSet set;
    bool negated = false;
    Assertion assertion = Assertion::kLineStart;
    int group = 0;
    int32_t min = 0;
    int32_t max = 0;
    bool greedy = true;
    std::vector<Node> children;
};

struct Syntax {
    Node root;
    int groupCount = 0;
};

// Groups nested deeper than this are rejected, which bounds the parser's recursion.
inline constexpr int kMaxGroupDepth = 200;

// The tree of pattern, or nothing when the pattern is not accepted.
[[nodiscard]] std::optional<Syntax> ParsePattern(std::u16string_view pattern);

}  // namespace regex
