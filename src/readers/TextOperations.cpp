// The Text operations. Positions cross the interface 1-based; inside, offsets are 0-based.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "readers/CodePage.h"
#include "readers/Text.h"

namespace {

bool IsLeadByte(unsigned char byte) { return byte >= 0x80; }

// The byte with an ASCII capital turned into its small letter; every other byte unchanged.
unsigned char FoldAscii(unsigned char byte) { return (byte >= 'A' && byte <= 'Z') ? byte + 0x20 : byte; }

bool EqualFolded(const char* a, const char* b, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        if (FoldAscii(static_cast<unsigned char>(a[i])) != FoldAscii(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// The next offset at or after from where byte occurs, or the end of the range.
size_t NextByte(std::string_view text, unsigned char byte, size_t from, size_t end) {
    const void* hit = std::memchr(text.data() + from, byte, end - from);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text.data()) : end;
}

constexpr uint64_t kHighBits = 0x8080808080808080;

uint64_t LoadWord(const char* p) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// How often each byte turns up in the data files, roughly: 0 for the rarest. Digits, TAB,
// line ends, spaces and the brackets of the section headers fill the files; letters come at
// about their rate in English words (the files' names and section names are English).
constexpr std::array<uint8_t, 256> kByteFrequency = [] {
    std::array<uint8_t, 256> frequency{};
    for (int byte = 0x80; byte < 0x100; ++byte) frequency[size_t(byte)] = 20;  // CJK is common in act files
    constexpr std::string_view kLettersByRate = "etaoinsrhldcumfpgwybvkxjqz";
    for (size_t rank = 0; rank < kLettersByRate.size(); ++rank) {
        const auto rate = static_cast<uint8_t>(1 + kLettersByRate.size() - rank);
        frequency[size_t(kLettersByRate[rank])] = rate;
        frequency[size_t(kLettersByRate[rank] - 0x20)] = rate;
    }
    for (const char c : std::string_view("0123456789\t\r\n []/`.-")) frequency[size_t(c)] = 40;
    return frequency;
}();

// The offset in sub of its rarest byte.
size_t RarestByte(std::string_view sub) {
    size_t rarest = 0;
    for (size_t i = 1; i < sub.size(); ++i) {
        if (kByteFrequency[static_cast<unsigned char>(sub[i])] < kByteFrequency[static_cast<unsigned char>(sub[rarest])])
            rarest = i;
    }
    return rarest;
}

// The next offset at or after from where sub (not empty) occurs exactly, by bytes. memchr
// looks for sub's rarest byte, not its first: a marker's first byte ("[", CR) begins many
// lines of the data files that are not the marker, and every stop costs a call.
size_t FindExact(std::string_view text, std::string_view sub, size_t from) {
    if (text.size() < sub.size()) return std::string_view::npos;
    const size_t end = text.size() - sub.size() + 1;  // one past the last possible start
    const char* data = text.data();
    const size_t anchor = RarestByte(sub);
    for (; from < end; ++from) {
        const void* hit = std::memchr(data + from + anchor, sub[anchor], end - from);
        if (!hit) return std::string_view::npos;
        from = static_cast<size_t>(static_cast<const char*>(hit) - data) - anchor;
        if (std::memcmp(data + from, sub.data(), sub.size()) == 0) return from;
    }
    return std::string_view::npos;
}

// The next offset at or after from where sub occurs in text by bytes, ignoring character
// starts; npos when there is none. The caller then checks that it begins a character.
// Folded, sub's rarest byte is looked for in both cases; each memchr result is kept until
// the search passes it, so a letter absent in one case costs one scan, not one per
// candidate. Offsets of that byte are kept as the offsets of the starts they stand for.
size_t FindCandidate(std::string_view text, std::string_view sub, size_t from, bool ignoreCase) {
    if (!ignoreCase) return FindExact(text, sub, from);
    if (text.size() < sub.size()) return std::string_view::npos;
    const size_t anchor = RarestByte(sub);
    const unsigned char lower = FoldAscii(static_cast<unsigned char>(sub[anchor]));
    const unsigned char upper = (lower >= 'a' && lower <= 'z') ? lower - 0x20 : lower;
    const size_t end = text.size() - sub.size() + 1;  // one past the last possible start
    const auto next = [&](unsigned char byte, size_t start) {
        return NextByte(text, byte, start + anchor, end + anchor) - anchor;
    };
    size_t nextLower = next(lower, from);
    size_t nextUpper = upper == lower ? end : next(upper, from);
    while (from < end) {
        if (nextLower < from) nextLower = next(lower, from);
        if (nextUpper < from) nextUpper = next(upper, from);
        const size_t at = std::min(nextLower, nextUpper);
        if (at >= end) return std::string_view::npos;
        if (EqualFolded(text.data() + at, sub.data(), sub.size())) return at;
        from = at + 1;
    }
    return std::string_view::npos;
}

// Whether the eight bytes at p are all ASCII.
bool AsciiWord(const char* p) { return (LoadWord(p) & kHighBits) == 0; }

// Whether the 32 bytes at p are all ASCII: one test for four words.
bool AsciiBlock(const char* p) {
    return ((LoadWord(p) | LoadWord(p + 8) | LoadWord(p + 16) | LoadWord(p + 24)) & kHighBits) == 0;
}

// Steps by characters from p until p reaches target or passes it. Returns false when the
// walk ends on a lead byte that is the last byte of the text. An ASCII byte is a character
// of its own, so a run of them is crossed many at a time: the data files are mostly ASCII,
// and every search walks the text from its start.
bool StepTo(std::string_view text, size_t& p, size_t target) {
    while (p < target) {
        while (target - p >= 32 && AsciiBlock(text.data() + p)) p += 32;
        while (target - p >= 16 && AsciiWord(text.data() + p) && AsciiWord(text.data() + p + 8)) p += 16;
        while (target - p >= 8 && AsciiWord(text.data() + p)) p += 8;
        if (p >= target) break;
        if (IsLeadByte(static_cast<unsigned char>(text[p]))) {
            if (p + 1 == text.size()) return false;
            p += 2;
        } else {
            ++p;
        }
    }
    return true;
}

// The length of the character that begins at p: 2 for a lead byte with a byte after it.
size_t CharLength(std::string_view text, size_t p) {
    return (IsLeadByte(static_cast<unsigned char>(text[p])) && p + 1 < text.size()) ? 2 : 1;
}

bool IsSpaceAt(std::string_view text, size_t p) {
    if (text[p] == ' ') return true;
    return p + 1 < text.size() && static_cast<unsigned char>(text[p]) == 0xA1 &&
           static_cast<unsigned char>(text[p + 1]) == 0xA1;
}

}  // namespace

int TextLength(std::string_view text) { return static_cast<int>(text.size()); }

int CompareText(std::string_view a, std::string_view b) {
    const int order = a.compare(b);  // char_traits<char> compares as unsigned char
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int CompareBytes(std::string_view a, std::string_view b, int n) {
    if (n <= 0) return 0;
    const int order = std::memcmp(a.data(), b.data(), static_cast<size_t>(n));
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int FindText(std::string_view text, std::string_view sub, int start, bool ignoreCase) {
    const size_t length = text.size();
    const size_t s = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
    if (s >= length) return -1;
    if (sub.empty()) return 1;
    size_t p = s;  // always a character start of the walk that began at s
    while (length - p >= sub.size()) {
        const size_t candidate = FindCandidate(text, sub, p, ignoreCase);
        if (candidate == std::string_view::npos) return -1;
        if (!StepTo(text, p, candidate)) return -1;
        if (p == candidate) return static_cast<int>(p) + 1;
        // The candidate lay on a second byte: search on from the character after it.
    }
    return -1;
}

Text TextLeft(std::string_view text, int n) {
    if (n <= 0) return {};
    return Text(text.substr(0, static_cast<size_t>(n)));
}

Text TextRight(std::string_view text, int n) {
    if (n <= 0) return {};
    const size_t count = std::min(text.size(), static_cast<size_t>(n));
    return Text(text.substr(text.size() - count));
}

Text TextMid(std::string_view text, int start, int n) {
    if (start < 1 || static_cast<size_t>(start) > text.size() || n <= 0) return {};
    return Text(text.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(n)));
}

Text CharFromCode(unsigned char code) { return code == 0 ? Text() : Text(1, static_cast<char>(code)); }

std::vector<std::string_view> SplitTextViews(std::string_view text, std::string_view delimiter) {
    std::vector<std::string_view> pieces;
    if (text.empty()) return pieces;
    if (delimiter.empty()) {
        pieces.push_back(text);
        return pieces;
    }
    size_t pieceStart = 0;
    size_t p = 0;
    while (text.size() - p >= delimiter.size()) {
        const size_t candidate = FindExact(text, delimiter, p);
        if (candidate == std::string_view::npos) break;
        if (!StepTo(text, p, candidate)) break;
        if (p != candidate) continue;
        pieces.push_back(text.substr(pieceStart, p - pieceStart));
        p += delimiter.size();
        pieceStart = p;
    }
    if (pieceStart < text.size()) pieces.push_back(text.substr(pieceStart));
    return pieces;
}

TextList SplitText(std::string_view text, std::string_view delimiter) {
    const std::vector<std::string_view> views = SplitTextViews(text, delimiter);
    return TextList(views.begin(), views.end());
}

std::string_view TrimBothEndsView(std::string_view text) {
    size_t p = 0;
    while (p < text.size() && IsSpaceAt(text, p)) p += CharLength(text, p);
    const size_t begin = p;
    // The trailing run is found walking forward, so a 0xA1 0xA1 that is really the second
    // byte of one character and the first of the next never counts as a full-width space.
    size_t keepEnd = begin;
    while (p < text.size()) {
        const bool space = IsSpaceAt(text, p);
        p += CharLength(text, p);
        if (!space) keepEnd = p;
    }
    return text.substr(begin, keepEnd - begin);
}

Text TrimBothEnds(std::string_view text) { return Text(TrimBothEndsView(text)); }

namespace {

// ReplaceText for one byte that case does not change, in a text without lead bytes, where
// every byte begins a character: the ids of the map reader, a TAB at a time.
Text ReplaceAsciiByte(std::string_view text, char byte, std::string_view replacement) {
    Text result;
    result.reserve(text.size());
    for (const char c : text) {
        if (c == byte) {
            result.append(replacement);
        } else {
            result.push_back(c);
        }
    }
    return result;
}

}  // namespace

Text ReplaceText(std::string_view text, std::string_view sub, std::string_view replacement,
                 bool caseSensitive) {
    if (text.empty() || sub.empty()) return Text(text);
    const unsigned char only = static_cast<unsigned char>(sub[0]);
    const bool isLetter = FoldAscii(only) >= 'a' && FoldAscii(only) <= 'z';
    if (sub.size() == 1 && !IsLeadByte(only) && (caseSensitive || !isLetter) && text.size() <= 64 &&
        IsAscii(text)) {
        return ReplaceAsciiByte(text, sub[0], replacement);
    }
    Text result;
    result.reserve(text.size());
    size_t p = 0;
    while (text.size() - p >= sub.size()) {
        const size_t candidate = FindCandidate(text, sub, p, !caseSensitive);
        if (candidate == std::string_view::npos) break;
        const size_t from = p;
        if (!StepTo(text, p, candidate)) {  // a lead byte at the very end: the rest as it is
            p = from;
            break;
        }
        result.append(text.substr(from, p - from));
        if (p != candidate) continue;
        result.append(replacement);
        p += sub.size();
    }
    result.append(text.substr(p));
    return result;
}

Text IntegerToText(int32_t value) { return std::to_string(value); }

int64_t TruncateToInteger(double value) {
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double kLimit = 9223372036854775808.0;
    if (!(value > -kLimit && value < kLimit)) return 0;
    return static_cast<int64_t>(std::trunc(value));
}
