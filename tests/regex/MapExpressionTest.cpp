// The two expressions of the map file reader, run through RegExpObject and through the
// engine on random map-like lines, against a matcher written directly from what they mean;
// and on lines far longer than any map file holds.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "readers/CodePage.h"
#include "regex/RegExpObject.h"

namespace {

const std::string kPassiveExpression = R"(([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t))";
const std::string kSpecialExpression =
    R"(([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t))";

struct Span {
    size_t start;
    size_t length;
};

// One match: the span of the whole, then of each field with its TAB.
using ReferenceMatch = std::vector<Span>;

template <typename Char>
bool IsFieldChar(Char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '-';
}

// fields fields in a row, each one or more of 0-9 . - and a TAB, found leftmost, every next
// search beginning where the match before ended. Works on code page 936 bytes and on
// UTF-16 alike: no byte of a two-byte character is a field character or a TAB.
template <typename Char>
std::vector<ReferenceMatch> ReferenceMatches(std::basic_string_view<Char> s, int fields) {
    std::vector<ReferenceMatch> matches;
    for (size_t at = 0; at < s.size(); ++at) {
        ReferenceMatch match = {{at, 0}};
        size_t p = at;
        for (int field = 0; field < fields; ++field) {
            size_t end = p;
            while (end < s.size() && IsFieldChar(s[end])) ++end;
            if (end == p || end == s.size() || s[end] != '\t') break;
            match.push_back({p, end + 1 - p});
            p = end + 1;
        }
        if (static_cast<int>(match.size()) != fields + 1) continue;
        match[0].length = p - at;
        matches.push_back(match);
        at = p - 1;  // the next search begins at p
    }
    return matches;
}

// A map-like line in code page 936: fields with TABs mostly, and letters, stray TABs, CR LF
// and two-byte characters (one whose second byte is the letter A) among them.
Text RandomLine(std::mt19937& rng) {
    static const char* const kTwoByte[] = {"\xD6\xD0", "\x81\x41", "\xA1\xA1", "\xD2\xFD"};
    static const char kFieldChars[] = "0123456789012345.-";
    Text line;
    for (int tokens = rng() % 30; tokens > 0; --tokens) {
        const unsigned kind = rng() % 100;
        if (kind < 60) {
            for (int length = 1 + rng() % 4; length > 0; --length)
                line += kFieldChars[rng() % (sizeof kFieldChars - 1)];
            line += '\t';
        } else if (kind < 70) {
            line += '\t';
        } else if (kind < 80) {
            line += static_cast<char>((rng() % 2 ? 'a' : 'A') + rng() % 26);
        } else if (kind < 88) {
            line += "\r\n";
        } else {
            line += kTwoByte[rng() % std::size(kTwoByte)];
        }
    }
    return line;
}

std::string Visible(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '\t') out += "->";
        else if (c == '\r') out += "<CR>";
        else if (c == '\n') out += "<LF>";
        else if (c >= 0x80) out.append("<").append(std::to_string(c)).append(">");
        else out += static_cast<char>(c);
    }
    return out;
}

void CheckAgainstReference(const std::string& expression, int fields, const Text& line) {
    SCOPED_TRACE(Visible(line) + " under " + std::to_string(fields) + " fields");
    const std::vector<ReferenceMatch> expected = ReferenceMatches(std::string_view(line), fields);
    RegExpObject object;
    ASSERT_TRUE(object.Create(expression, line));
    ASSERT_EQ(object.MatchCount(), static_cast<int32_t>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        const int32_t index = static_cast<int32_t>(i + 1);
        EXPECT_EQ(object.MatchText(index), line.substr(expected[i][0].start, expected[i][0].length));
        for (int g = 1; g <= fields; ++g) {
            const Span field = expected[i][g];
            EXPECT_EQ(object.SubMatchText(index, g), line.substr(field.start, field.length));
        }
    }

    // FirstIndex counts UTF-16 code units, checked on the subject as it crosses.
    const std::u16string utf16 = TextToUtf16(line);
    const std::vector<ReferenceMatch> expectedUtf16 = ReferenceMatches(std::u16string_view(utf16), fields);
    std::unique_ptr<RegexEngine> engine = MakeBuiltInRegexEngine();
    engine->SetGlobal(true);
    engine->SetPattern(TextToUtf16(expression));
    const std::unique_ptr<RegexMatchCollection> matches = engine->Execute(utf16);
    ASSERT_EQ(*matches->Count(), expectedUtf16.size());
    for (size_t i = 0; i < expectedUtf16.size(); ++i)
        EXPECT_EQ(*matches->Item(static_cast<int32_t>(i))->FirstIndex(), expectedUtf16[i][0].start);
}

TEST(MapExpressions, AgreeWithTheReferenceOnRandomLines) {
    std::mt19937 rng(936);
    size_t matched = 0;
    for (int i = 0; i < 3000; ++i) {
        const Text line = RandomLine(rng);
        CheckAgainstReference(kPassiveExpression, 4, line);
        CheckAgainstReference(kSpecialExpression, 5, line);
        matched += !ReferenceMatches(std::string_view(line), 4).empty();
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(matched, 1000u);  // the lines must give matches often, not only failures
}

// A line of fields of 1 to 7 characters, every one valid, so that every fourth (fifth)
// field ends a match.
Text LongLine(size_t bytes, int& fieldCount) {
    std::mt19937 rng(10);
    static const char kFieldChars[] = "0123456789.-";
    Text line;
    line.reserve(bytes + 8);
    fieldCount = 0;
    while (line.size() < bytes) {
        for (int length = 1 + rng() % 7; length > 0; --length)
            line += kFieldChars[rng() % (sizeof kFieldChars - 1)];
        line += '\t';
        ++fieldCount;
    }
    return line;
}

TEST(MapExpressions, TenMegabyteLineFinishes) {
    int fieldCount = 0;
    const Text line = LongLine(10 * 1000 * 1000, fieldCount);
    RegExpObject object;
    ASSERT_TRUE(object.Create(kPassiveExpression, line));
    EXPECT_EQ(object.MatchCount(), fieldCount / 4);
    EXPECT_EQ(object.SubMatchText(1, 1), line.substr(0, line.find('\t') + 1));
    ASSERT_TRUE(object.Create(kSpecialExpression, line));
    EXPECT_EQ(object.MatchCount(), fieldCount / 5);
}

TEST(MapExpressions, HundredThousandDigitField) {
    const Text field = std::string(100000, '7') + "\t";
    RegExpObject object;
    ASSERT_TRUE(object.Create(kPassiveExpression, field + "1\t2\t3\t"));
    ASSERT_EQ(object.MatchCount(), 1);
    EXPECT_EQ(object.SubMatchText(1, 1), field);
}

// Longer than the backtracker's ring: the search from the x on is finished by the Pike VM.
TEST(MapExpressions, RunOfDigitsLongerThanTheRing) {
    const Text digits(300 * 1000, '5');
    RegExpObject object;
    ASSERT_TRUE(object.Create(kPassiveExpression, digits));
    EXPECT_EQ(object.MatchCount(), 0);
    ASSERT_TRUE(object.Create(kPassiveExpression, "x" + digits + "\t1\t2\t3\t9\t"));
    ASSERT_EQ(object.MatchCount(), 1);
    EXPECT_EQ(object.SubMatchText(1, 1), digits + "\t");
}

}  // namespace
