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

// Copies the leading ASCII bytes of in to out and returns their number. Whole words are
// stored, so up to 7 bytes past the run may be written too: out must have room for all of
// in, and the caller overwrites them.
size_t CopyAsciiRun(std::string_view in, char* out) {
    size_t count = 0;
    for (; count + 8 <= in.size(); count += 8) {
        uint64_t word;
        std::memcpy(&word, in.data() + count, 8);
        std::memcpy(out + count, &word, 8);
        if (word & kHighBits) return count + FirstMarkedByte(word & kHighBits);
    }
    for (; count < in.size() && static_cast<unsigned char>(in[count]) < 0x80; ++count)
        out[count] = in[count];
    return count;
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

// Every step reads at least as many bytes as it writes, so the output fits in the input's size.
Text Utf8ToText(std::string_view utf8) {
    Text text(utf8.size(), '\0');
    char* out = text.data();
    for (size_t pos = 0; pos < utf8.size();) {
        const size_t run = CopyAsciiRun(utf8.substr(pos), out);
        pos += run;
        out += run;
        if (pos == utf8.size()) break;
        const Utf8Sequence sequence = DecodeUtf8(utf8.substr(pos));
        out = PutCodePage(sequence.codePoint == kReplacement ? U'?' : sequence.codePoint, out);
        pos += sequence.length;
    }
    text.resize(static_cast<size_t>(out - text.data()));
    return text;
}

std::string TextToUtf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    ForEachCharacter(
        text, [&](char32_t codePoint) { AppendUtf8(codePoint, utf8); },
        [&](unsigned char) { AppendUtf8(kReplacement, utf8); });
    return utf8;
}

std::u16string TextToUtf16(std::string_view text) {
    std::u16string utf16;
    utf16.reserve(text.size());
    ForEachCharacter(
        text, [&](char32_t codePoint) { utf16 += static_cast<char16_t>(codePoint); },
        [&](unsigned char byte) { utf16 += static_cast<char16_t>(kEscapeBase + byte); });
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
