// The Text operations and section extraction on arbitrary texts, markers and positions.
// Each result is checked against what the operation promises: positions in range and at
// the character starts of the walk where the operation steps by characters, split pieces
// that join back into the text, trimmed text without spaces at its ends, and so on. Where
// the promise pins the result down completely, a plain character-by-character walk gives
// the expected value.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "FuzzInput.h"
#include "readers/Sections.h"
#include "readers/Text.h"

namespace {

// The length of the character at p in the walk: a byte 0x80..0xFF with a byte after it
// begins a two-byte character.
size_t CharLength(std::string_view text, size_t p) {
    return static_cast<unsigned char>(text[p]) >= 0x80 && p + 1 < text.size() ? 2 : 1;
}

unsigned char Fold(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
}

bool EqualAt(std::string_view text, size_t p, std::string_view sub, bool ignoreCase) {
    if (p > text.size() || text.size() - p < sub.size()) return false;
    for (size_t i = 0; i < sub.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[p + i]);
        const auto b = static_cast<unsigned char>(sub[i]);
        if (ignoreCase ? Fold(a) != Fold(b) : a != b) return false;
    }
    return true;
}

int ExpectedFind(std::string_view text, std::string_view sub, int start, bool ignoreCase) {
    const size_t s = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
    if (s >= text.size()) return -1;
    if (sub.empty()) return 1;
    for (size_t p = s; text.size() - p >= sub.size(); p += CharLength(text, p)) {
        if (EqualAt(text, p, sub, ignoreCase)) return static_cast<int>(p) + 1;
    }
    return -1;
}

TextList ExpectedSplit(std::string_view text, std::string_view delimiter) {
    TextList pieces;
    if (text.empty()) return pieces;
    if (delimiter.empty()) return {Text(text)};
    size_t pieceStart = 0;
    for (size_t p = 0; p < text.size();) {
        if (EqualAt(text, p, delimiter, false)) {
            pieces.emplace_back(text.substr(pieceStart, p - pieceStart));
            p += delimiter.size();
            pieceStart = p;
        } else {
            p += CharLength(text, p);
        }
    }
    if (pieceStart < text.size()) pieces.emplace_back(text.substr(pieceStart));
    return pieces;
}

Text ExpectedReplace(std::string_view text, std::string_view sub, std::string_view replacement,
                     bool caseSensitive) {
    if (text.empty() || sub.empty()) return Text(text);
    Text result;
    size_t p = 0;
    while (p < text.size()) {
        if (EqualAt(text, p, sub, !caseSensitive)) {
            result.append(replacement);
            p += sub.size();
        } else {
            const size_t length = std::min(CharLength(text, p), text.size() - p);
            result.append(text.substr(p, length));
            p += length;
        }
    }
    return result;
}

bool IsSpaceChar(std::string_view text, size_t p) {
    return text[p] == ' ' || (CharLength(text, p) == 2 && static_cast<unsigned char>(text[p]) == 0xA1 &&
                              static_cast<unsigned char>(text[p + 1]) == 0xA1);
}

Text ExpectedTrim(std::string_view text) {
    size_t begin = text.size(), end = 0;
    for (size_t p = 0; p < text.size(); p += CharLength(text, p)) {
        if (IsSpaceChar(text, p)) continue;
        begin = std::min(begin, p);
        end = p + CharLength(text, p);
    }
    return begin < end ? Text(text.substr(begin, end - begin)) : Text();
}

class CountingPump final : public MessagePump {
  public:
    void DispatchPendingMessages() override { ++count; }
    long count = 0;
};

void CheckFind(std::string_view text, std::string_view sub, int start, bool ignoreCase) {
    const int found = FindText(text, sub, start, ignoreCase);
    FUZZ_CHECK(found == ExpectedFind(text, sub, start, ignoreCase));
    if (found != -1 && !sub.empty()) {
        FUZZ_CHECK(found >= std::max(start, 1));
        FUZZ_CHECK(static_cast<size_t>(found) - 1 + sub.size() <= text.size());
    }
}

void CheckSplit(std::string_view text, std::string_view delimiter) {
    const TextList pieces = SplitText(text, delimiter);
    FUZZ_CHECK(pieces == ExpectedSplit(text, delimiter));
    const std::vector<std::string_view> views = SplitTextViews(text, delimiter);
    FUZZ_CHECK(TextList(views.begin(), views.end()) == pieces);
    if (text.empty()) return;
    Text joined;
    for (size_t i = 0; i < pieces.size(); ++i)
        joined += (i > 0 ? Text(delimiter) : Text()) + pieces[i];
    // Only a trailing delimiter is left out of the pieces.
    FUZZ_CHECK(joined == text || Text(joined).append(delimiter) == text);
}

void CheckTrim(std::string_view text) {
    const Text trimmed = TrimBothEnds(text);
    FUZZ_CHECK(trimmed == ExpectedTrim(text));
    FUZZ_CHECK(TrimBothEndsView(text) == trimmed);
    FUZZ_CHECK(trimmed.empty() || text.find(trimmed) != std::string_view::npos);
    FUZZ_CHECK(trimmed.empty() || trimmed[0] != ' ');
}

void CheckReplace(std::string_view text, std::string_view sub, std::string_view replacement,
                  bool caseSensitive) {
    const Text replaced = ReplaceText(text, sub, replacement, caseSensitive);
    FUZZ_CHECK(replaced == ExpectedReplace(text, sub, replacement, caseSensitive));
    if (sub.empty() || FindText(text, sub, 1, !caseSensitive) == -1) FUZZ_CHECK(replaced == text);
    if (caseSensitive) FUZZ_CHECK(ReplaceText(text, sub, sub, true) == text);
}

