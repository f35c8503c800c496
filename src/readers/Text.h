// Text: the byte string every part of the system works on, in code page 936.
//
// A Text holds no NUL byte. Positions are 1-based byte positions and -1 means "not found".
// Every operation reads its arguments and returns a new value owned by the caller.
// FindText, SplitText, ReplaceText and TrimBothEnds walk a Text by characters: a byte
// 0x80..0xFF is the first byte of a two-byte character whose second byte is the next byte,
// so nothing is ever found starting on the second byte of a two-byte character. The
// others count plain bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using Text = std::string;

// An ordered list of Text; the system speaks of its entries from 1, the code indexes from 0.
using TextList = std::vector<Text>;

// The number of bytes.
[[nodiscard]] int TextLength(std::string_view text);

// The operands one after the other.
template <typename... Rest>
[[nodiscard]] Text ConcatText(std::string_view first, std::string_view second, const Rest&... rest) {
    Text joined;
    joined.reserve(first.size() + second.size() + (std::string_view(rest).size() + ... + 0));
    joined.append(first).append(second);
    (joined.append(std::string_view(rest)), ...);
    return joined;
}

// -1, 0 or 1 by unsigned byte order, a proper prefix first.
[[nodiscard]] int CompareText(std::string_view a, std::string_view b);

// -1, 0 or 1 by the first of the first n bytes that differs; 0 when n is 0 or below.
// Both texts must hold at least n bytes.
[[nodiscard]] int CompareBytes(std::string_view a, std::string_view b, int n);

// The 1-based position of the first occurrence of sub at a character start, searched from
// byte start - 1 (start 0, 1 and below all mean the first byte), or -1. An empty sub is
// found at 1 when the searched range is not empty. With ignoreCase the ASCII letters are
// folded, byte by byte; nothing else is.
[[nodiscard]] int FindText(std::string_view text, std::string_view sub, int start = 0,
                           bool ignoreCase = false);

// The first min(n, length) bytes; empty when n is 0 or below.
[[nodiscard]] Text TextLeft(std::string_view text, int n);

// The last min(n, length) bytes; empty when n is 0 or below.
[[nodiscard]] Text TextRight(std::string_view text, int n);

// At most n bytes from position start, never past the end; empty when start is below 1 or
// beyond the length, or n is 0 or below.
[[nodiscard]] Text TextMid(std::string_view text, int start, int n);

// The one-byte Text holding code; code 0 gives the empty Text.
[[nodiscard]] Text CharFromCode(unsigned char code);

// The pieces between exact occurrences of delimiter. A leading or doubled delimiter gives
// an empty piece, a trailing one does not; an empty text gives no piece and an empty
// delimiter gives the whole text as its one piece.
[[nodiscard]] TextList SplitText(std::string_view text, std::string_view delimiter);
// The same pieces as views into text, for a caller that copies only what it keeps.
[[nodiscard]] std::vector<std::string_view> SplitTextViews(std::string_view text, std::string_view delimiter);

// The text without the spaces and full-width spaces (A1 A1) at its two ends. TAB, CR, LF
// and every other byte stay.
[[nodiscard]] Text TrimBothEnds(std::string_view text);
// The same as a view into text.
[[nodiscard]] std::string_view TrimBothEndsView(std::string_view text);

// Every occurrence of sub replaced by replacement, left to right, without overlaps and
// without searching the replacement again. A copy of text when text or sub is empty.
[[nodiscard]] Text ReplaceText(std::string_view text, std::string_view sub, std::string_view replacement,
                               bool caseSensitive);

// Signed decimal digits: "-12", "0".
[[nodiscard]] Text IntegerToText(int32_t value);

// The integer part, truncated toward zero. A value outside the 64-bit range, or not a
// number, gives 0 rather than undefined behaviour.
[[nodiscard]] int64_t TruncateToInteger(double value);

// "#引号" in code page 936: the placeholder for a double quote in markers and expressions.
inline constexpr std::string_view kQuotePlaceholder = "#\xD2\xFD\xBA\xC5";
