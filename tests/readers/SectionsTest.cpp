#include <gtest/gtest.h>

#include "TestSupport.h"
#include "readers/Sections.h"

namespace {

// x [ space 1 space ] y [ ] z [ space space ] [ 2 ]
constexpr std::string_view kWorkedExample = "x[ 1 ]y[]z[  ][2]";

TEST(TextBetweenAll, WorkedExample) {
    CountingMessagePump pump;
    TextList list{"left over"};
    EXPECT_EQ(TextBetweenAll(kWorkedExample, "[", "]", list, pump), 2);
    EXPECT_EQ(list, (TextList{"1", "2"}));
    EXPECT_EQ(pump.count, 12);
}

TEST(TextBetween, WorkedExampleIsUntrimmed) { EXPECT_EQ(TextBetween(kWorkedExample, "[", "]"), " 1 "); }

TEST(TextBetween, FindsTheFirstSection) {
    const struct {
        const char* name;
        std::string text, start, end;
        std::string expected;
    } cases[] = {
        {"no start marker", "abc", "[", "]", ""},
        {"end only before start", "]x[", "[", "]", ""},
        {"end right after start", "[]", "[", "]", ""},
        {"end searched after the start marker", "[a]b]", "[a]", "]", "b"},
        {"placeholder stands for a quote", "x=\"1\"", "=" + std::string(kQuotePlaceholder), "\"", "1"},
        {"placeholder in both markers", "a\"v\"b", std::string(kQuotePlaceholder), std::string(kQuotePlaceholder),
         "v"},
        {"exact case by default", "[A]x[a]y[", "[a]", "[", "y"},
    };
    for (const auto& c : cases) EXPECT_EQ(TextBetween(c.text, c.start, c.end), c.expected) << c.name;
    EXPECT_EQ(TextBetween("[A]x[a]y[", "[a]", "[", 0, true), "x");
}

TEST(TextBetweenAll, CollectsTrimmedNonEmptyEntries) {
    const std::string fullWidth = "\xA1\xA1";
    const struct {
        const char* name;
        std::string text;
        TextList expected;
    } cases[] = {
        {"no start marker", "abc", {}},
        {"markers match in any case by default", "<ab>1</AB>", {"1"}},
        {"only spaces dropped", "<AB> " + fullWidth + " </AB><AB>2</AB>", {"2"}},
        {"TAB, CR, LF at the ends stay", "<AB>\t3\r\n</AB>", {"\t3\r\n"}},
        {"second start inside the first", "<AB>1<AB>2</AB>", {"1<AB>2"}},
        {"last start without end adds nothing", "<AB>1</AB><AB>2", {"1"}},
        {"end marker searched again as a start", "<AB>1<AB>2<AB>", {"1", "2"}},
    };
    for (const auto& c : cases) {
        CountingMessagePump pump;
        TextList list{"stale"};
        const int count = TextBetweenAll(c.text, "<AB>", c.text.find("</") != std::string::npos ? "</AB>" : "<AB>",
                                         list, pump);
        EXPECT_EQ(list, c.expected) << c.name;
        EXPECT_EQ(count, static_cast<int>(c.expected.size())) << c.name;
    }
}

TEST(TextBetweenAll, OptionsShapeTheEntries) {
    CountingMessagePump pump;
    TextList list;
    SectionOptions exact;
    exact.caseSensitive = true;
    TextBetweenAll("<a>1</a><A>2</A>", "<A>", "</A>", list, pump, exact);
    EXPECT_EQ(list, (TextList{"2"}));

    SectionOptions dressed;
    dressed.prefix = "(";
    dressed.suffix = ")";
    dressed.includeStart = true;
    dressed.includeEnd = true;
    TextBetweenAll("[ 1 ]", "[", "]", list, pump, dressed);
    EXPECT_EQ(list, (TextList{"[(1)]"}));

    SectionOptions limited;
    limited.maxLength = 3;
    pump.count = 0;
    TextBetweenAll("[12][123][1]", "[", "]", list, pump, limited);
    EXPECT_EQ(list, (TextList{"12", "1"}));
    EXPECT_EQ(pump.count, 3 * 4);  // three passes, each three dispatches plus one for the limit check

    SectionOptions later;
    later.startPosition = 4;
    TextBetweenAll("[1][2]", "[", "]", list, pump, later);
    EXPECT_EQ(list, (TextList{"2"}));
}

TEST(TextBetweenAll, EmptyStartMarkerFindsNothing) {
    CountingMessagePump pump;
    TextList list;
    EXPECT_EQ(TextBetweenAll("a]b]", "", "]", list, pump), 0);
}

TEST(TextBetweenAll, NestedWorkAtADispatchPointLeavesTheCallIntact) {
    // A handler that runs at a dispatch point may extract sections itself.
    CountingMessagePump inner;
    CountingMessagePump outer;
    TextList innerList;
    outer.onDispatch = [&] { TextBetweenAll("[x]", "[", "]", innerList, inner); };
    TextList list;
    EXPECT_EQ(TextBetweenAll(kWorkedExample, "[", "]", list, outer), 2);
    EXPECT_EQ(list, (TextList{"1", "2"}));
    EXPECT_EQ(innerList, (TextList{"x"}));
}

}  // namespace
