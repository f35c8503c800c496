// The built-in engine against the platform's own "VBScript.RegExp" (under Wine, Wine's):
// the map reader's two expressions on generated lines, a table of other expressions and
// subjects under every combination of settings, and RegExpObject driving each engine.
// Compared: the number of matches, each match's value, offset and groups, and what
// Replace makes. Skipped where the platform object cannot be created.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "readers/CodePage.h"
#include "regex/RegExpObject.h"
#include "regex/win32/ComRegexEngine.h"

namespace {

// A UTF-16 string made readable: TAB, CR, LF and backslash escaped, code units outside
// printable ASCII as \uXXXX; cut after limit code units.
std::string Visible(std::u16string_view text, size_t limit = 160) {
    std::string out;
    for (size_t i = 0; i < text.size() && i < limit; ++i) {
        const char16_t c = text[i];
        if (c == u'\t')
            out += "\\t";
        else if (c == u'\r')
            out += "\\r";
        else if (c == u'\n')
            out += "\\n";
        else if (c == u'\\')
            out += "\\\\";
        else if (c >= 0x20 && c < 0x7F)
            out.push_back(static_cast<char>(c));
        else {
            char hex[8];
            snprintf(hex, sizeof hex, "\\u%04X", unsigned(c));
            out += hex;
        }
    }
    if (text.size() > limit) out += "... (" + std::to_string(text.size()) + " code units)";
    return out;
}

std::string Quoted(const std::optional<std::u16string>& text) {
    return text ? "\"" + Visible(*text) + "\"" : "<failed>";
}

std::string Number(const std::optional<double>& number) {
    if (!number) return "<failed>";
    char text[32];
    snprintf(text, sizeof text, "%g", *number);
    return text;
}

struct Settings {
    bool ignoreCase = false;
    bool multiline = false;
    bool global = true;
};

std::string Describe(Settings s) {
    return std::string("IgnoreCase=") + (s.ignoreCase ? "T" : "F") +
           " Multiline=" + (s.multiline ? "T" : "F") + " Global=" + (s.global ? "T" : "F");
}

void Configure(RegexEngine& engine, std::u16string_view pattern, Settings s) {
    engine.SetIgnoreCase(s.ignoreCase);
    engine.SetMultiline(s.multiline);
    engine.SetGlobal(s.global);
    engine.SetPattern(pattern);
}

// What an engine answers for one subject: every match as FirstIndex:"Value"(groups), the
// Replace result, or "rejected".
struct Answer {
    std::string count;
    std::vector<std::string> matches;
    std::string replaced;

    bool operator==(const Answer&) const = default;
};

std::string DescribeMatch(const RegexMatch* match) {
    if (match == nullptr) return "<no match object>";
    std::string out = Number(match->FirstIndex()) + ":" + Quoted(match->Value());
    const std::unique_ptr<RegexSubMatches> groups = match->SubMatches();
    if (!groups) return out + "<no SubMatches>";
    const std::optional<double> count = groups->Count();
    out += "[" + Number(count) + "](";
    for (int32_t g = 0; count && g < static_cast<int32_t>(*count); ++g)
        out += (g == 0 ? "" : ",") + Quoted(groups->Item(g));
    return out + ")";
}

Answer Ask(RegexEngine& engine, std::u16string_view subject, std::u16string_view replacement) {
    Answer answer;
    const std::unique_ptr<RegexMatchCollection> matches = engine.Execute(subject);
    if (!matches) {
        answer.count = "rejected";
    } else {
        const std::optional<double> count = matches->Count();
        answer.count = Number(count);
        for (int32_t i = 0; count && i < static_cast<int32_t>(*count); ++i)
            answer.matches.push_back(DescribeMatch(matches->Item(i).get()));
        // An index past either end gives no match object, from both engines.
        if (matches->Item(-1) || (count && matches->Item(static_cast<int32_t>(*count))))
            answer.matches.push_back("<match object outside 0..Count-1>");
    }
    const std::optional<std::u16string> replaced = engine.Replace(subject, replacement);
    answer.replaced = replaced ? Visible(*replaced, 240) : "<failed>";
    return answer;
}

// The mismatches of one expression, under whatever settings, printed up to a few.
class Tally {
public:
    explicit Tally(std::string label) : label(std::move(label)) {}
    ~Tally() {
        if (mismatches > kShown)
            ADD_FAILURE() << label << ": " << mismatches - kShown << " more mismatches not shown, "
                          << mismatches << " of " << compared << " subjects in all";
    }

