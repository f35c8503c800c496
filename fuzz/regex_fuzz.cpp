// The regular-expression engine on an arbitrary pattern and subject, under arbitrary
// settings. Nothing may crash or hang (libFuzzer's -timeout is the budget per input), and
// the engine must answer the same every time: a second run of the same engine, a fresh
// engine, and a run whose backtracker has so little memory that it hands every search to
// the Pike VM all give the same matches. Through RegExpObject each match's text lies in the
// subject where the object says.
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "readers/CodePage.h"
#include "regex/MatchRun.h"
#include "regex/RegExpObject.h"
#include "regex/RegexEngine.h"
#include "regex/RegexProgram.h"

namespace {

struct Settings {
    bool ignoreCase = false;
    bool multiline = false;
    bool global = false;
};

// Everything an engine reports of one Execute and one Replace, in one comparable value.
struct Outcome {
    bool accepted = false;
    std::vector<std::u16string> texts;  // per match: its value, then each group's text
    std::vector<double> firstIndexes;
    std::u16string replaced;
    bool operator==(const Outcome&) const = default;
};

Outcome Run(RegexEngine& engine, std::u16string_view subject, std::u16string_view replacement) {
    Outcome outcome;
    const auto matches = engine.Execute(subject);
    const auto replaced = engine.Replace(subject, replacement);
    FUZZ_CHECK((matches != nullptr) == replaced.has_value());
    if (!matches) return outcome;
    outcome.accepted = true;
    outcome.replaced = *replaced;
    const double count = matches->Count().value_or(-1);
    FUZZ_CHECK(count >= 0 && count <= static_cast<double>(subject.size()) + 1);
    for (int32_t i = 0; i < static_cast<int32_t>(count); ++i) {
        const auto match = matches->Item(i);
        FUZZ_CHECK(match != nullptr);
        const std::u16string value = match->Value().value_or(u"");
        const double first = match->FirstIndex().value_or(-1);
        FUZZ_CHECK(first >= 0 &&
                   first + static_cast<double>(value.size()) <= static_cast<double>(subject.size()));
        FUZZ_CHECK(subject.substr(static_cast<size_t>(first), value.size()) == value);
        outcome.texts.push_back(value);
        outcome.firstIndexes.push_back(first);
        const auto groups = match->SubMatches();
        FUZZ_CHECK(groups != nullptr);
        const double groupCount = groups->Count().value_or(-1);
        FUZZ_CHECK(groupCount >= 0);
        for (int32_t g = 0; g < static_cast<int32_t>(groupCount); ++g)
            outcome.texts.push_back(groups->Item(g).value_or(u"?"));
        FUZZ_CHECK(!groups->Item(static_cast<int32_t>(groupCount)).has_value());
    }
    FUZZ_CHECK(matches->Item(static_cast<int32_t>(count)) == nullptr);
    FUZZ_CHECK(matches->Item(-1) == nullptr);
    // Without global, one match at most.
    if (!engine.Global().value_or(true)) FUZZ_CHECK(count <= 1);
    return outcome;
}

std::unique_ptr<RegexEngine> MakeEngine(const Settings& settings, std::u16string_view pattern) {
    auto engine = MakeBuiltInRegexEngine();
    FUZZ_CHECK(engine != nullptr);
    engine->SetIgnoreCase(settings.ignoreCase);
    engine->SetMultiline(settings.multiline);
    engine->SetGlobal(settings.global);
    engine->SetPattern(pattern);
    return engine;
}

// The machines directly: a tiny ring makes the backtracker give up at once, so the Pike VM
// does the searching; both must find the same slots.
void CheckMachinesAgree(const Settings& settings, std::u16string_view pattern, std::u16string_view subject) {
    const std::optional<regex::Program> program =
        regex::CompilePattern(pattern, settings.ignoreCase, settings.multiline);
    if (!program) return;
    regex::RunScratch roomy, tight;
    const std::vector<int32_t> slots = regex::FindMatches(*program, subject, settings.global, roomy);
    FUZZ_CHECK(slots == regex::FindMatches(*program, subject, settings.global, tight, 1));
    FUZZ_CHECK(slots == regex::FindMatches(*program, subject, settings.global, roomy));
}

void CheckObject(const Settings& settings, const Text& pattern, const Text& subject) {
    RegExpObject object;
    const bool made =
        object.Create(pattern, subject, !settings.ignoreCase, settings.multiline, settings.global);
    const int32_t count = object.MatchCount();
    FUZZ_CHECK(made || count == 0);
    for (int32_t i = 0; i <= count + 1; ++i) {
        int32_t position = 0;
        const Text text = object.MatchText(i, &position);
        if (i < 1 || i > count) {
            FUZZ_CHECK(text.empty());
            continue;
        }
        FUZZ_CHECK(position >= -2 && position < static_cast<int32_t>(subject.size()) + 1);
        if (position >= 0 && !text.empty()) {
            const Text there = subject.substr(static_cast<size_t>(position), text.size());
            FUZZ_CHECK(settings.ignoreCase || there == text);
        }
        for (int32_t g = 0; g <= object.SubMatchCount() + 1; ++g)
            (void)object.SubMatchText(i, g, &position);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t bits = in.Byte();
    const Settings settings{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
    // Code page 936 bytes, as the system's patterns and subjects are, in their UTF-16 form:
    // every byte string gives one, lone surrogates included.
    const Text patternText = in.Bytes(128);
    const Text replacementText = in.Bytes(16);
    const Text subjectText = in.Rest();
    const std::u16string pattern = TextToUtf16(patternText);
    const std::u16string replacement = TextToUtf16(replacementText);
    const std::u16string subject = TextToUtf16(subjectText);

    auto engine = MakeEngine(settings, pattern);
    const Outcome first = Run(*engine, subject, replacement);
    FUZZ_CHECK(Run(*engine, subject, replacement) == first);
    FUZZ_CHECK(Run(*MakeEngine(settings, pattern), subject, replacement) == first);
    if (first.accepted) CheckMachinesAgree(settings, pattern, subject);
    if (bits & 8) CheckObject(settings, patternText, subjectText);
    return 0;
}
