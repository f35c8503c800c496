// What the fuzz targets (fuzz/) found, each with the input that showed it, so the fault
// stays fixed in every build.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "readers/Sections.h"
#include "regex/MatchRun.h"
#include "regex/RegexEngine.h"
#include "regex/RegexProgram.h"

namespace {

using namespace std::string_literals;

// Regression: with an empty end marker and a prefix or suffix, every pass made a non-empty
// entry and went back to the start marker it had just found, for ever. An empty end marker
// is never found after a start marker, so there is nothing to extract.
TEST(FuzzFindings, TextBetweenAllWithAnEmptyEndMarkerEnds) {
    // The input the Text target timed out on: start marker CR LF, the end marker empty, a
    // prefix of four NUL bytes, both markers included, case sensitive.
    const Text text =
        "\0\0\0\1@\0\0\0\0\0\0\0[\0name]\r\n\xE5\xB9\xBD\xE6\x9A\x97\xE6\xA3\xAE\xE6\x9E\x97\r\n\r\n"
        "[minimum le\xE9vel]\t\n12\r\n\r\n[pathdate  map]\r\n3\r\n\r\n"s;
    SectionOptions found;
    found.caseSensitive = true;
    found.includeStart = true;
    found.includeEnd = true;
    found.prefix = "\0\0\0\0"s;
    SectionOptions suffixed;
    suffixed.suffix = "-";
    SectionOptions shortOnly;
    shortOnly.maxLength = 3;
    shortOnly.prefix = "P";
    for (const SectionOptions& options : {found, SectionOptions{}, suffixed, shortOnly}) {
        TextList list = {"left over"};
        CountingMessagePump pump;
        EXPECT_EQ(TextBetweenAll(text, "\r\n", "", list, pump, options), 0)
            << options.prefix.size() << options.suffix;
        EXPECT_TRUE(list.empty());
    }
}

// Regression: when the Pike VM skipped ahead to the next offset where a match can begin,
// its empty thread list kept the marks of the offset it skipped from, where threads had died
// at an assertion; at the new offset those marks stopped the new thread before it reached
// what it had to match. The backtracker hands a search to the Pike VM once a try spans more
// of the subject than its memory holds, so a long subject lost matches.
TEST(FuzzFindings, PikeVmStartsAfreshWhereItSkipsTo) {
    // The input the regular-expression target found, on the machines themselves: a tiny ring
    // makes the Pike VM do the search, and it must find what the backtracker finds.
    const std::u16string pattern = u"((a*)-|\r?)\\b.";
    const std::optional<regex::Program> program = regex::CompilePattern(pattern, false, false);
    ASSERT_TRUE(program);
    regex::RunScratch roomy, tight;
    const std::vector<int32_t> expected{2, 3, 2, 2, -1, -1};
    EXPECT_EQ(regex::FindMatches(*program, u"\r\nX", true, roomy), expected);
    EXPECT_EQ(regex::FindMatches(*program, u"\r\nX", true, tight, 1), expected);

    // Through the engine: the try from offset 1 spans 300 000 letters, more than the ring.
    const auto engine = MakeBuiltInRegexEngine();
    engine->SetGlobal(true);
    engine->SetPattern(pattern);
    const std::u16string subject = std::u16string(300'000, u'a') + u"\r\nX";
    const auto matches = engine->Execute(subject);
    ASSERT_TRUE(matches);
    ASSERT_EQ(matches->Count(), 2.0);
    EXPECT_EQ(matches->Item(0)->FirstIndex(), 0.0);
    EXPECT_EQ(matches->Item(1)->FirstIndex(), 300'002.0);
    EXPECT_EQ(matches->Item(1)->Value(), u"X");
}

}  // namespace