    size_t Compared() const { return compared; }
    size_t Matched() const { return matched; }

    void Compare(std::u16string_view pattern, std::u16string_view subject, std::u16string_view replacement,
                 Settings settings, const Answer& builtIn, const Answer& platform) {
        ++compared;
        matched += !builtIn.matches.empty();
        if (builtIn == platform) return;
        if (++mismatches > kShown) return;
        size_t first = 0;  // the first match that differs
        while (first < builtIn.matches.size() && first < platform.matches.size() &&
               builtIn.matches[first] == platform.matches[first])
            ++first;
        ADD_FAILURE() << label << ": /" << Visible(pattern) << "/ " << Describe(settings) << "\n  subject \""
                      << Visible(subject) << "\", replacement \"" << Visible(replacement)
                      << "\"\n  built-in: " << Render(builtIn, first)
                      << "\n  platform: " << Render(platform, first);
    }

private:
    static constexpr size_t kShown = 3;

    // The count, the matches from the first that differs on (a few), and the replacement.
    static std::string Render(const Answer& answer, size_t first) {
        std::string out = "Count " + answer.count;
        if (first > 0) out += ", matches 0.." + std::to_string(first - 1) + " agree";
        for (size_t i = first; i < answer.matches.size() && i < first + 4; ++i)
            out += "\n    #" + std::to_string(i) + " " + answer.matches[i];
        if (answer.matches.size() > first + 4) out += "\n    ...";
        return out + "\n    Replace -> \"" + answer.replaced + "\"";
    }

    std::string label;
    size_t compared = 0;
    size_t matched = 0;  // subjects the built-in engine found a match in
    size_t mismatches = 0;
};

class PlatformRegex : public ::testing::Test {
protected:
    void SetUp() override {
        long failure = 0;
        if (!MakeComRegexEngine(&failure)) {
            char text[16];
            snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(failure));
            GTEST_SKIP() << "VBScript.RegExp cannot be created here: " << text;
        }
    }

    // Both engines configured alike, run over every subject.
    static void CompareOn(Tally& tally, std::u16string_view pattern, Settings settings,
                          const std::vector<std::u16string>& subjects, std::u16string_view replacement) {
        const std::unique_ptr<RegexEngine> builtIn = MakeBuiltInRegexEngine();
        const std::unique_ptr<RegexEngine> platform = MakeComRegexEngine();
        ASSERT_NE(platform, nullptr);
        Configure(*builtIn, pattern, settings);
        Configure(*platform, pattern, settings);
        for (const std::u16string& subject : subjects)
            tally.Compare(pattern, subject, replacement, settings, Ask(*builtIn, subject, replacement),
                          Ask(*platform, subject, replacement));
    }
};

// ---------------------------------------------------------------------------------------
// The map reader's expressions on generated lines.

const std::u16string kPassiveExpression = uR"(([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t))";
const std::u16string kSpecialExpression = kPassiveExpression + uR"(([0-9\.\-]+\t))";

// Two-byte characters as they arrive from code page 936: Chinese, the ideographic space and
// full stop, full-width digit, hyphen and full stop (not field characters), the euro sign, a Latin
// letter with an accent, and 0xFF, which begins no character (a lone surrogate in UTF-16).
const std::u16string& TwoByteCharacters() {
    static const std::u16string characters =
        TextToUtf16("\xD6\xD0\x81\x40\xD2\xFD\xA1\xA1\xA3\xB0\xA3\xAD\xA3\xAE\xA1\xA3\x80\xA8\xA2\xFF");
    return characters;
}

// A map-like line: fields of 0-9 . - with TABs mostly, and stray TABs, letters, spaces, CR
// LF, lone CR or LF and two-byte characters among them.
std::u16string RandomLine(std::mt19937& rng, int tokens) {
    static const char16_t kFieldChars[] = u"01234567890123456789.-";
    std::u16string line;
    for (; tokens > 0; --tokens) {
        const unsigned kind = rng() % 100;
        if (kind < 58) {
            for (int length = 1 + rng() % 5; length > 0; --length)
                line += kFieldChars[rng() % (std::size(kFieldChars) - 1)];
            line += u'\t';
        } else if (kind < 66) {
            line += u'\t';
        } else if (kind < 74) {
            line += static_cast<char16_t>((rng() % 2 ? u'a' : u'A') + rng() % 26);
        } else if (kind < 80) {
            line += u"\r\n";
        } else if (kind < 82) {
            line += rng() % 2 ? u'\r' : u'\n';
        } else if (kind < 85) {
            line += rng() % 2 ? u' ' : u'+';
        } else {
            line += TwoByteCharacters()[rng() % TwoByteCharacters().size()];
        }
    }
    return line;
}

