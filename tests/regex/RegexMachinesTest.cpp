// The backtracker and the Pike VM must find the same matches, groups included: random
// expressions over a small alphabet, random subjects, and rings so small that the
// backtracker wraps round and gives up to the Pike VM all the time.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "regex/MatchRun.h"

namespace regex {
namespace {

std::string Ascii(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out += c == u'\n' ? std::string("\\n") : std::string(1, static_cast<char>(c));
    return out;
}

class PatternMaker {
public:
    explicit PatternMaker(uint32_t seed) : rng(seed) {}

    std::u16string Disjunction(int depth) {
        std::u16string out = Alternative(depth);
        while (Chance(depth > 0 ? 4 : 8)) out.append(u"|").append(Alternative(depth));
        return out;
    }

    std::mt19937 rng;

private:
    bool Chance(int oneIn) { return rng() % oneIn == 0; }

    template <size_t N>
    std::u16string Pick(const std::u16string_view (&choices)[N]) {
        return std::u16string(choices[rng() % N]);
    }

    std::u16string Alternative(int depth) {
        std::u16string out;
        for (int terms = rng() % 4; terms > 0; --terms) out += Term(depth);
        return out;
    }

    std::u16string Term(int depth) {
        static constexpr std::u16string_view kAssertions[] = {u"^", u"$", u"\\b", u"\\B"};
        static constexpr std::u16string_view kQuantifiers[] = {u"", u"", u"*", u"+", u"?", u"{2}", u"{0,2}",
                                                               u"{1,3}", u"{2,}"};
        if (Chance(6)) return Pick(kAssertions);
        std::u16string quantifier = Pick(kQuantifiers);
        if (!quantifier.empty() && Chance(3)) quantifier += u"?";
        return Atom(depth) + quantifier;
    }

    std::u16string Atom(int depth) {
        static constexpr std::u16string_view kAtoms[] = {u"a",    u"a",    u"b",   u"A",   u".",
                                                         u"[ab]", u"[^a]", u"\\w", u"\\s", u"[a-b\\s]"};
        if (depth > 0 && Chance(3)) {
            std::u16string group = Chance(3) ? u"(?:" : u"(";
            return group.append(Disjunction(depth - 1)).append(u")");
        }
        return Pick(kAtoms);
    }
};

std::u16string RandomSubject(std::mt19937& rng) {
    static constexpr char16_t kUnits[] = u"aaabbA \n";
    std::u16string subject;
    for (int length = rng() % 12; length > 0; --length)
        subject.push_back(kUnits[rng() % (std::size(kUnits) - 1)]);
    return subject;
}

// Every match found with the Pike VM alone.
std::vector<int32_t> PikeVmMatches(const Program& program, std::u16string_view subject) {
    VmScratch scratch;
    const size_t slotCount = 2 * size_t(program.groupCount + 1);
    std::vector<int32_t> all;
    std::vector<int32_t> slots(slotCount);
    for (int32_t start = 0; start <= static_cast<int32_t>(subject.size());) {
        if (!FindMatch(program, subject, start, scratch, slots.data())) break;
        all.insert(all.end(), slots.begin(), slots.end());
        start = slots[1] > slots[0] ? slots[1] : slots[1] + 1;
    }
    return all;
}

TEST(RegexMachines, AgreeOnRandomExpressions) {
    PatternMaker maker(20240611);
    int compiled = 0;
    int withMatches = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::u16string pattern = maker.Disjunction(2);
        const bool ignoreCase = maker.rng() % 2;
        const bool multiline = maker.rng() % 2;
        const std::optional<Program> program = CompilePattern(pattern, ignoreCase, multiline);
        if (!program) continue;
        ++compiled;
        for (int s = 0; s < 4; ++s) {
            const std::u16string subject = RandomSubject(maker.rng);
            const std::vector<int32_t> expected = PikeVmMatches(*program, subject);
            withMatches += !expected.empty();
            for (size_t ringWords : {kDefaultRingWords, size_t{1}, size_t{2}, size_t{8}}) {
                RunScratch scratch;
                ASSERT_EQ(FindMatches(*program, subject, true, scratch, ringWords), expected)
                    << "/" << Ascii(pattern) << "/ on \"" << Ascii(subject) << "\", ignore case "
                    << ignoreCase << ", multiline " << multiline << ", ring of " << ringWords << " words";
            }
        }
    }
    // The generator must keep producing expressions that compile and match.
    EXPECT_GT(compiled, 3000);
    EXPECT_GT(withMatches, 6000);
}

// A single start that explores more of the subject than the ring holds: the Pike VM takes
// over from where the backtracker gave up, and the next search goes back to the backtracker.
TEST(RegexMachines, PikeVmTakesOverBeyondTheRing) {
    const std::optional<Program> program = CompilePattern(u"x?(\\d+)y|(z)", false, false);
    ASSERT_TRUE(program);
    std::u16string subject = u"z";
    subject.append(1000, u'7').append(u"y z x").append(1000, u'8').append(u"!");
    RunScratch scratch;
    const std::vector<int32_t> found = FindMatches(*program, subject, true, scratch, 16);
    EXPECT_EQ(found, PikeVmMatches(*program, subject));
    EXPECT_EQ(found.size(), 3 * 6u);
}

}  // namespace
}  // namespace regex
