#include <gtest/gtest.h>

#include <random>

#include "readers/Text.h"

namespace {

// A two-byte character whose second byte is "\\" (0x5C), and one whose second byte is "A".
constexpr std::string_view kBackslashTrail = "\x81\x5C";
constexpr std::string_view kLetterTrail = "\x81" "A";

struct FindCase {
    const char* name;
    std::string text;
    std::string sub;
    int start;
    bool ignoreCase;
    int expected;
};

TEST(FindText, FollowsCharacterStepping) {
    const FindCase cases[] = {
        {"empty sub in text", "abc", "", 0, false, 1},
        {"empty sub in empty text", "", "", 0, false, -1},
        {"empty sub from a later start still gives 1", "abc", "", 3, false, 1},
        {"empty sub past the end", "abc", "", 4, false, -1},
        {"start beyond the length", "abc", "c", 4, false, -1},
        {"start 0", "abcabc", "abc", 0, false, 1},
        {"start 1", "abcabc", "abc", 1, false, 1},
        {"negative start", "abcabc", "abc", -7, false, 1},
        {"start 2 skips the first", "abcabc", "abc", 2, false, 4},
        {"sub longer than the rest", "abc", "bcd", 0, false, -1},
        {"exact case misses", "[create passiveobject]", "[CREATE PASSIVEOBJECT]", 0, false, -1},
        {"ignore case finds", "x[create passiveobject]", "[CREATE PASSIVEOBJECT]", 0, true, 2},
        {"ignore case mixed", "aBcAbC", "ABC", 2, true, 4},
        {"ignore case leaves non-letters", "[a]", "{A}", 0, true, -1},
        {"backslash inside a character is not found", std::string(kBackslashTrail), "\\", 0, false, -1},
        {"backslash after the character is found", std::string(kBackslashTrail) + "\\", "\\", 0, false, 3},
        {"letter trail not found even ignoring case", std::string(kLetterTrail) + "xa", "a", 0, true, 4},
        {"two-byte characters compare exactly", "\xD6\xD0\xCE\xC4", "\xCE\xC4", 0, true, 3},
        {"second-byte candidate then a real one", "\x81\x5C\\", "\\", 0, false, 3},
        {"start inside a character walks from there", "\x81\x5C", "\\", 2, false, 2},
        {"lead byte at the end stops the walk", "a\x81", "\x81", 0, false, 2},
        {"euro lead swallows the TAB after it", "\x80\tx\t", "\t", 0, false, 4},
    };
    for (const FindCase& c : cases) {
        EXPECT_EQ(FindText(c.text, c.sub, c.start, c.ignoreCase), c.expected) << c.name;
    }
}

TEST(FindText, LongTextsFindTheRightBoundary) {
    // Many second-byte candidates before the real one: the walk must stay on characters.
    std::string text;
    for (int i = 0; i < 1000; ++i) text += kBackslashTrail;
    text += "x\\";
    EXPECT_EQ(FindText(text, "\\"), 2002);
    std::string upper(5000, 'A');
    EXPECT_EQ(FindText(upper + "b", "AB", 0, true), 5000);
    EXPECT_EQ(FindText(upper + "b", "AB", 0, false), -1);
}

// The character stepping written out plainly: every character start from the start on is
// tried in turn. FindText and ReplaceText find their candidates by bytes first; they must
// agree with this on any text.
size_t CharLengthAt(std::string_view text, size_t p) {
    return static_cast<unsigned char>(text[p]) >= 0x80 && p + 1 < text.size() ? 2 : 1;
}

bool SameAt(std::string_view text, size_t p, std::string_view sub, bool ignoreCase) {
    if (text.size() - p < sub.size()) return false;
    for (size_t i = 0; i < sub.size(); ++i) {
        char a = text[p + i], b = sub[i];
        if (ignoreCase) {
            if (a >= 'A' && a <= 'Z') a = char(a + 32);
            if (b >= 'A' && b <= 'Z') b = char(b + 32);
        }
        if (a != b) return false;
    }
    return true;
}

int PlainFind(std::string_view text, std::string_view sub, int start, bool ignoreCase) {
    for (size_t p = start <= 1 ? 0 : size_t(start) - 1; p < text.size(); p += CharLengthAt(text, p)) {
        if (SameAt(text, p, sub, ignoreCase)) return int(p) + 1;
    }
    return -1;
}

std::string PlainReplace(std::string_view text, std::string_view sub, std::string_view by, bool ignoreCase) {
    std::string result;
    for (size_t p = 0; p < text.size();) {
        if (SameAt(text, p, sub, ignoreCase)) {
            result += by;
            p += sub.size();
        } else {
            const size_t length = CharLengthAt(text, p);
            result += text.substr(p, length);
            p += length;
        }
    }
    return result;
}

TEST(TextSearch, AgreesWithPlainSteppingOnRandomTexts) {
    // Bytes that make trouble: letters in both cases, the markers' bytes, lead bytes (the
    // euro byte among them) and a backslash that can be a second byte.
    constexpr std::string_view kBytes = "aAbj[]\t\r\n\x80\x81\xD6\x5C ";
    std::mt19937 random(20261211);
    const auto pick = [&](size_t lo, size_t hi) { return std::uniform_int_distribution<size_t>(lo, hi)(random); };
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (size_t n = pick(0, 70); n > 0; --n) text += kBytes[pick(0, kBytes.size() - 1)];
        std::string sub;
        if (!text.empty() && pick(0, 1)) {
            const size_t from = pick(0, text.size() - 1);
            sub = text.substr(from, pick(1, 5));
        } else {
            for (size_t n = pick(1, 4); n > 0; --n) sub += kBytes[pick(0, kBytes.size() - 1)];
        }
        const bool ignoreCase = pick(0, 1) == 1;
        const int start = int(pick(0, 8));
        ASSERT_EQ(FindText(text, sub, start, ignoreCase), PlainFind(text, sub, start, ignoreCase))
            << "round " << round;
        ASSERT_EQ(ReplaceText(text, sub, "#", !ignoreCase), PlainReplace(text, sub, "#", ignoreCase))
            << "round " << round;
    }
}