std::vector<std::u16string> MapLikeSubjects() {
    std::mt19937 rng(936);
    std::vector<std::u16string> subjects = {u"", u"\t", u"1\t2\t3\t4\t", u"1\t2\t3\t4\t5\t"};
    for (int i = 0; i < 3000; ++i) {
        int tokens = rng() % 30;                         // short, as map lines mostly are
        if (i % 100 == 99) tokens = 500 + rng() % 3000;  // long
        if (i % 1000 == 999) tokens = 40000;             // very long
        subjects.push_back(RandomLine(rng, tokens));
    }
    return subjects;
}

TEST_F(PlatformRegex, MapExpressionsOnGeneratedLines) {
    const std::vector<std::u16string> subjects = MapLikeSubjects();
    const Settings defaults{.ignoreCase = true, .multiline = true, .global = true};  // RegExpObject::Create's
    const Settings firstOnly{.ignoreCase = true, .multiline = true, .global = false};
    struct Run {
        const char* label;
        const std::u16string& pattern;
        Settings settings;
        const char16_t* replacement;
    };
    const Run runs[] = {
        {"passive, Global", kPassiveExpression, defaults, u"[$1|$4]"},
        {"passive, first only", kPassiveExpression, firstOnly, u"[$1|$4]"},
        {"special, Global", kSpecialExpression, defaults, u"[$1|$5]"},
        {"special, first only", kSpecialExpression, firstOnly, u"[$1|$5]"},
    };
    for (const Run& run : runs) {
        Tally tally(run.label);
        CompareOn(tally, run.pattern, run.settings, subjects, run.replacement);
        EXPECT_EQ(tally.Compared(), subjects.size()) << run.label;
        // The lines must give matches often, not only failures.
        EXPECT_GT(tally.Matched(), subjects.size() / 5) << run.label;
    }
}

// ---------------------------------------------------------------------------------------
// Other expressions, each under all eight combinations of the three settings.

// Where Wine's object answers otherwise than Windows' object, a row names the way, and
// under Wine the settings it shows under are left out; on Windows every row is compared.
enum WineWay : unsigned {
    kAgrees = 0,
    // An empty match under Global: Execute and Replace fail with error 7 ("Out of memory")
    // or never return (the empty pattern alone works); Windows' object returns the empty
    // matches. Compared with Global false.
    kNoEmptyMatchUnderGlobal = 1,
    // IgnoreCase folds the ASCII letters only (not é, Greek, Cyrillic, full-width Latin);
    // Windows' object folds other letters too. Compared with IgnoreCase false.
    kFoldsAsciiOnly = 2,
    // \s takes the Unicode spaces too (U+00A0, U+3000, U+2028, ...); Windows' object
    // documents \s as [ \f\n\r\t\v]. Not compared under Wine.
    kUnicodeSpaces = 4,
    // The groups inside a quantified group are cleared at each iteration, so one that did
    // not take part in the last iteration is empty; Windows' object is not documented
    // either way. Not compared under Wine.
    kClearsCapturesEachIteration = 8,
    // An iteration of * or + past its minimum that matches empty fails, so (a?|b)* takes
    // the b; Windows' object is not documented either way. Not compared under Wine.
    kRefusesEmptyIterations = 16,
};

bool LeftOutUnderWine(unsigned way, Settings settings) {
    if ((way & kNoEmptyMatchUnderGlobal) && settings.global) return true;
    if ((way & kFoldsAsciiOnly) && settings.ignoreCase) return true;
    return (way & (kUnicodeSpaces | kClearsCapturesEachIteration | kRefusesEmptyIterations)) != 0;
}

struct Row {
    const char* name;
    std::u16string pattern;
    std::u16string subject;
    std::u16string replacement = u"<$&>";
    unsigned wine = kAgrees;
};

