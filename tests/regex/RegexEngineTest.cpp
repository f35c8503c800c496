// The built-in engine through its interface: what it accepts, what it matches and how it
// replaces, one table per behaviour.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "regex/RegexEngine.h"

namespace {

// A UTF-16 string made readable: TAB, CR and LF as \t \r \n, other code units outside
// printable ASCII as \uXXXX.
std::string Visible(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c == u'\t') {
            out += "\\t";
        } else if (c == u'\r') {
            out += "\\r";
        } else if (c == u'\n') {
            out += "\\n";
        } else if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
        } else {
            char hex[8];
            snprintf(hex, sizeof hex, "\\u%04X", unsigned(c));
            out += hex;
        }
    }
    return out;
}

struct Settings {
    bool ignoreCase = false;
    bool multiline = false;
    bool global = true;
};

std::unique_ptr<RegexEngine> EngineFor(std::u16string_view pattern, Settings settings) {
    std::unique_ptr<RegexEngine> engine = MakeBuiltInRegexEngine();
    engine->SetIgnoreCase(settings.ignoreCase);
    engine->SetMultiline(settings.multiline);
    engine->SetGlobal(settings.global);
    engine->SetPattern(pattern);
    return engine;
}

// Every match as FirstIndex:value, followed by (group1,group2,...) when there are groups;
// "rejected" when Execute fails.
std::string Run(std::u16string_view pattern, std::u16string_view subject, Settings settings = {}) {
    const std::unique_ptr<RegexMatchCollection> matches = EngineFor(pattern, settings)->Execute(subject);
    if (!matches) return "rejected";
    std::string out;
    for (int32_t i = 0; i < static_cast<int32_t>(*matches->Count()); ++i) {
        const std::unique_ptr<RegexMatch> match = matches->Item(i);
        if (!out.empty()) out += " ";
        out.append(std::to_string(static_cast<int>(*match->FirstIndex()))).append(":");
        out.append(Visible(*match->Value()));
        const std::unique_ptr<RegexSubMatches> groups = match->SubMatches();
        const int32_t groupCount = static_cast<int32_t>(*groups->Count());
        for (int32_t g = 0; g < groupCount; ++g) {
            out.append(g == 0 ? "(" : ",").append(Visible(*groups->Item(g)));
            if (g + 1 == groupCount) out.append(")");
        }
    }
    return out.empty() ? "none" : out;
}

struct MatchCase {
    const char* name;
    std::u16string pattern;
    std::u16string subject;
    std::string expected;
    Settings settings = {};
};

void CheckAll(const std::vector<MatchCase>& cases) {
    for (const MatchCase& c : cases) {
        EXPECT_EQ(Run(c.pattern, c.subject, c.settings), c.expected)
            << c.name << ": /" << Visible(c.pattern) << "/ on \"" << Visible(c.subject) << "\"";
    }
}

constexpr Settings kIgnoreCase{.ignoreCase = true};
constexpr Settings kMultiline{.multiline = true};
constexpr Settings kFirstOnly{.global = false};

TEST(RegexEngine, LiteralsAndEscapes) {
    CheckAll({
        {"literal", u"ab", u"xabyab", "1:ab 4:ab"},
        {"control escapes", u"\\t\\n\\r\\f\\v", u"\t\n\r\f\v", "0:\\t\\n\\r\\u000C\\u000B"},
        {"NUL escape", u"a\\0", std::u16string(u"a\0b", 3), "0:a\\u0000"},
        {"hex escape", u"\\x41\\x2e", u"A.", "0:A."},
        {"unicode escape", u"\\u4E2D", u"x\u4E2D", "1:\\u4E2D"},
        {"control letter", u"\\cI\\cj", u"\t\n", "0:\\t\\n"},
        {"identity escapes", u"\\.\\-\\\\\\/\\[\\]\\(\\)\\{\\}\\*\\+\\?\\|\\^\\$", u".-\\/[](){}*+?|^$",
         "0:.-\\/[](){}*+?|^$"},
        {"lone closing bracket and brace", u"]}", u"]}", "0:]}"},
        {"brace that is no quantifier", u"a{,2}b{x", u"a{,2}b{x", "0:a{,2}b{x"},
        {"dot skips line terminators", u".", u"a\n\r\u2028\u2029b", "0:a 5:b"},
        {"FirstIndex counts code units", u"b", u"\u4E2Da\u4E2Db", "3:b"},
    });
}