struct SplitCase {
    const char* name;
    std::string text;
    std::string delimiter;
    TextList expected;
};

TEST(SplitText, GivesThePiecesBetweenDelimiters) {
    const SplitCase cases[] = {
        {"a TAB b", "a\tb", "\t", {"a", "b"}},
        {"trailing delimiter adds no piece", "a\tb\t", "\t", {"a", "b"}},
        {"doubled delimiter gives an empty piece", "a\t\tb", "\t", {"a", "", "b"}},
        {"leading delimiter", "\ta", "\t", {"", "a"}},
        {"delimiter alone", "\t", "\t", {""}},
        {"no delimiter", "ab", "\t", {"ab"}},
        {"empty text", "", "\t", {}},
        {"empty delimiter", "ab", "", {"ab"}},
        {"CR LF lines", "1\r\n2\r\n\r\n3", "\r\n", {"1", "2", "", "3"}},
        {"not split inside a character", "a" + std::string(kBackslashTrail) + "b\\c", "\\",
         {"a" + std::string(kBackslashTrail) + "b", "c"}},
        {"lead byte at the end ends the walk", "a\tb\x81", "\t", {"a", "b\x81"}},
    };
    for (const SplitCase& c : cases) EXPECT_EQ(SplitText(c.text, c.delimiter), c.expected) << c.name;
}

