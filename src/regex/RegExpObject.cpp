#include "regex/RegExpObject.h"

#include <optional>
#include <utility>

#include "readers/CodePage.h"

namespace {

// An automation number as the system's 32-bit integer, truncated toward zero; 0 when the
// read failed.
int32_t ToInteger(std::optional<double> number) {
    return number ? static_cast<int32_t>(TruncateToInteger(*number)) : 0;
}

Text ToText(const std::optional<std::u16string>& text) { return text ? Utf16ToText(*text) : Text(); }

// The match with this 1-based index, or nullptr; an index below 1 never reaches the engine,
// so index - 1 cannot overflow.
std::unique_ptr<RegexMatch> MatchAt(const RegexMatchCollection* matches, int32_t index) {
    return matches && index >= 1 ? matches->Item(index - 1) : nullptr;
}

}  // namespace

RegExpObject::RegExpObject(RegexEngineFactory makeEngine) : makeEngine(std::move(makeEngine)) {}

RegExpObject::~RegExpObject() = default;

bool RegExpObject::Create(std::string_view pattern, std::string_view newSubject, bool caseSensitive,
                          bool multiline, bool global, bool quotePlaceholder) {
    const bool ignoreCase = !caseSensitive;
    // A fresh engine for every run, so that nothing of the run before survives it.
    matches.reset();
    engine.reset();
    engine = makeEngine ? makeEngine() : nullptr;
    const Text prepared =
        quotePlaceholder ? ReplaceText(pattern, kQuotePlaceholder, "\"", true) : Text(pattern);
    if (engine) {
        engine->SetIgnoreCase(ignoreCase);
        engine->SetMultiline(multiline);
        engine->SetGlobal(global);
        engine->SetPattern(TextToUtf16(prepared));
    }
    subject = std::make_shared<const std::u16string>(TextToUtf16(newSubject));
    subjectText = newSubject;
    subjectIsAscii = IsAscii(subjectText);
    if (engine) matches = engine->ExecuteShared(subject);
    return matches != nullptr;
}

Text RegExpObject::GetPattern() const { return engine ? ToText(engine->Pattern()) : Text(); }

Text RegExpObject::ReplaceMatches(std::string_view replacement) const {
    return engine && subject ? ToText(engine->Replace(*subject, TextToUtf16(replacement))) : Text();
}

int32_t RegExpObject::MatchCount() const { return matches ? ToInteger(matches->Count()) : 0; }

Text RegExpObject::MatchText(int32_t index, int32_t* position) const {
    const std::unique_ptr<RegexMatch> match = MatchAt(matches.get(), index);
    Text text = match ? ToText(match->Value()) : Text();
    if (position != nullptr) *position = PositionOf(match.get(), text);
    return text;
}

Text RegExpObject::SubMatchText(int32_t matchIndex, int32_t subIndex, int32_t* position) const {
    // Without a position no match object is needed, only the group's text.
    if (position == nullptr) {
        if (!matches || matchIndex < 1 || subIndex < 1) return Text();
        if (subjectIsAscii) {
            if (const auto span = matches->SubMatchSpan(matchIndex - 1, subIndex - 1)) {
                if (span->first < 0) return Text();
                return subjectText.substr(size_t(span->first), size_t(span->second - span->first));
            }
        }
        return ToText(matches->SubMatchItem(matchIndex - 1, subIndex - 1));
    }
    const std::unique_ptr<RegexMatch> match = MatchAt(matches.get(), matchIndex);
    const std::unique_ptr<RegexSubMatches> groups = match ? match->SubMatches() : nullptr;
    Text text = groups && subIndex >= 1 ? ToText(groups->Item(subIndex - 1)) : Text();
    if (position != nullptr) *position = PositionOf(match.get(), text);
    return text;
}

int32_t RegExpObject::SubMatchCount() const {
    const std::unique_ptr<RegexMatch> first = MatchAt(matches.get(), 1);
    const std::unique_ptr<RegexSubMatches> groups = first ? first->SubMatches() : nullptr;
    return groups ? ToInteger(groups->Count()) : 0;
}

// "FirstIndex" counts UTF-16 code units and is never more than the byte offset in code page
// 936, so the text is searched for from there on (FirstIndex itself as FindText's 1-based
// start, as the system always has), with the engine's case setting.
int32_t RegExpObject::PositionOf(const RegexMatch* match, std::string_view text) const {
    const int32_t firstIndex = match ? ToInteger(match->FirstIndex()) : 0;
    const std::optional<bool> ignoreCase = engine ? engine->IgnoreCase() : std::nullopt;
    return FindText(subjectText, text, firstIndex, ignoreCase.value_or(false)) - 1;
}
