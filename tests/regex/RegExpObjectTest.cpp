// RegExpObject: what Create sends to the engine, what the queries answer, the byte
// positions, and what is left when the engine fails.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "readers/CodePage.h"
#include "regex/RegExpObject.h"

namespace {

const std::string kZhong = "\xD6\xD0";                 // 中 in code page 936
const std::string kPlaceholder = "#\xD2\xFD\xBA\xC5";  // #引号 in code page 936

// The built-in engine, with every call into it written down.
class RecordingEngine : public RegexEngine {
public:
    explicit RecordingEngine(std::vector<std::string>& log) : log(log) {}

    bool SetIgnoreCase(bool value) override {
        return Note("IgnoreCase", value) && inner->SetIgnoreCase(value);
    }
    std::optional<bool> IgnoreCase() const override { return inner->IgnoreCase(); }
    bool SetMultiline(bool value) override { return Note("Multiline", value) && inner->SetMultiline(value); }
    std::optional<bool> Multiline() const override { return inner->Multiline(); }
    bool SetGlobal(bool value) override { return Note("Global", value) && inner->SetGlobal(value); }
    std::optional<bool> Global() const override { return inner->Global(); }
    bool SetPattern(std::u16string_view pattern) override {
        log.push_back("Pattern=" + Utf16ToText(pattern));
        return inner->SetPattern(pattern);
    }
    std::optional<std::u16string> Pattern() const override { return inner->Pattern(); }
    std::unique_ptr<RegexMatchCollection> Execute(std::u16string_view subject) override {
        log.push_back("Execute=" + Utf16ToText(subject));
        return inner->Execute(subject);
    }
    std::optional<std::u16string> Replace(std::u16string_view subject,
                                          std::u16string_view replacement) override {
        return inner->Replace(subject, replacement);
    }

private:
    bool Note(const char* name, bool value) {
        log.push_back(std::string(name) + "=" + (value ? "true" : "false"));
        return true;
    }