TEST(RegexEngine, Classes) {
    CheckAll({
        {"range and escapes", u"[0-9\\.\\-]+", u"ab1-2.3cd", "2:1-2.3"},
        {"negated", u"[^a-c]+", u"abcdefabc", "3:def"},
        {"hyphen at the ends", u"[-a][b-]", u"-b a-", "0:-b 3:a-"},
        {"range after a range", u"[a-c-e]+", u"ab-ed", "0:ab-e"},
        {"class escapes inside", u"[\\d\\s]+", u"x1 \t2y", "1:1 \\t2"},
        {"negated class escapes inside", u"[\\D]+", u"12ab3", "2:ab"},
        {"backspace inside", u"[\\b]", u"a\bb", "1:\\u0008"},
        {"digit and non-digit", u"\\d\\D", u"1a2", "0:1a"},
        {"word and non-word", u"\\w+\\W", u"a_1!b", "0:a_1!"},
        {"space is the six ASCII spaces", u"\\s+", u"a \t\r\n\v\f\u3000b", "1: \\t\\r\\n\\u000B\\u000C"},
        {"non-space", u"\\S+", u"ab cd", "0:ab 3:cd"},
        {"empty class matches nothing", u"a[]", u"a", "none"},
        {"negated empty class matches anything", u"[^]", u"\n", "0:\\n"},
    });
}

TEST(RegexEngine, GroupsAndAlternation) {
    CheckAll({
        {"numbered by opening parenthesis", u"((a)(b))", u"ab", "0:ab(ab,a,b)"},
        {"non-capturing", u"(?:a)(b)", u"ab", "0:ab(b)"},
        {"first alternative first", u"a|ab", u"ab", "0:a"},
        {"longer alternative when first", u"ab|a", u"ab", "0:ab"},
        {"alternatives backtrack", u"(a|ab)(c|bcd)(d*)", u"abcd", "0:abcd(a,bcd,)"},
        {"optional group not taking part", u"(a)?b", u"b", "0:b()"},
        {"other branch's group empty", u"(a)|(b)", u"b", "0:b(,b)"},
        {"last iteration's capture", u"(a|b)+", u"ab", "0:ab(b)"},
        {"empty alternative", u"a|", u"ba", "0: 1:a 2:"},
    });
}

TEST(RegexEngine, Quantifiers) {
    CheckAll({
        {"greedy plus", u"a+", u"aaa", "0:aaa"},
        {"lazy plus", u"a+?", u"aaa", "0:a 1:a 2:a"},
        {"greedy star backtracks", u"a*ab", u"aaab", "0:aaab"},
        {"lazy star", u"<.*?>", u"<a><b>", "0:<a> 3:<b>"},
        {"greedy star", u"<.*>", u"<a><b>", "0:<a><b>"},
        {"greedy question", u"ab?", u"ab", "0:ab"},
        {"lazy question", u"ab??", u"ab", "0:a"},
        {"exact count", u"a{2}", u"aaaaa", "0:aa 2:aa"},
        {"range greedy", u"a{2,3}", u"aaaaa", "0:aaa 3:aa"},
        {"range lazy", u"a{2,3}?", u"aaaaa", "0:aa 2:aa"},
        {"at least", u"a{2,}", u"a aaaa", "2:aaaa"},
        {"at least lazy", u"a{2,}?", u"aaaaa", "0:aa 2:aa"},
        {"zero count", u"ba{0}", u"ba", "0:b"},
        {"group repeated", u"(ab){2}", u"ababab", "0:abab(ab)"},
        {"counted optional group", u"(a){0,2}b", u"ab", "0:ab(a)"},
    });
}

TEST(RegexEngine, EmptyMatchesUnderGlobal) {
    CheckAll({
        {"empty pattern", u"", u"ab", "0: 1: 2:"},
        {"empty subject", u"x*", u"", "0:"},
        {"next search one further after an empty match", u"a*", u"baaa", "0: 1:aaa 4:"},
        {"lazy star is always empty", u"a*?", u"aa", "0: 1: 2:"},
        {"first only", u"a*", u"baaa", "0:", kFirstOnly},
        {"first only non-empty", u"\\d+", u"x12y34", "1:12", kFirstOnly},
    });
}

