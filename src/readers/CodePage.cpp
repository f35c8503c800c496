#include "readers/CodePage.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {

constexpr int kTrailsPerLead = 190;
constexpr int kLeadCount = 0xFE - 0x81 + 1;

// Double-byte code -> UTF-16 code unit, 0 for an unassigned code; laid out as the file says.
constexpr char16_t kDecodeTable[] = {
#include "readers/Cp936Table.inc"
};
static_assert(std::size(kDecodeTable) == kLeadCount * kTrailsPerLead);

constexpr char32_t kReplacement = 0xFFFD;
constexpr char16_t kEscapeBase = 0xDC00;
constexpr unsigned char kEuroByte = 0x80;
constexpr char16_t kEuroSign = 0x20AC;

constexpr bool IsLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// Whether byte can follow a lead byte at all; such a pair is a character or unassigned.
constexpr bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

constexpr int PairIndex(unsigned char lead, unsigned char trail) {
    return (lead - 0x81) * kTrailsPerLead + trail - (trail < 0x7F ? 0x40 : 0x41);
}

// The code point of lead + trail, or 0 when the pair is no character.
constexpr char16_t DecodePair(unsigned char lead, unsigned char trail) {
    return IsTrailByte(trail) ? kDecodeTable[PairIndex(lead, trail)] : char16_t{0};
}

// Code point -> code page 936 code: below 0x100 a single byte, otherwise lead << 8 | trail.
// A code point the code page lacks maps to "?", so encoding never needs a second test.
// Building it from the decoding table is exact: every code decodes to a code point of its
// own, and iconv encodes each code point to the one code that decodes to it.
constexpr std::array<uint16_t, 0x10000> BuildEncodeTable() {
    std::array<uint16_t, 0x10000> table{};
    for (auto& code : table)
        code = '?';
    for (uint16_t byte = 0; byte < 0x80; ++byte)
        table[byte] = byte;
    table[kEuroSign] = kEuroByte;
    for (int index = 0; index < kLeadCount * kTrailsPerLead; ++index) {
        const int column = index % kTrailsPerLead;
        const int trail = column + (column < 0x7F - 0x40 ? 0x40 : 0x41);
        if (kDecodeTable[index] != 0)
            table[kDecodeTable[index]] = static_cast<uint16_t>((0x81 + index / kTrailsPerLead) << 8 | trail);
    }
    return table;
}

constexpr std::array<uint16_t, 0x10000> kEncodeTable = BuildEncodeTable();

// Writes the code page 936 form of codePoint at out; returns the end. "?" beyond the BMP.
char* PutCodePage(char32_t codePoint, char* out) {
    const uint16_t code = codePoint <= 0xFFFF ? kEncodeTable[codePoint] : uint16_t{'?'};
    if (code >= 0x100) *out++ = static_cast<char>(code >> 8);
    *out++ = static_cast<char>(code & 0xFF);
    return out;
}

// How many continuation bytes follow a UTF-8 lead byte, and the range the first of them must
// lie in: the range rules out overlong forms, surrogates and code points beyond U+10FFFF.
struct Utf8Lead {
    int trailCount;  // 0: the byte begins no sequence
    unsigned char low;
    unsigned char high;
};

