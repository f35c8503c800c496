// The pattern parser: a recursive descent over the grammar of disjunction, alternative,
// term and atom. It recurses only into groups, whose depth kMaxGroupDepth bounds.
//
// Accepted: literals; the escapes \t \n \r \f \v, \0 (not before a digit), \xHH, \uHHHH,
// \cX (X a letter) and the identity escape of any code unit that is not an ASCII letter,
// digit or underscore; the dot; classes [...] and [^...] with ranges and \d \D \w \W \s \S
// (and \b for backspace) inside; \d \D \w \W \s \S outside; capturing groups and (?:...);
// alternation; the quantifiers * + ? {n} {n,} {n,m}, each greedy or, followed by ?, lazy;
// the assertions ^ $ \b \B. A "{" that does not begin a well-formed quantifier, and a "]"
// or "}" on its own, stand for themselves, as in the platform object.
//
// Rejected: back-references (\1 to \9), octal escapes (\0 before a digit), look-ahead and
// every other (? form, unknown letter escapes, malformed \x \u \c, a quantifier with
// nothing to repeat or after an assertion, {n,m} with n above m, a range with a class
// escape at either end or its ends in the wrong order, unbalanced parentheses or brackets,
// a trailing backslash, and groups nested too deep.
#include <limits>

#include "regex/RegexSyntax.h"

