// The regular-expression engine as RegExpObject drives it: the members of the platform's
// regular-expression automation object, under the same names ("IgnoreCase", "Multiline",
// "Global", "Pattern", "Execute", "Replace"; a match collection's "Count" and "Item"; a
// match's "Value", "FirstIndex" and "SubMatches"). Strings cross in UTF-16, as they do into
// the platform object, and offsets count UTF-16 code units.
//
// Any call can fail, as a call into an automation object can: a failed read gives
// std::nullopt, a failed call that returns an object gives nullptr, a failed setting
// returns false and changes nothing. Numbers come back as double, the way automation
// numbers arrive, and the caller truncates them.
//
// The built-in engine stands behind this interface everywhere; the platform's own object
// can stand behind it too, for comparing the two. A match collection, a match and a
// sub-match collection each hold what they report, so they stay valid after the engine
// and the objects they came from are gone.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

class RegexSubMatches {
public:
    virtual ~RegexSubMatches() = default;
    // The number of capturing groups of the expression.
    [[nodiscard]] virtual std::optional<double> Count() const = 0;
    // The text that group index + 1 captured; empty for a group that did not take part.
    [[nodiscard]] virtual std::optional<std::u16string> Item(int32_t index) const = 0;
};

class RegexMatch {
public:
    virtual ~RegexMatch() = default;
    [[nodiscard]] virtual std::optional<std::u16string> Value() const = 0;
    // The 0-based offset of the match in the subject.
    [[nodiscard]] virtual std::optional<double> FirstIndex() const = 0;
    [[nodiscard]] virtual std::unique_ptr<RegexSubMatches> SubMatches() const = 0;
};

class RegexMatchCollection {
public:
    virtual ~RegexMatchCollection() = default;
    [[nodiscard]] virtual std::optional<double> Count() const = 0;
    // The match with this 0-based index; nullptr outside 0..Count - 1.
    [[nodiscard]] virtual std::unique_ptr<RegexMatch> Item(int32_t index) const = 0;

    // Item(index)'s SubMatches()'s Item(group), std::nullopt where any of them fails: a
    // short way to one group's text for an engine that can answer without making the
    // objects between. The base takes the long way.
    [[nodiscard]] virtual std::optional<std::u16string> SubMatchItem(int32_t index, int32_t group) const {
        const std::unique_ptr<RegexMatch> match = Item(index);
        const std::unique_ptr<RegexSubMatches> groups = match ? match->SubMatches() : nullptr;
        return groups ? groups->Item(group) : std::nullopt;
    }

    // Where the text SubMatchItem(index, group) gives lies in the subject: its first code
    // unit's offset and the offset after its last; both -1 for a group that took no part in
    // the match. std::nullopt where SubMatchItem fails, or when the engine does not say.
    [[nodiscard]] virtual std::optional<std::pair<int32_t, int32_t>> SubMatchSpan(int32_t index,
                                                                                 int32_t group) const {
        (void)index;
        (void)group;
        return std::nullopt;
    }
};

class RegexEngine {
public:
    virtual ~RegexEngine() = default;

    // Letters match regardless of case.
    virtual bool SetIgnoreCase(bool value) = 0;
    [[nodiscard]] virtual std::optional<bool> IgnoreCase() const = 0;
    // ^ and $ match at line breaks too, not only at the ends of the subject.
    virtual bool SetMultiline(bool value) = 0;
    [[nodiscard]] virtual std::optional<bool> Multiline() const = 0;
    // Execute finds every match, Replace replaces every match; otherwise only the first.
    virtual bool SetGlobal(bool value) = 0;
    [[nodiscard]] virtual std::optional<bool> Global() const = 0;
    virtual bool SetPattern(std::u16string_view pattern) = 0;
    [[nodiscard]] virtual std::optional<std::u16string> Pattern() const = 0;

    // The matches of the pattern in subject, from left to right; nullptr when the pattern
    // is rejected.
    [[nodiscard]] virtual std::unique_ptr<RegexMatchCollection> Execute(std::u16string_view subject) = 0;
    // Execute over a subject the caller shares: an engine may keep it for its matches
    // instead of a copy of its own. The base runs Execute.
    [[nodiscard]] virtual std::unique_ptr<RegexMatchCollection> ExecuteShared(
        std::shared_ptr<const std::u16string> subject) {
        return Execute(*subject);
    }
    // subject with its matches replaced by replacement, in which $1..$99, $&, $`, $' and $$
    // stand for parts of the match; std::nullopt when the pattern is rejected.
    [[nodiscard]] virtual std::optional<std::u16string> Replace(std::u16string_view subject,
                                                                std::u16string_view replacement) = 0;
};

// Makes a new engine with its own settings, or nullptr when none can be made.
using RegexEngineFactory = std::function<std::unique_ptr<RegexEngine>()>;

// The system's own engine, made with every setting false and an empty pattern.
[[nodiscard]] std::unique_ptr<RegexEngine> MakeBuiltInRegexEngine();