constexpr Utf8Lead ReadUtf8Lead(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return {1, 0x80, 0xBF};
    if (lead == 0xE0) return {2, 0xA0, 0xBF};
    if (lead == 0xED) return {2, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {2, 0x80, 0xBF};
    if (lead == 0xF0) return {3, 0x90, 0xBF};
    if (lead == 0xF4) return {3, 0x80, 0x8F};
    if (lead >= 0xF1 && lead <= 0xF3) return {3, 0x80, 0xBF};
    return {0, 0, 0};
}

struct Utf8Sequence {
    char32_t codePoint;  // kReplacement for a maximal invalid subpart
    size_t length;
};

// The first character of utf8 (not empty), or the maximal invalid subpart found there.
Utf8Sequence DecodeUtf8(std::string_view utf8) {
    const auto lead = static_cast<unsigned char>(utf8[0]);
    if (lead < 0x80) return {lead, 1};
    auto [trailCount, low, high] = ReadUtf8Lead(lead);
    if (trailCount == 0) return {kReplacement, 1};
    char32_t codePoint = lead & (0x3F >> trailCount);
    size_t length = 1;
    for (; trailCount > 0; --trailCount, ++length, low = 0x80, high = 0xBF) {
        if (length == utf8.size()) return {kReplacement, length};
        const auto trail = static_cast<unsigned char>(utf8[length]);
        if (trail < low || trail > high) return {kReplacement, length};
        codePoint = codePoint << 6 | (trail & 0x3F);
    }
    return {codePoint, length};
}

constexpr uint64_t kHighBits = 0x8080808080808080;

// The index of the first byte of a word read from memory whose high bit is set in highBits.
int FirstMarkedByte(uint64_t highBits) {
    if constexpr (std::endian::native == std::endian::little) return std::countr_zero(highBits) / 8;
    return std::countl_zero(highBits) / 8;
}

bool AsciiWord(uint64_t word) { return (word & kHighBits) == 0; }

uint64_t LoadWord(const char* p) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// The number of leading ASCII bytes of the n bytes at p.
size_t AsciiPrefix(const char* p, size_t n) {
    size_t count = 0;
    for (; n - count >= 16; count += 16) {
        const uint64_t a = LoadWord(p + count);
        const uint64_t b = LoadWord(p + count + 8);
        if (!AsciiWord(a | b)) break;
    }
    for (; n - count >= 8; count += 8) {
        const uint64_t word = LoadWord(p + count);
        if (!AsciiWord(word)) return count + FirstMarkedByte(word & kHighBits);
    }
    while (count < n && static_cast<unsigned char>(p[count]) < 0x80) ++count;
    return count;
}

// Moves the leading ASCII bytes of the n bytes at in down to out (out at or before in, in
// the same buffer) and returns their number. A word is read whole before it is stored and
// never stored past what has been read, so no byte is overwritten before it is read.
size_t MoveAsciiRun(const char* in, char* out, size_t n) {
    size_t count = 0;
    for (; n - count >= 16; count += 16) {
        const uint64_t a = LoadWord(in + count);
        const uint64_t b = LoadWord(in + count + 8);
        if (!AsciiWord(a | b)) break;
        std::memcpy(out + count, &a, sizeof a);
        std::memcpy(out + count + 8, &b, sizeof b);
    }
    for (; n - count >= 8; count += 8) {
        const uint64_t word = LoadWord(in + count);
        if (!AsciiWord(word)) break;
        std::memcpy(out + count, &word, sizeof word);
    }
    for (; count < n && static_cast<unsigned char>(in[count]) < 0x80; ++count) out[count] = in[count];
    return count;
}

constexpr bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The character at the start of the n bytes at p (n above 0, the first byte not ASCII).
// The two- and three-byte forms that need no range check beyond their continuation bytes,
// which are nearly all the CJK text of the files, are decoded at once; the rest as the
// general rules say.
Utf8Sequence DecodeNonAscii(const char* p, size_t n) {
    const auto lead = static_cast<unsigned char>(p[0]);
    if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && n >= 3) {
        const auto b1 = static_cast<unsigned char>(p[1]);
        const auto b2 = static_cast<unsigned char>(p[2]);
        if (IsContinuation(b1) && IsContinuation(b2))
            return {char32_t(lead & 0x0F) << 12 | char32_t(b1 & 0x3F) << 6 | char32_t(b2 & 0x3F), 3};
    } else if (lead >= 0xC2 && lead <= 0xDF && n >= 2) {
        const auto b1 = static_cast<unsigned char>(p[1]);
        if (IsContinuation(b1)) return {char32_t(lead & 0x1F) << 6 | char32_t(b1 & 0x3F), 2};
    }
    return DecodeUtf8(std::string_view(p, n));
}

// Converts the UTF-8 in bytes to code page 936 where they stand. Every character takes at
// least as many bytes in UTF-8 as in code page 936 (an invalid subpart of one or more bytes
// becomes one "?"), so the output never overtakes the input. The leading ASCII run, which
// in the data files is often most of the file, is only looked at: it is already in place.
void ConvertUtf8InPlace(std::string& bytes) {
    char* const data = bytes.data();
    const size_t size = bytes.size();
    size_t in = AsciiPrefix(data, size);
    char* out = data + in;
    while (in < size) {
        const Utf8Sequence sequence = DecodeNonAscii(data + in, size - in);
        in += sequence.length;
        out = PutCodePage(sequence.codePoint == kReplacement ? U'?' : sequence.codePoint, out);
        if (in < size && static_cast<unsigned char>(data[in]) < 0x80) {
            const size_t run = MoveAsciiRun(data + in, out, size - in);
            in += run;
            out += run;
        }
    }
    bytes.resize(static_cast<size_t>(out - data));
}