const std::vector<Row>& Rows() {
    static const std::u16string tenGroups = u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)";
    // clang-format off
    static const std::vector<Row> rows = {
        // Alternation: the first alternative that leads to a match wins.
        {"first alternative first", u"a|ab", u"abab"},
        {"longer alternative first", u"ab|a", u"abab"},
        {"alternatives backtrack", u"(a|ab)(c|bcd)(d*)", u"abcd"},
        {"three alternatives", u"x(a|ab|abc)y", u"xabcy xay"},
        {"empty alternative first", u"|a", u"aa", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"empty alternative last", u"a|", u"ba", u"<$&>", kNoEmptyMatchUnderGlobal},
        // Lazy and greedy.
        {"greedy plus", u"a+", u"aaa baa"},
        {"lazy plus", u"a+?", u"aaa"},
        {"lazy star before a literal", u"a*?b", u"aaab"},
        {"lazy star", u"<.*?>", u"<a><b>"},
        {"greedy star", u"<.*>", u"<a><b>"},
        {"lazy then greedy", u"(a+?)(a*)", u"aaaa"},
        {"lazy question", u"ab??", u"ab"},
        {"lazy up to a literal", u"x.*?y", u"xaybyc"},
        {"lazy counted", u"a{2,3}?", u"aaaaa"},
        // Groups that do not take part.
        {"optional group absent", u"(a)?b", u"b ab"},
        {"other branch's group", u"(a)|(b)", u"ab"},
        {"two optional groups", u"(a)?(b)?c", u"c bc ac abc"},
        {"nested optional", u"(a(b)?)?c", u"c ac abc"},
        // Quantified groups with captures.
        {"group in a repeated alternative", u"(?:(a)|b)+", u"ab", u"<$&>", kClearsCapturesEachIteration},
        {"last iteration's capture", u"(a|b)+", u"ab"},
        {"captures of both branches repeated", u"((a)|(b))+", u"ab", u"<$&>", kClearsCapturesEachIteration},
        {"inner optional in a repeated group", u"(a(b)?)+", u"aba", u"<$&>", kClearsCapturesEachIteration},
        {"repeated groups inside a repeat", u"(z)((a+)?(b+)?(c))*", u"zaacbbbcac", u"<$&>",
         kClearsCapturesEachIteration},
        {"group repeated zero times", u"(a)*", u"b", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"group repeated", u"(a)*", u"aa", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"counted group", u"(ab){2}", u"ababab"},
        {"counted optional group", u"(a){0,2}b", u"ab b aaab"},
        // Iterations that can match empty.
        {"empty or b repeated", u"(a?|b)*", u"b", u"<$&>", kNoEmptyMatchUnderGlobal | kRefusesEmptyIterations},
        {"empty or b at least once", u"(a?|b)+", u"b", u"<$&>", kNoEmptyMatchUnderGlobal | kRefusesEmptyIterations},
        {"empty alternative repeated", u"(?:|a)*", u"aa", u"<$&>", kNoEmptyMatchUnderGlobal | kRefusesEmptyIterations},
        {"empty or b before a literal", u"(a?|b)*c", u"bc"},
        {"empty iteration", u"(a*)*", u"b", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"empty first iteration", u"(a*)+", u"b", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"empty or a repeated", u"(a|)+", u"aa", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"lazy empty iteration", u"(?:a?)*?b", u"ab"},
        // Empty matches under Global.
        {"empty pattern", u"", u"ab"},  // Wine gives these empty matches
        {"empty subject", u"x*", u"", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"empty match after a match", u"a*", u"baaa", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"lazy star always empty", u"a*?", u"aa", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"empty group", u"(?:)", u"abc", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"empty capture", u"()", u"abc", u"<$&|$1>", kNoEmptyMatchUnderGlobal},
        {"empty at every boundary", u"\\b", u"ab cd", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"empty between CR and LF", u"$", u"a\r\nb", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"empty line starts", u"^", u"\n\na", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"digits or nothing", u"\\d*", u"a12b", u"<$&>", kNoEmptyMatchUnderGlobal},
        // Line anchors.
        {"^ before words", u"^\\w", u"ab\ncd\r\nef"},
        {"$ after words", u"\\w$", u"ab\ncd\r\nef"},
        {"whole lines", u"^\\d+$", u"1\r\n22\n333"},
        {"empty lines", u"^$", u"a\n\nb\r\n\r\nc", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"CR alone ends a line", u"^x$", u"x\rx"},
        {"line separators", u"^x", u"x\u2028x\u2029x"},
        {"end before line separator", u"x$", u"x\u2028x\u2029x"},
        {"dot and line terminators", u".", u"a\n\r\u2028\u2029b"},
        // Letter case.
        {"ASCII letters", u"abc", u"xABCaBc"},
        {"class range", u"[a-c]+", u"ABCd"},
        {"negated class", u"[^a]+", u"AaBb"},
        {"upper-case pattern", u"[A-Z]+", u"abcXYZ"},
        {"range across the case gap", u"[Z-a]+", u"z_[A"},
        {"Latin-1", u"\u00E9", u"\u00C9\u00E9", u"<$&>", kFoldsAsciiOnly},
        {"Latin-1 range", u"[\u00E0-\u00FE]+", u"\u00C9\u00E9", u"<$&>", kFoldsAsciiOnly},
        {"Latin Extended-A", u"\u0101", u"\u0100", u"<$&>", kFoldsAsciiOnly},
        {"Greek", u"\u03B1\u03C9", u"\u0391\u03A9", u"<$&>", kFoldsAsciiOnly},
        {"Cyrillic", u"\u0434\u0451", u"\u0414\u0401", u"<$&>", kFoldsAsciiOnly},
        {"full-width Latin", u"\uFF41", u"\uFF21", u"<$&>", kFoldsAsciiOnly},
        {"long s", u"s", u"\u017FS"},
        {"Kelvin sign", u"k", u"\u212AK"},
        {"dotless i", u"i", u"\u0131I"},
        // Word boundaries.
        {"whole words", u"\\bfoo\\b", u"foo food foo_ foo"},
        {"inside words", u"\\Boo\\B", u"foo zoom"},
        {"not a boundary", u"\\B", u"ab, c", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"boundary on an empty subject", u"\\B", u"", u"<$&>", kNoEmptyMatchUnderGlobal},
        {"boundary beside Chinese", u"\\b", u"\u4E2Da\u4E2D", u"<$&>", kNoEmptyMatchUnderGlobal},
        // Classes.
        {"class escapes inside", u"[\\d\\s]+", u"x1 \t2y"},
        {"field characters", u"[0-9\\.\\-]+", u"a1-2.3\uFF10\uFF0D"},
        {"word characters and more", u"[\\w.-]+", u"a_b.c-d e"},
        {"negated digit class", u"[^\\d]+", u"12ab3"},
        {"non-digit inside", u"[\\D]+", u"12ab3"},
        {"digit and non-digit", u"\\d\\D", u"1a2\uFF11"},
        {"word and non-word", u"\\w+\\W", u"a_1!b\u00E9"},
        {"spaces", u"\\s+", u"a \t\r\n\v\fb"},
        {"Unicode spaces", u"\\s", u"\u00A0\u1680\u2000\u200B\u2028\u202F\u3000\uFEFF\u0085", u"<$&>", kUnicodeSpaces},
        {"non-space", u"\\S+", u"ab cd"},
        {"backspace inside", u"[\\b]", u"a\bb"},
        {"hyphen at the ends", u"[-a][b-]", u"-b a-"},
        {"range after a range", u"[a-c-e]+", u"ab-ed"},
        {"Chinese range", u"[\u4E00-\u4E2D]+", u"\u4E00\u4E2D\u4E2E"},
        {"outside ASCII", u"[^\\x00-\\x7F]+", u"ab\u4E2D\u00E9c"},
        {"empty class", u"a[]", u"a"},
        {"negated empty class", u"[^]", u"\n"},
        // Counted repetition.
        {"exact count", u"a{2}", u"aaaaa"},
        {"count range", u"a{2,3}", u"aaaaa"},
        {"at least", u"a{2,}", u"a aaaa"},
        {"zero count", u"ba{0}", u"ba"},
        {"at least three digits", u"\\d{3,}", u"12 1234 123"},
        {"brace that is no quantifier", u"a{,2}", u"a{,2}"},
        {"brace without digits", u"b{x", u"b{x"},
        // Escapes.
        {"control escapes", u"\\t\\n\\r\\f\\v", u"\t\n\r\f\v"},
        {"hex and unicode escapes", u"\\x41\\u4E2D", u"A\u4E2D"},
        {"control letter", u"\\cI\\cj", u"\t\n"},
        {"identity escapes", u"\\.\\-\\/\\(\\)\\[\\]\\{\\}\\*\\+\\?\\|\\^\\$", u".-/()[]{}*+?|^$"},
        {"lone closing bracket", u"]}", u"]}"},
        // Replace.
        {"groups swapped", u"(\\w+) (\\w+)", u"ab cd, ef gh", u"$2 $1"},
        {"whole match", u"\\d+", u"a1b22", u"<$&>"},
        {"before and after", u"b", u"abc", u"[$`|$']"},
        {"dollar sign", u"b", u"abc", u"$$"},
        {"group that does not exist", u"(b)", u"abc", u"$2"},
        {"no groups at all", u"b", u"abc", u"$1"},
        {"group zero", u"(b)", u"abc", u"$0"},
        {"two digits with a leading zero", u"(b)", u"abc", u"$01"},
        {"two digits for the tenth group", tenGroups, u"abcdefghij", u"$10"},
        {"one digit and a literal", u"(b)", u"abc", u"$12"},
        {"lone and unknown dollars", u"b", u"abc", u"$x$"},
        {"group that did not take part", u"(x)?b", u"abc", u"[$1]"},
        {"empty matches replaced", u"a*", u"baaa", u"-", kNoEmptyMatchUnderGlobal},
        {"nothing to replace", u"z", u"abc", u"x"},
        {"empty subject replaced", u"z*", u"", u"x", kNoEmptyMatchUnderGlobal},
        // Rejected by both.
        {"unclosed group", u"(a", u"a"},
        {"unopened group", u"a)", u"a"},
        {"unclosed class", u"[a", u"a"},
        {"nothing to repeat", u"*a", u"a"},
        {"double quantifier", u"a**", u"a"},
        {"count range reversed", u"a{3,2}", u"aaa"},
        {"range reversed", u"[z-a]", u"a"},
        {"trailing backslash", u"a\\", u"a"},
    };
    // clang-format on
    return rows;
}