TEST(TrimBothEnds, DropsSpacesAndFullWidthSpacesOnly) {
    const std::string fullWidth = "\xA1\xA1";
    const struct {
        const char* name;
        std::string text;
        std::string expected;
    } cases[] = {
        {"leading TAB stays", " \tab " + fullWidth, "\tab"},
        {"only spaces", "  " + fullWidth + " ", ""},
        {"empty", "", ""},
        {"CR LF stay", "\r\n1 \r\n", "\r\n1 \r\n"},
        {"inner spaces stay", " a  b ", "a  b"},
        {"full-width space inside stays", fullWidth + "a" + fullWidth + "b", "a" + fullWidth + "b"},
        // B0 A1 and A1 B0 are characters; the A1 A1 spanning them is not a space.
        {"A1 A1 across two characters", "x\xB0\xA1\xA1\xB0", "x\xB0\xA1\xA1\xB0"},
    };
    for (const auto& c : cases) EXPECT_EQ(TrimBothEnds(c.text), c.expected) << c.name;
}

TEST(ReplaceText, ReplacesEveryOccurrenceOnCharacters) {
    const std::string quote(kQuotePlaceholder);
    const struct {
        const char* name;
        std::string text, sub, replacement;
        bool caseSensitive;
        std::string expected;
    } cases[] = {
        {"placeholder by a quote", quote + "x" + quote, quote, "\"", true, "\"x\""},
        {"empty replacement deletes", "1\t2\t", "\t", "", true, "12"},
        {"empty text", "", "a", "b", true, ""},
        {"empty sub", "abc", "", "x", true, "abc"},
        {"no overlap", "aaa", "aa", "b", true, "ba"},
        {"replacement not searched again", "ab", "a", "aa", true, "aab"},
        {"case folded when not case-sensitive", "aAb", "a", "x", false, "xxb"},
        {"exact when case-sensitive", "aAb", "a", "x", true, "xAb"},
        {"not inside a character", std::string(kBackslashTrail) + "\\", "\\", "/", true,
         std::string(kBackslashTrail) + "/"},
        {"rest shorter than sub kept", "xab", "abc", "-", true, "xab"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceText(c.text, c.sub, c.replacement, c.caseSensitive), c.expected) << c.name;
    }
}

TEST(TextCuts, CountBytes) {
    EXPECT_EQ(TextMid("abcdef", 5, 10), "ef");
    EXPECT_EQ(TextMid("abcdef", 7, 1), "");
    EXPECT_EQ(TextMid("abcdef", 0, 2), "");
    EXPECT_EQ(TextMid("abcdef", 2, 0), "");
    EXPECT_EQ(TextMid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(TextLeft("abc", 2), "ab");
    EXPECT_EQ(TextLeft("abc", 9), "abc");
    EXPECT_EQ(TextLeft("abc", -1), "");
    EXPECT_EQ(TextRight("abc", 2), "bc");
    EXPECT_EQ(TextRight("abc", 9), "abc");
    EXPECT_EQ(TextRight("abc", 0), "");
}

TEST(TextValues, CompareConvertAndJoin) {
    EXPECT_EQ(CompareText("", ""), 0);
    EXPECT_EQ(CompareText("ab", "abc"), -1);
    EXPECT_EQ(CompareText("\x81", "a"), 1);  // unsigned byte order
    EXPECT_EQ(CompareText("b", "a"), 1);
    EXPECT_EQ(CompareBytes("abx", "aby", 2), 0);
    EXPECT_EQ(CompareBytes("abx", "aby", 3), -1);
    EXPECT_EQ(CompareBytes("a", "b", 0), 0);
    EXPECT_EQ(IntegerToText(-12), "-12");
    EXPECT_EQ(IntegerToText(0), "0");
    EXPECT_EQ(IntegerToText(INT32_MIN), "-2147483648");
    EXPECT_EQ(TruncateToInteger(2.9), 2);
    EXPECT_EQ(TruncateToInteger(-2.9), -2);
    EXPECT_EQ(TruncateToInteger(1e300), 0);
    EXPECT_EQ(CharFromCode(9), "\t");
    EXPECT_EQ(CharFromCode(0), "");
    EXPECT_EQ(ConcatText("a", "", "b", Text("c")), "abc");
    EXPECT_EQ(TextLength("\xD6\xD0x"), 3);
}

}  // namespace