namespace regex {
namespace {

struct Parser {
    std::u16string_view pattern;
    size_t at = 0;
    int groupCount = 0;
    int depth = 0;
};

bool HasAhead(const Parser& p, size_t ahead = 0) { return p.at + ahead < p.pattern.size(); }

char16_t Peek(const Parser& p, size_t ahead = 0) { return HasAhead(p, ahead) ? p.pattern[p.at + ahead] : 0; }

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

int HexValue(char16_t c) {
    if (IsDigit(c)) return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Reads count hex digits into value; false, with nothing read, when they are not there.
bool ReadHex(Parser& p, int count, char16_t& value) {
    int result = 0;
    for (int i = 0; i < count; ++i) {
        const int digit = HexValue(Peek(p, i));
        if (!HasAhead(p, i) || digit < 0) return false;
        result = result * 16 + digit;
    }
    p.at += count;
    value = static_cast<char16_t>(result);
    return true;
}

// The code unit of a character escape whose letter (already read) is c.
bool ReadCharacterEscape(Parser& p, char16_t c, char16_t& value) {
    switch (c) {
        case u't': value = u'\t'; return true;
        case u'n': value = u'\n'; return true;
        case u'r': value = u'\r'; return true;
        case u'f': value = u'\f'; return true;
        case u'v': value = u'\v'; return true;
        case u'0': value = 0; return !(HasAhead(p) && IsDigit(Peek(p)));
        case u'x': return ReadHex(p, 2, value);
        case u'u': return ReadHex(p, 4, value);
        case u'c':
            if (!HasAhead(p) || !IsAsciiLetter(Peek(p))) return false;
            value = static_cast<char16_t>(Peek(p) % 32);
            ++p.at;
            return true;
        default:
            if (IsDigit(c) || IsAsciiLetter(c) || c == u'_') return false;
            value = c;
            return true;
    }
}

// The set of a class escape letter (d D w W s S), or false for any other letter.
bool ClassEscapeSet(char16_t c, CharSet& set) {
    switch (c) {
        case u'd': set = DigitSet(); return true;
        case u'D': set = Complement(DigitSet()); return true;
        case u'w': set = WordSet(); return true;
        case u'W': set = Complement(WordSet()); return true;
        case u's': set = SpaceSet(); return true;
        case u'S': set = Complement(SpaceSet()); return true;
        default: return false;
    }
}

enum class QuantifierRead { kNone, kRead, kInvalid };

// A decimal number at p.at + offset, saturated so that huge counts stay huge.
bool ReadCount(const Parser& p, size_t& offset, int32_t& value) {
    const size_t start = offset;
    int64_t result = 0;
    constexpr int64_t kLargest = std::numeric_limits<int32_t>::max();
    for (; HasAhead(p, offset) && IsDigit(Peek(p, offset)); ++offset)
        result = std::min<int64_t>(result * 10 + (Peek(p, offset) - u'0'), kLargest);
    value = static_cast<int32_t>(result);
    return offset > start;
}

// {n}, {n,} or {n,m} at p.at, read only when it is well formed.
QuantifierRead ReadBraces(Parser& p, int32_t& min, int32_t& max) {
    size_t offset = 1;
    if (!ReadCount(p, offset, min)) return QuantifierRead::kNone;
    max = min;
    if (Peek(p, offset) == u',') {
        ++offset;
        max = kUnbounded;
        if (HasAhead(p, offset) && IsDigit(Peek(p, offset))) ReadCount(p, offset, max);
    }
    if (!HasAhead(p, offset) || Peek(p, offset) != u'}') return QuantifierRead::kNone;
    p.at += offset + 1;
    return max != kUnbounded && min > max ? QuantifierRead::kInvalid : QuantifierRead::kRead;
}

QuantifierRead ReadQuantifier(Parser& p, int32_t& min, int32_t& max) {
    if (!HasAhead(p)) return QuantifierRead::kNone;
    switch (Peek(p)) {
        case u'*': min = 0, max = kUnbounded; break;
        case u'+': min = 1, max = kUnbounded; break;
        case u'?': min = 0, max = 1; break;
        case u'{': return ReadBraces(p, min, max);
        default: return QuantifierRead::kNone;
    }
    ++p.at;
    return QuantifierRead::kRead;
}

// True when a quantifier stands at p.at (p is left where it was).
bool QuantifierAhead(const Parser& p) {
    Parser probe = p;
    int32_t min = 0, max = 0;
    return ReadQuantifier(probe, min, max) != QuantifierRead::kNone;
}

bool ParseDisjunction(Parser& p, Node& out);

// One member of a class: a code unit (isSet false) or the set of a class escape.
struct ClassAtom {
    bool isSet = false;
    char16_t ch = 0;
    CharSet set;
};

bool ReadClassAtom(Parser& p, ClassAtom& atom) {
    const char16_t c = Peek(p);
    ++p.at;
    if (c != u'\\') {
        atom.ch = c;
        return true;
    }
    if (!HasAhead(p)) return false;
    const char16_t letter = Peek(p);
    ++p.at;
    if (ClassEscapeSet(letter, atom.set)) {
        atom.isSet = true;
        return true;
    }
    if (letter == u'b') {
        atom.ch = u'\b';
        return true;
    }
    return ReadCharacterEscape(p, letter, atom.ch);
}

bool ParseClass(Parser& p, Node& out) {
    ++p.at;  // [
    out.kind = NodeKind::kSet;
    out.negated = HasAhead(p) && Peek(p) == u'^';
    if (out.negated) ++p.at;
    while (true) {
        if (!HasAhead(p)) return false;
        if (Peek(p) == u']') break;
        ClassAtom first;
        if (!ReadClassAtom(p, first)) return false;
        if (Peek(p) == u'-' && HasAhead(p, 1) && Peek(p, 1) != u']') {
            ++p.at;
            ClassAtom last;
            if (!ReadClassAtom(p, last) || first.isSet || last.isSet || first.ch > last.ch) return false;
            out.set.push_back({first.ch, last.ch});
        } else if (first.isSet) {
            out.set.insert(out.set.end(), first.set.begin(), first.set.end());
        } else {
            out.set.push_back({first.ch, first.ch});
        }
    }
    ++p.at;  // ]
    Normalize(out.set);
    return true;
}

bool ParseGroup(Parser& p, Node& out) {
    ++p.at;  // (
    bool capturing = true;
    if (Peek(p) == u'?' && HasAhead(p)) {
        if (Peek(p, 1) != u':' || !HasAhead(p, 1)) return false;
        capturing = false;
        p.at += 2;
    }
    if (++p.depth > kMaxGroupDepth) return false;
    const int number = capturing ? ++p.groupCount : 0;
    Node body;
    if (!ParseDisjunction(p, body) || !HasAhead(p) || Peek(p) != u')') return false;
    ++p.at;
    --p.depth;
    if (!capturing) {
        out = std::move(body);
        return true;
    }
    out.kind = NodeKind::kGroup;
    out.group = number;
    out.children.push_back(std::move(body));
    return true;
}

bool ParseEscape(Parser& p, Node& out) {
    ++p.at;  // backslash
    if (!HasAhead(p)) return false;
    const char16_t letter = Peek(p);
    ++p.at;
    if (ClassEscapeSet(letter, out.set)) {
        out.kind = NodeKind::kSet;
        return true;
    }
    out.kind = NodeKind::kChar;
    return ReadCharacterEscape(p, letter, out.ch);
}

bool ParseAtom(Parser& p, Node& out) {
    switch (Peek(p)) {
        case u'.':
            ++p.at;
            out.kind = NodeKind::kSet;
            out.set = DotSet();
            return true;
        case u'(': return ParseGroup(p, out);
        case u'[': return ParseClass(p, out);
        case u'\\': return ParseEscape(p, out);
        case u'*':
        case u'+':
        case u'?': return false;
        case u'{':
            if (QuantifierAhead(p)) return false;
            [[fallthrough]];
        default:
            out.kind = NodeKind::kChar;
            out.ch = Peek(p);
            ++p.at;
            return true;
    }
}

// An assertion at p.at, read into out; false when there is none.
bool ReadAssertion(Parser& p, Node& out) {
    const char16_t c = Peek(p);
    if (c == u'^' || c == u'$') {
        out.assertion = c == u'^' ? Assertion::kLineStart : Assertion::kLineEnd;
        p.at += 1;
    } else if (c == u'\\' && (Peek(p, 1) == u'b' || Peek(p, 1) == u'B') && HasAhead(p, 1)) {
        out.assertion = Peek(p, 1) == u'b' ? Assertion::kWordBoundary : Assertion::kNotWordBoundary;
        p.at += 2;
    } else {
        return false;
    }
    out.kind = NodeKind::kAssertion;
    return true;
}

bool ParseTerm(Parser& p, Node& out) {
    if (ReadAssertion(p, out)) return !QuantifierAhead(p);
    Node atom;
    if (!ParseAtom(p, atom)) return false;
    int32_t min = 0, max = 0;
    const QuantifierRead read = ReadQuantifier(p, min, max);
    if (read == QuantifierRead::kInvalid) return false;
    if (read == QuantifierRead::kNone) {
        out = std::move(atom);
        return true;
    }
    out.kind = NodeKind::kRepeat;
    out.min = min;
    out.max = max;
    out.greedy = !(HasAhead(p) && Peek(p) == u'?');
    if (!out.greedy) ++p.at;
    out.children.push_back(std::move(atom));
    return true;
}

bool ParseAlternative(Parser& p, Node& out) {
    out.kind = NodeKind::kConcat;
    while (HasAhead(p) && Peek(p) != u'|' && Peek(p) != u')') {
        Node term;
        if (!ParseTerm(p, term)) return false;
        out.children.push_back(std::move(term));
    }
    if (out.children.empty()) out.kind = NodeKind::kEmpty;
    if (out.children.size() == 1) {
        Node only = std::move(out.children.front());
        out = std::move(only);
    }
    return true;
}

bool ParseDisjunction(Parser& p, Node& out) {
    Node first;
    if (!ParseAlternative(p, first)) return false;
    if (!HasAhead(p) || Peek(p) != u'|') {
        out = std::move(first);
        return true;
    }
    out.kind = NodeKind::kAlternation;
    out.children.push_back(std::move(first));
    while (HasAhead(p) && Peek(p) == u'|') {
        ++p.at;
        Node next;
        if (!ParseAlternative(p, next)) return false;
        out.children.push_back(std::move(next));
    }
    return true;
}

}  // namespace

std::optional<Syntax> ParsePattern(std::u16string_view pattern) {
    Parser p{pattern};
    Syntax syntax;
    if (!ParseDisjunction(p, syntax.root) || HasAhead(p)) return std::nullopt;
    syntax.groupCount = p.groupCount;
    return syntax;
}

}  // namespace regex