// Calls onChar(codePoint) for each character of text and onEscape(byte) for each byte that
// begins none. A lead byte whose pair is unassigned is escaped with its trail byte when that
// is 0x80 or above, which can then begin nothing; an ASCII trail byte is a character of its own.
template <typename OnChar, typename OnEscape>
void ForEachCharacter(std::string_view text, OnChar onChar, OnEscape onEscape) {
    for (size_t pos = 0; pos < text.size(); ++pos) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            onChar(byte);
        } else if (byte == kEuroByte) {
            onChar(kEuroSign);
        } else if (!IsLeadByte(byte) || pos + 1 == text.size()) {
            onEscape(byte);
        } else {
            const auto trail = static_cast<unsigned char>(text[pos + 1]);
            const char16_t codePoint = DecodePair(byte, trail);
            if (codePoint != 0) {
                onChar(codePoint);
                ++pos;
                continue;
            }
            onEscape(byte);
            if (IsTrailByte(trail) && trail >= 0x80) {
                onEscape(trail);
                ++pos;
            }
        }
    }
}

void AppendUtf8(char32_t codePoint, std::string& out) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | codePoint >> 6);
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | codePoint >> 12);
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

constexpr bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

bool IsAscii(std::string_view bytes) { return AsciiPrefix(bytes.data(), bytes.size()) == bytes.size(); }

Text Utf8ToText(std::string_view utf8) {
    Text text(utf8);
    ConvertUtf8InPlace(text);
    return text;
}

Text Utf8ToTextInPlace(std::string&& utf8) {
    ConvertUtf8InPlace(utf8);
    return std::move(utf8);
}

std::string TextToUtf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    ForEachCharacter(
        text, [&](char32_t codePoint) { AppendUtf8(codePoint, utf8); },
        [&](unsigned char) { AppendUtf8(kReplacement, utf8); });
    return utf8;
}

// ASCII bytes are widened eight at a time; the rest goes character by character. No
// character takes more code units than bytes, so text's size is room enough.
std::u16string TextToUtf16(std::string_view text) {
    std::u16string utf16(text.size(), u'\0');
    char16_t* out = utf16.data();
    for (size_t pos = 0; pos < text.size();) {
        for (; text.size() - pos >= 8 && AsciiWord(LoadWord(text.data() + pos)); pos += 8, out += 8) {
            for (int i = 0; i < 8; ++i) out[i] = static_cast<char16_t>(text[pos + size_t(i)]);
        }
        while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80)
            *out++ = static_cast<char16_t>(text[pos++]);
        if (pos == text.size()) break;
        // The character there, or its escapes: a lead byte and the byte after it decide alone
        // what they become (a second byte left over is ASCII or 0xFF, alike wherever it stands).
        const bool lead = IsLeadByte(static_cast<unsigned char>(text[pos]));
        const size_t length = lead && pos + 1 < text.size() ? 2 : 1;
        ForEachCharacter(
            text.substr(pos, length), [&](char32_t codePoint) { *out++ = static_cast<char16_t>(codePoint); },
            [&](unsigned char escaped) { *out++ = static_cast<char16_t>(kEscapeBase + escaped); });
        pos += length;
    }
    utf16.resize(static_cast<size_t>(out - utf16.data()));
    return utf16;
}

Text Utf16ToText(std::u16string_view utf16) {
    Text text(utf16.size() * 2, '\0');
    char* out = text.data();
    for (size_t pos = 0; pos < utf16.size(); ++pos) {
        const char16_t unit = utf16[pos];
        if (IsHighSurrogate(unit) && pos + 1 < utf16.size() && IsLowSurrogate(utf16[pos + 1])) {
            *out++ = '?';
            ++pos;
        } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            *out++ = static_cast<char>(unit - kEscapeBase);
        } else {
            // A lone surrogate other than an escape has no code in the table either: "?".
            out = PutCodePage(unit, out);
        }
    }
    text.resize(static_cast<size_t>(out - text.data()));
    return text;
}
