#include "readers/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace {

using namespace std::string_literals;

struct Utf8Row {
    const char* name;
    std::string utf8;
    Text text;
};

TEST(CodePageTest, Utf8ToTextConvertsEachCodePointOrGivesOneQuestionMark) {
    const Utf8Row rows[] = {
        {"ASCII, TAB, CR LF", "[Stage]\t1\t-2.5\r\nx=\"y\"\n", "[Stage]\t1\t-2.5\r\nx=\"y\"\n"},
        {"Chinese", "中文", "\xD6\xD0\xCE\xC4"},
        {"two-byte UTF-8 into GBK", "é·", "\xA8\xA6\xA1\xA4"},
        {"euro sign", "\xE2\x82\xAC", "\x80"},
        {"emoji", "x\xF0\x9F\x98\x80y", "x?y"},
        {"Hangul", "한국", "??"},
        {"byte-order mark", "\xEF\xBB\xBFx", "?x"},
        {"U+FFFD itself", "\xEF\xBF\xBD", "?"},
        {"private use", "\xEE\x80\x80", "?"},
        {"NUL kept", "a\0b"s, "a\0b"s},
        {"F0 80 80", "\xF0\x80\x80", "???"},
        {"E1 80 41", "\xE1\x80\x41", "?A"},
        {"surrogate ED A0 80", "\xED\xA0\x80", "???"},
        {"overlong C0 AF", "\xC0\xAF", "??"},
        {"overlong E0 80 80", "\xE0\x80\x80", "???"},
        {"truncated F0 9F 98 at the end", "x\xF0\x9F\x98", "x?"},
        {"truncated E4 B8 then ASCII", "\xE4\xB8x", "?x"},
        {"lone continuation bytes", "\x80\xBF", "??"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????"},
        {"F5 and FF", "\xF5\xFF", "??"},
        {"largest code point", "\xF4\x8F\xBF\xBF", "?"},
    };
    for (const Utf8Row& row : rows)
        EXPECT_EQ(Utf8ToText(row.utf8), row.text) << row.name;
}

struct TextRow {
    const char* name;
    Text text;
    std::string utf8;
    std::u16string utf16;
};

// An unassigned code here: A1 40 has an ASCII trail byte, FE A0 does not.
TEST(CodePageTest, TextToUnicodeEscapesEachByteThatBeginsNoCharacter) {
    const TextRow rows[] = {
        {"ASCII, TAB, CR LF", "a\tb\r\n", "a\tb\r\n", u"a\tb\r\n"},
        {"NUL kept", "a\0b"s, "a\0b"s, u"a\0b"s},
        {"Chinese", "\xD6\xD0\xCE\xC4", "中文", u"中文"},
        {"euro sign", "\x80", "\xE2\x82\xAC", u"\u20AC"},
        {"lowest code", "\x81\x40", "丂", u"丂"},
        {"0xFF", "\xFFx", "\uFFFDx", u"\xDCFFx"},
        {"lead byte at the end", "a\xD6", "a\uFFFD", u"a\xDCD6"},
        {"lead byte, space", "\xD6 \xD0\xCE", "\uFFFD 形", u"\xDCD6 形"},
        {"lead byte, DEL", "\xD6\x7F", "\uFFFD\x7F", u"\xDCD6\x7F"},
        {"lead byte, 0xFF", "\xD6\xFF", "\uFFFD\uFFFD", u"\xDCD6\xDCFF"},
        {"unassigned, ASCII trail", "\xA1\x40", "\uFFFD@", u"\xDCA1@"},
        {"unassigned, high trail", "\xFE\xA0\xD0\xCE", "\uFFFD\uFFFD形", u"\xDCFE\xDCA0形"},
        {"unassigned, trail 0x80", "\xA2\x80", "\uFFFD\uFFFD", u"\xDCA2\xDC80"},
    };
    for (const TextRow& row : rows) {
        EXPECT_EQ(TextToUtf8(row.text), row.utf8) << row.name;
        EXPECT_EQ(TextToUtf16(row.text), row.utf16) << row.name;
    }
}

struct Utf16Row {
    const char* name;
    std::u16string utf16;
    Text text;
};

TEST(CodePageTest, Utf16ToTextTurnsEscapesBackAndOtherSurrogatesIntoQuestionMarks) {
    const Utf16Row rows[] = {
        {"Chinese and euro sign", u"中文\u20AC", "\xD6\xD0\xCE\xC4\x80"},
        {"Hangul", u"\uD55C", "?"},
        {"NUL kept", u"a\0b"s, "a\0b"s},
        {"pair", u"a\U0001F600b", "a?b"},
        {"escapes", u"\xDC80\xDCD6\xDCFF", "\x80\xD6\xFF"},
        {"low surrogate that is no escape", u"\xDC41\xDC7F\xDD00", "???"},
        {"lone high surrogate", u"\xD83Dx", "?x"},
        {"high surrogate at the end", u"a\xD83D", "a?"},
        {"pair reversed", u"\xDE00\xD83D", "??"},
        {"high surrogate, escape", u"\xD83D\xDC80", "?"},
    };
    for (const Utf16Row& row : rows)
        EXPECT_EQ(Utf16ToText(row.utf16), row.text) << row.name;
}

std::string Hex(std::string_view bytes) {
    std::string hex;
    for (const char byte : bytes)
        hex += "0123456789ABCDEF"[(byte >> 4) & 0xF], hex += "0123456789ABCDEF"[byte & 0xF];
    return hex;
}

// Every one- and two-byte Text survives UTF-16; the characters survive UTF-8 as well.
TEST(CodePageTest, EveryShortTextSurvivesTheRoundTrip) {
    for (int byte = 0; byte < 0x100; ++byte) {
        const Text text(1, static_cast<char>(byte));
        ASSERT_EQ(Utf16ToText(TextToUtf16(text)), text) << Hex(text);
    }
    for (int code = 0; code < 0x10000; ++code) {
        const Text text{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        const std::u16string utf16 = TextToUtf16(text);
        ASSERT_EQ(Utf16ToText(utf16), text) << Hex(text);
        const bool escaped = std::any_of(utf16.begin(), utf16.end(),
                                         [](char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; });
        if (!escaped) {
            ASSERT_EQ(Utf8ToText(TextToUtf8(text)), text) << Hex(text);
        }
    }
}

// The ASCII fast path reads whole words; a character placed at every offset of a buffer
// longer than a few words meets each word boundary.
TEST(CodePageTest, Utf8ToTextFindsACharacterAtEveryOffsetOfAnAsciiBuffer) {
    std::string ascii;
    for (int i = 0; i < 45; ++i)
        ascii += static_cast<char>('!' + i);
    const struct {
        const char* utf8;
        const char* text;
    } inserts[] = {{"中", "\xD6\xD0"}, {"\xE2\x82\xAC", "\x80"}, {"\xFF", "?"}, {"\xF0\x9F\x98", "?"}};
    for (const auto& insert : inserts) {
        for (size_t offset = 0; offset <= ascii.size(); ++offset) {
            const std::string utf8 = ascii.substr(0, offset) + insert.utf8 + ascii.substr(offset);
            const Text text = ascii.substr(0, offset) + insert.text + ascii.substr(offset);
            ASSERT_EQ(Utf8ToText(utf8), text) << Hex(insert.utf8) << " at " << offset;
            ASSERT_EQ(Utf8ToText(ascii.substr(0, offset)), ascii.substr(0, offset)) << offset;
        }
    }
}

}  // namespace