void CheckPieces(std::string_view text, int start, int n) {
    const Text left = TextLeft(text, n), right = TextRight(text, n), mid = TextMid(text, start, n);
    const size_t count = n <= 0 ? 0 : std::min(text.size(), static_cast<size_t>(n));
    FUZZ_CHECK(left == text.substr(0, count));
    FUZZ_CHECK(right == text.substr(text.size() - count));
    if (start < 1 || static_cast<size_t>(start) > text.size() || n <= 0) {
        FUZZ_CHECK(mid.empty());
    } else {
        FUZZ_CHECK(mid == text.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(n)));
        FUZZ_CHECK(!mid.empty());
    }
}

void CheckCompare(std::string_view a, std::string_view b) {
    const int order = CompareText(a, b);
    FUZZ_CHECK(order == -CompareText(b, a));
    FUZZ_CHECK((order == 0) == (a == b));
    const std::string ua(a), ub(b);
    const int expected = ua < ub ? -1 : (ua > ub ? 1 : 0);  // char_traits<char> orders unsigned
    FUZZ_CHECK(order == expected);
    const int n = static_cast<int>(std::min(a.size(), b.size()));
    const int bytes = CompareBytes(a, b, n);
    FUZZ_CHECK(bytes == CompareText(a.substr(0, n), b.substr(0, n)));
}

void CheckBetween(std::string_view text, std::string_view start, std::string_view end, int position,
                  bool ignoreCase) {
    const Text between = TextBetween(text, start, end, position, ignoreCase);
    FUZZ_CHECK(TextBetweenView(text, start, end, position, ignoreCase) == between);
    if (between.empty()) return;
    const Text startMarker = ReplaceText(start, kQuotePlaceholder, "\"", true);
    const Text endMarker = ReplaceText(end, kQuotePlaceholder, "\"", true);
    const int s = FindText(text, startMarker, position, ignoreCase);
    FUZZ_CHECK(s >= 1);
    const size_t c = static_cast<size_t>(s) - 1 + startMarker.size();
    FUZZ_CHECK(text.substr(c, between.size()) == between);
    FUZZ_CHECK(EqualAt(text, c + between.size(), endMarker, ignoreCase));
}

void CheckBetweenAll(std::string_view text, std::string_view start, std::string_view end,
                     const SectionOptions& options) {
    TextList list = {"left over from before"};
    CountingPump pump;
    const int count = TextBetweenAll(text, start, end, list, pump, options);
    FUZZ_CHECK(count >= 0 && static_cast<size_t>(count) == list.size());
    const bool plain =
        options.prefix.empty() && options.suffix.empty() && !options.includeStart && !options.includeEnd;
    for (const Text& entry : list) {
        FUZZ_CHECK(!entry.empty());
        if (options.maxLength > 0) FUZZ_CHECK(entry.size() < static_cast<size_t>(options.maxLength));
        if (plain) {
            FUZZ_CHECK(TrimBothEnds(entry) == entry);
            FUZZ_CHECK(text.find(entry) != std::string_view::npos);
        }
        if (options.includeStart) FUZZ_CHECK(entry.compare(0, start.size(), start) == 0);
        if (options.includeEnd)
            FUZZ_CHECK(entry.size() >= end.size() &&
                       entry.compare(entry.size() - end.size(), end.size(), end) == 0);
    }
    // Every pass that finds both markers dispatches three times; each pass moves on.
    FUZZ_CHECK(pump.count % 3 == 0 || options.maxLength > 0);
    FUZZ_CHECK(pump.count <= 4 * (static_cast<long>(text.size()) + 1));
}

void CheckNumbers(FuzzInput& in) {
    int32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = static_cast<int32_t>(static_cast<uint32_t>(value) << 8 | in.Byte());
    FUZZ_CHECK(std::stol(IntegerToText(value)) == value);
    double number = 0;
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits = bits << 8 | in.Byte();
    std::memcpy(&number, &bits, sizeof number);
    const int64_t truncated = TruncateToInteger(number);
    if (std::isfinite(number) && std::fabs(number) < 9.2e18)
        FUZZ_CHECK(truncated == static_cast<int64_t>(std::trunc(number)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const bool ignoreCase = in.Flag();
    const bool caseSensitive = in.Flag();
    const int position = in.Position();
    const int count = in.Position();
    const Text sub = in.Bytes(16);
    const Text other = in.Bytes(16);
    const Text replacement = in.Bytes(16);
    SectionOptions options;
    const uint8_t optionBits = in.Byte();
    options.caseSensitive = optionBits & 1;
    options.includeStart = optionBits & 2;
    options.includeEnd = optionBits & 4;
    if (optionBits & 8) options.prefix = in.Bytes(4);
    if (optionBits & 16) options.suffix = in.Bytes(4);
    options.maxLength = (optionBits & 32) ? in.Byte() : 0;
    options.startPosition = in.Position();
    CheckNumbers(in);
    const Text text = in.Rest();

    CheckFind(text, sub, position, ignoreCase);
    CheckFind(text, sub, 0, ignoreCase);
    CheckSplit(text, sub);
    CheckTrim(text);
    CheckTrim(sub);
    CheckReplace(text, sub, replacement, caseSensitive);
    CheckPieces(text, position, count);
    CheckCompare(text, sub);
    CheckCompare(sub, other);
    CheckBetween(text, sub, other, position, ignoreCase);
    CheckBetweenAll(text, sub, other, options);
    return 0;
}