TEST(RegexEngine, Anchors) {
    CheckAll({
        {"^ at the start only", u"^\\w", u"ab\ncd", "0:a"},
        {"$ at the end only", u"\\w$", u"ab\ncd", "4:d"},
        {"^ at line starts", u"^\\w", u"ab\ncd\r\nef", "0:a 3:c 7:e", kMultiline},
        {"$ at line ends", u"\\w$", u"ab\ncd\r\nef", "1:b 4:d 8:f", kMultiline},
        {"whole lines", u"^\\d+$", u"1\r\n22\n333", "0:1 3:22 6:333", kMultiline},
        {"whole subject without multiline", u"^\\d+$", u"1\r\n22", "none"},
        {"$ between CR and LF", u"$", u"a\r\n", "1: 2: 3:", kMultiline},
        {"empty line start", u"^", u"\n\n", "0: 1: 2:", kMultiline},
        {"line separators", u"^x", u"x\u2028x\u2029x", "0:x 2:x 4:x", kMultiline},
        {"word boundary", u"\\bfoo\\b", u"foo food foo_ foo", "0:foo 14:foo"},
        {"not a word boundary", u"\\Boo\\B", u"foo zoom", "5:oo"},
        {"boundary at the ends", u"\\b", u"ab", "0: 2:"},
    });
}

TEST(RegexEngine, IgnoreCase) {
    CheckAll({
        {"ASCII letters", u"abc", u"xABCaBc", "1:ABC 4:aBc", kIgnoreCase},
        {"case kept without the setting", u"abc", u"ABC", "none"},
        {"class range", u"[a-c]+", u"ABCd", "0:ABC", kIgnoreCase},
        {"negated class excludes both cases", u"[^a]+", u"AaBb", "2:Bb", kIgnoreCase},
        {"Greek", u"\u03B1\u03C9", u"\u0391\u03A9", "0:\\u0391\\u03A9", kIgnoreCase},
        {"Cyrillic", u"\u0434\u0451", u"\u0414\u0401", "0:\\u0414\\u0401", kIgnoreCase},
        {"full-width Latin", u"\uFF41", u"\uFF21", "0:\\uFF21", kIgnoreCase},
        {"Latin-1", u"\u00E9", u"\u00C9", "0:\\u00C9", kIgnoreCase},
        {"no folding to ASCII from long s", u"s", u"\u017F", "none", kIgnoreCase},
        {"digits unaffected", u"\\d", u"a1", "1:1", kIgnoreCase},
        {"word class unaffected", u"\\W", u"aA!", "2:!", kIgnoreCase},
    });
}

TEST(RegexEngine, RejectedExpressions) {
    const std::u16string deep200 = std::u16string(200, u'(') + u"a" + std::u16string(200, u')');
    const std::u16string deep201 = std::u16string(201, u'(') + u"a" + std::u16string(201, u')');
    CheckAll({
        {"back-reference", u"(a)\\1", u"aa", "rejected"},
        {"look-ahead", u"a(?=b)", u"ab", "rejected"},
        {"negative look-ahead", u"a(?!b)", u"ab", "rejected"},
        {"other group forms", u"(?<n>a)", u"a", "rejected"},
        {"nothing to repeat", u"*a", u"a", "rejected"},
        {"quantifier at a group start", u"(+a)", u"a", "rejected"},
        {"braces with nothing to repeat", u"{2}", u"a", "rejected"},
        {"double quantifier", u"a**", u"a", "rejected"},
        {"quantified braces twice", u"a{2}{3}", u"aaaaaa", "rejected"},
        {"quantified assertion", u"^*a", u"a", "rejected"},
        {"count range reversed", u"a{3,2}", u"aaa", "rejected"},
        {"unclosed group", u"(a", u"a", "rejected"},
        {"unopened group", u"a)", u"a", "rejected"},
        {"unclosed class", u"[a", u"a", "rejected"},
        {"range reversed", u"[z-a]", u"a", "rejected"},
        {"range from a class escape", u"[\\d-z]", u"a", "rejected"},
        {"trailing backslash", u"a\\", u"a", "rejected"},
        {"unknown letter escape", u"\\q", u"q", "rejected"},
        {"octal escape", u"\\01", u"\x01", "rejected"},
        {"short hex escape", u"\\x4", u"x4", "rejected"},
        {"short unicode escape", u"\\u12", u"u12", "rejected"},
        {"control escape without letter", u"\\c1", u"c1", "rejected"},
        {"non-word boundary in class", u"[\\B]", u"B", "rejected"},
        {"groups nested 201 deep", deep201, u"a", "rejected"},
        {"expansion too large", u"(a{1000}){1000}", u"a", "rejected"},
        {"groups nested 200 deep accepted", deep200, u"a",
         "0:a(" + [] {
             std::string groups;
             for (int i = 0; i < 200; ++i) groups += i == 0 ? "a" : ",a";
             return groups;
         }() + ")"},
    });
}