    std::vector<std::string>& log;
    std::unique_ptr<RegexEngine> inner = MakeBuiltInRegexEngine();
};

// An engine every call into which fails.
class FailingEngine : public RegexEngine {
public:
    bool SetIgnoreCase(bool) override { return false; }
    std::optional<bool> IgnoreCase() const override { return std::nullopt; }
    bool SetMultiline(bool) override { return false; }
    std::optional<bool> Multiline() const override { return std::nullopt; }
    bool SetGlobal(bool) override { return false; }
    std::optional<bool> Global() const override { return std::nullopt; }
    bool SetPattern(std::u16string_view) override { return false; }
    std::optional<std::u16string> Pattern() const override { return std::nullopt; }
    std::unique_ptr<RegexMatchCollection> Execute(std::u16string_view) override { return nullptr; }
    std::optional<std::u16string> Replace(std::u16string_view, std::u16string_view) override {
        return std::nullopt;
    }
};

// An engine that reports numbers with fractions: a collection whose Count is 1.7 and
// whose matches are "b" at FirstIndex 2.9, with 1.9 groups.
class FractionalEngine : public FailingEngine {
    class Groups : public RegexSubMatches {
        std::optional<double> Count() const override { return 1.9; }
        std::optional<std::u16string> Item(int32_t) const override { return u"b"; }
    };
    class Match : public RegexMatch {
        std::optional<std::u16string> Value() const override { return u"b"; }
        std::optional<double> FirstIndex() const override { return 2.9; }
        std::unique_ptr<RegexSubMatches> SubMatches() const override { return std::make_unique<Groups>(); }
    };
    class Matches : public RegexMatchCollection {
        std::optional<double> Count() const override { return 1.7; }
        std::unique_ptr<RegexMatch> Item(int32_t) const override { return std::make_unique<Match>(); }
    };

public:
    std::unique_ptr<RegexMatchCollection> Execute(std::u16string_view) override {
        return std::make_unique<Matches>();
    }
};

struct CreateCase {
    const char* name;
    std::string pattern;
    std::string subject;
    bool caseSensitive = false;
    bool multiline = true;
    bool global = true;
    bool quotePlaceholder = false;
    bool created = true;
    int32_t count = 0;
};

TEST(RegExpObject, CreateAndMatchCount) {
    const std::string lines = "AB\r\nab\r\naB";
    const CreateCase cases[] = {
        {.name = "empty subject", .pattern = "a", .subject = "", .count = 0},
        {.name = "empty pattern", .pattern = "", .subject = "ab", .count = 3},
        {.name = "rejected expression", .pattern = "(a", .subject = "a", .created = false, .count = 0},
        {.name = "every line, either case", .pattern = "^ab$", .subject = lines, .count = 3},
        {.name = "case-sensitive", .pattern = "^ab$", .subject = lines, .caseSensitive = true, .count = 1},
        {.name = "not multiline", .pattern = "^ab", .subject = lines, .multiline = false, .count = 1},
        {.name = "not global", .pattern = "ab", .subject = lines, .global = false, .count = 1},
        {.name = "placeholder replaced", .pattern = "a" + kPlaceholder + "b", .subject = "a\"b a\"b",
         .quotePlaceholder = true, .count = 2},
        {.name = "placeholder kept",
         .pattern = "a" + kPlaceholder + "b",
         .subject = "a\"b a" + kPlaceholder + "b",
         .count = 1},
    };
    for (const CreateCase& c : cases) {
        RegExpObject object;
        const bool created =
            object.Create(c.pattern, c.subject, c.caseSensitive, c.multiline, c.global, c.quotePlaceholder);
        EXPECT_EQ(created, c.created) << c.name;
        EXPECT_EQ(object.MatchCount(), c.count) << c.name;
    }
}

TEST(RegExpObject, CreateSendsSettingsPatternAndSubjectInOrder) {
    struct Case {
        const char* name;
        std::function<void(RegExpObject&)> create;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"defaults", [](RegExpObject& o) { o.Create("a", "b"); },
         {"IgnoreCase=true", "Multiline=true", "Global=true", "Pattern=a", "Execute=b"}},
        {"all given", [](RegExpObject& o) { o.Create("a" + kPlaceholder, "b", true, false, false, true); },
         {"IgnoreCase=false", "Multiline=false", "Global=false", "Pattern=a\"", "Execute=b"}},
        {"placeholder left", [](RegExpObject& o) { o.Create(kPlaceholder + kZhong, kZhong); },
         {"IgnoreCase=true", "Multiline=true", "Global=true", "Pattern=" + kPlaceholder + kZhong,
          "Execute=" + kZhong}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> log;
        int made = 0;
        RegExpObject object([&] {
            ++made;
            return std::make_unique<RecordingEngine>(log);
        });
        c.create(object);
        EXPECT_EQ(log, c.calls) << c.name;
        c.create(object);
        EXPECT_EQ(made, 2) << c.name << ": every Create makes a fresh engine";
    }
}

struct TextCase {
    const char* name;
    std::string pattern;
    std::string subject;
    int32_t match;  // 1-based
    int32_t group;  // 0 for MatchText
    std::string text;
    int32_t position;
    bool caseSensitive = false;
};

TEST(RegExpObject, TextsAndPositions) {
    constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
    const TextCase cases[] = {
        {"second of two words", "word", "word word", 2, 0, "word", 5},
        {"same letter twice finds the first", "a", "aa", 2, 0, "a", 0},
        {"after a two-byte character", "a", kZhong + "a", 1, 0, "a", 2},
        {"two-byte match text", kZhong + "+", "a" + kZhong + kZhong + "b", 1, 0, kZhong + kZhong, 1},
        {"search ignores case like the engine", "a", "aA", 2, 0, "A", 0},
        {"search keeps case like the engine", "[aA]", "aA", 2, 0, "A", 1, true},
        {"group keeps its TAB", "([0-9]+\\t)([0-9]+)", "12\t34", 1, 1, "12\t", 0},
        {"second group", "([0-9]+\\t)([0-9]+)", "12\t34", 1, 2, "34", 3},
        {"group text found first inside the match", "(a)(a)", "xaa", 1, 2, "a", 1},
        {"group that did not take part", "(x)?a", "ba", 1, 1, "", 0},
        {"match index beyond the count", "a", "aa", 3, 0, "", 0},
        {"match index 0", "a", "aa", 0, 0, "", 0},
        {"group index beyond the groups", "(a)", "a", 1, 2, "", 0},
        {"lowest match index", "a", "a", kLowest, 0, "", 0},
        {"lowest group index", "(a)", "a", 1, kLowest, "", 0},
        {"no match in an empty subject", "a", "", 1, 0, "", -2},
    };
    for (const TextCase& c : cases) {
        RegExpObject object;
        object.Create(c.pattern, c.subject, c.caseSensitive);
        int32_t position = 99;
        const Text text = c.group == 0 ? object.MatchText(c.match, &position)
                                       : object.SubMatchText(c.match, c.group, &position);
        EXPECT_EQ(text, c.text) << c.name;
        EXPECT_EQ(position, c.position) << c.name;
        const Text withoutPosition =
            c.group == 0 ? object.MatchText(c.match) : object.SubMatchText(c.match, c.group);
        EXPECT_EQ(withoutPosition, c.text) << c.name;
    }
}

TEST(RegExpObject, QueriesBeforeAnyCreate) {
    RegExpObject object;
    int32_t position = 99;
    EXPECT_EQ(object.MatchCount(), 0);
    EXPECT_EQ(object.SubMatchCount(), 0);
    EXPECT_EQ(object.MatchText(1, &position), "");
    EXPECT_EQ(position, -2);
    EXPECT_EQ(object.SubMatchText(1, 1), "");
    EXPECT_EQ(object.GetPattern(), "");
    EXPECT_EQ(object.ReplaceMatches("x"), "");
}

TEST(RegExpObject, SecondCreateReplacesTheFirst) {
    RegExpObject object;
    ASSERT_TRUE(object.Create("(b)", "abcb"));
    ASSERT_TRUE(object.Create("(c)d", "cd"));
    EXPECT_EQ(object.MatchCount(), 1);
    EXPECT_EQ(object.MatchText(1), "cd");
    EXPECT_EQ(object.SubMatchText(1, 1), "c");
    EXPECT_EQ(object.MatchText(2), "");
    EXPECT_EQ(object.GetPattern(), "(c)d");
    EXPECT_EQ(object.ReplaceMatches("x"), "x");
}

TEST(RegExpObject, SubMatchCount) {
    const struct {
        const char* name;
        std::string pattern;
        std::string subject;
        int32_t count;
    } cases[] = {
        {"two groups", "(a)(b)?", "a", 2},
        {"no group", "a", "a", 0},
        {"no match", "(a)", "b", 0},
        {"rejected", "(a", "a", 0},
    };
    for (const auto& c : cases) {
        RegExpObject object;
        object.Create(c.pattern, c.subject);
        EXPECT_EQ(object.SubMatchCount(), c.count) << c.name;
    }
}

TEST(RegExpObject, ReplaceMatches) {
    const struct {
        const char* name;
        std::string pattern;
        std::string subject;
        bool global;
        std::string replacement;
        std::string expected;
    } cases[] = {
        {"every match", "(\\w+)@", "ab@ cd@", true, "[$1]", "[ab] [cd]"},
        {"first only", "(\\w+)@", "ab@ cd@", false, "[$1]", "[ab] cd@"},
        {"two-byte text both ways", kZhong, "a" + kZhong + "b", true, "<$&" + kZhong + ">",
         "a<" + kZhong + kZhong + ">b"},
        {"rejected expression", "(a", "a", true, "x", ""},
    };
    for (const auto& c : cases) {
        RegExpObject object;
        object.Create(c.pattern, c.subject, false, true, c.global);
        EXPECT_EQ(object.ReplaceMatches(c.replacement), c.expected) << c.name;
    }
}

TEST(RegExpObject, EngineThatCannotBeMade) {
    RegExpObject object([] { return std::unique_ptr<RegexEngine>(); });
    int32_t position = 99;
    EXPECT_FALSE(object.Create("a", "a"));
    EXPECT_EQ(object.MatchCount(), 0);
    EXPECT_EQ(object.SubMatchCount(), 0);
    EXPECT_EQ(object.MatchText(1, &position), "");
    EXPECT_EQ(position, 0);  // the empty text is found at the subject's first byte
    EXPECT_EQ(object.SubMatchText(1, 1), "");
    EXPECT_EQ(object.GetPattern(), "");
    EXPECT_EQ(object.ReplaceMatches("x"), "");
}

TEST(RegExpObject, EngineWhoseCallsFail) {
    RegExpObject object([] { return std::make_unique<FailingEngine>(); });
    EXPECT_FALSE(object.Create("a", "a"));
    EXPECT_EQ(object.MatchCount(), 0);
    EXPECT_EQ(object.MatchText(1), "");
    EXPECT_EQ(object.GetPattern(), "");
    EXPECT_EQ(object.ReplaceMatches("x"), "");
}

TEST(RegExpObject, EngineNumbersAreTruncated) {
    RegExpObject object([] { return std::make_unique<FractionalEngine>(); });
    ASSERT_TRUE(object.Create("b", "abcb"));
    EXPECT_EQ(object.MatchCount(), 1);
    EXPECT_EQ(object.SubMatchCount(), 1);
    int32_t position = 99;
    EXPECT_EQ(object.MatchText(1, &position), "b");
    EXPECT_EQ(position, 1);  // FindText from 2 (2.9 truncated, not rounded to 3) finds the first b
}

}  // namespace