TEST_F(PlatformRegex, TableOfExpressions) {
    const bool underWine = RunningUnderWine();
    size_t compared = 0;
    for (const Row& row : Rows()) {
        Tally tally(row.name);
        for (int combination = 0; combination < 8; ++combination) {
            const Settings settings{.ignoreCase = (combination & 1) != 0,
                                    .multiline = (combination & 2) != 0,
                                    .global = (combination & 4) == 0};
            if (underWine && LeftOutUnderWine(row.wine, settings)) continue;
            CompareOn(tally, row.pattern, settings, {row.subject}, row.replacement);
        }
        compared += tally.Compared();
    }
    RecordProperty("compared", static_cast<int>(compared));
}

// ---------------------------------------------------------------------------------------
// RegExpObject over code page 936 lines, once with each engine: counts, texts and byte
// positions agree.

std::string DescribeObject(RegExpObject& object, const Text& pattern, const Text& line) {
    std::string out;
    if (!object.Create(pattern, line)) return "rejected";
    const int32_t count = object.MatchCount();
    const int32_t groups = object.SubMatchCount();
    out += std::to_string(count) + " matches, " + std::to_string(groups) + " groups";
    for (int32_t i = 0; i <= count + 1; ++i) {
        int32_t position = 0;
        const Text text = object.MatchText(i, &position);
        out +=
            "\n  #" + std::to_string(i) + " " + Visible(TextToUtf16(text)) + "@" + std::to_string(position);
        for (int32_t g = 0; g <= groups + 1; ++g) {
            const Text group = object.SubMatchText(i, g, &position);
            out += " " + Visible(TextToUtf16(group)) + "@" + std::to_string(position);
            // Without a position the object takes a shorter way to the same text.
            if (object.SubMatchText(i, g) != group) out += "(differs without a position)";
        }
    }
    return out + "\n  Replace -> " + Visible(TextToUtf16(object.ReplaceMatches("<$1>")));
}

TEST_F(PlatformRegex, RegExpObjectWithEitherEngine) {
    std::mt19937 rng(2025);
    RegExpObject builtIn;
    RegExpObject platform([] { return MakeComRegexEngine(); });
    int shown = 0;
    for (int i = 0; i < 500; ++i) {
        const Text line = Utf16ToText(RandomLine(rng, rng() % 30));
        for (const std::u16string* expression : {&kPassiveExpression, &kSpecialExpression}) {
            const Text pattern = Utf16ToText(*expression);
            const std::string expected = DescribeObject(builtIn, pattern, line);
            const std::string got = DescribeObject(platform, pattern, line);
            if (expected != got && shown++ < 3)
                ADD_FAILURE() << "/" << Visible(*expression) << "/ on " << Visible(TextToUtf16(line))
                              << "\nbuilt-in: " << expected << "\nplatform: " << got;
        }
    }
}

}  // namespace