TEST(RegexEngine, FailedCallsGiveNothing) {
    std::unique_ptr<RegexEngine> engine = EngineFor(u"(a", {});
    EXPECT_EQ(engine->Execute(u"a"), nullptr);
    EXPECT_EQ(engine->Replace(u"a", u"b"), std::nullopt);
    EXPECT_EQ(engine->Pattern(), u"(a");  // a rejected pattern is still the pattern

    engine->SetPattern(u"(a)");
    const std::unique_ptr<RegexMatchCollection> matches = engine->Execute(u"aa");
    ASSERT_NE(matches, nullptr);
    EXPECT_EQ(matches->Item(-1), nullptr);
    EXPECT_EQ(matches->Item(2), nullptr);
    const std::unique_ptr<RegexSubMatches> groups = matches->Item(1)->SubMatches();
    EXPECT_EQ(groups->Item(1), std::nullopt);
    EXPECT_EQ(groups->Item(-1), std::nullopt);
}

TEST(RegexEngine, SettingsTakeEffectAtTheNextRun) {
    std::unique_ptr<RegexEngine> engine = EngineFor(u"^a", {});
    EXPECT_EQ(*engine->Execute(u"a\na")->Count(), 1);
    engine->SetMultiline(true);
    EXPECT_EQ(*engine->Execute(u"a\nA")->Count(), 1);
    engine->SetIgnoreCase(true);
    EXPECT_EQ(*engine->Execute(u"a\nA")->Count(), 2);
    engine->SetGlobal(false);
    EXPECT_EQ(*engine->Execute(u"a\nA")->Count(), 1);
}

TEST(RegexEngine, MatchesOutliveTheirEngine) {
    std::unique_ptr<RegexMatchCollection> matches = EngineFor(u"(b)", {})->Execute(u"abc");
    const std::unique_ptr<RegexMatch> match = matches->Item(0);
    matches.reset();
    EXPECT_EQ(*match->Value(), u"b");
    EXPECT_EQ(*match->SubMatches()->Item(0), u"b");
}

struct ReplaceCase {
    const char* name;
    std::u16string pattern;
    std::u16string subject;
    std::u16string replacement;
    std::u16string expected;
    Settings settings = {};
};

TEST(RegexEngine, Replace) {
    const std::u16string tenGroups = u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)";
    const ReplaceCase cases[] = {
        {"groups swapped", u"(\\w+) (\\w+)", u"ab cd, ef gh", u"$2 $1", u"cd ab, gh ef"},
        {"whole match", u"\\d+", u"a1b22", u"<$&>", u"a<1>b<22>"},
        {"before and after", u"b", u"abc", u"[$`|$']", u"a[a|c]c"},
        {"dollar sign", u"b", u"abc", u"$$", u"a$c"},
        {"group that does not exist stays", u"(b)", u"abc", u"$2", u"a$2c"},
        {"group zero stays", u"(b)", u"abc", u"$0", u"a$0c"},
        {"two digits with a leading zero", u"(b)", u"abc", u"$01", u"abc"},
        {"two digits when that group exists", tenGroups, u"abcdefghij", u"$10", u"j"},
        {"else one digit and a literal", u"(b)", u"abc", u"$12", u"ab2c"},
        {"lone and unknown dollars stay", u"b", u"abc", u"$x$", u"a$x$c"},
        {"group that did not take part", u"(x)?b", u"abc", u"[$1]", u"a[]c"},
        {"first only", u"b", u"bbb", u"x", u"xbb", kFirstOnly},
        {"empty matches", u"a*", u"baaa", u"-", u"-b--"},
        {"no match", u"z", u"abc", u"x", u"abc"},
        {"empty subject", u"z*", u"", u"x", u"x"},
    };
    for (const ReplaceCase& c : cases) {
        const std::optional<std::u16string> replaced =
            EngineFor(c.pattern, c.settings)->Replace(c.subject, c.replacement);
        ASSERT_TRUE(replaced) << c.name;
        EXPECT_EQ(Visible(*replaced), Visible(c.expected)) << c.name;
    }
}

}  // namespace
