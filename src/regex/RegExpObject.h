// RegExpObject: the system's one class. It runs one regular expression over one subject
// Text (code page 936) and answers by 1-based index: the number of matches, the text of a
// match or of one of its groups and, when asked, where that text lies in the subject.
//
// The object owns its engine, the match collection of its last Create and that Create's
// subject (in UTF-16, as it crossed into the engine, which may keep it shared for its
// matches instead of copying it). Every Create replaces all three.
// The engine comes from the factory the object was made with: the built-in engine unless
// a caller gives another. Nothing here fails loudly: a call into the engine that fails
// gives 0, the empty Text or false, and the operation goes on. The built-in engine needs no
// COM, so the object does not initialise it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "readers/Text.h"
#include "regex/RegexEngine.h"

class RegExpObject {
public:
    explicit RegExpObject(RegexEngineFactory makeEngine = MakeBuiltInRegexEngine);
    ~RegExpObject();
    // The system never copies one; a copy would have to share or clone a live engine.
    RegExpObject(const RegExpObject&) = delete;
    RegExpObject& operator=(const RegExpObject&) = delete;

    // Makes a fresh engine, sets "IgnoreCase" to !caseSensitive, "Multiline", "Global" and
    // "Pattern" (with each "#引号" replaced by a double quote when quotePlaceholder), and
    // runs "Execute" over subject. True when the engine returned a match collection.
    bool Create(std::string_view pattern, std::string_view subject, bool caseSensitive = false,
                bool multiline = true, bool global = true, bool quotePlaceholder = false);

    // The engine's "Pattern"; empty before the first Create.
    [[nodiscard]] Text GetPattern() const;

    // The subject of the last Create with the engine's "Replace" applied.
    [[nodiscard]] Text ReplaceMatches(std::string_view replacement) const;

    // The number of matches of the last Create; 0 when there is none.
    [[nodiscard]] int32_t MatchCount() const;

    // The text of match index (from 1). When position is given it receives the 0-based byte
    // offset of that text in the subject, found from the match's "FirstIndex" on, or -2.
    [[nodiscard]] Text MatchText(int32_t index, int32_t* position = nullptr) const;

    // The text group subIndex (from 1) captured in match matchIndex (from 1); empty for a
    // group that did not take part. position as for MatchText, searched from the match.
    [[nodiscard]] Text SubMatchText(int32_t matchIndex, int32_t subIndex, int32_t* position = nullptr) const;

    // The number of groups, read from the first match; 0 when there is no match.
    [[nodiscard]] int32_t SubMatchCount() const;

private:
    [[nodiscard]] int32_t PositionOf(const RegexMatch* match, std::string_view text) const;

    RegexEngineFactory makeEngine;
    std::unique_ptr<RegexEngine> engine;
    std::unique_ptr<RegexMatchCollection> matches;
    // Shared with the match collection, which needs it for the texts it gives.
    std::shared_ptr<const std::u16string> subject;
    // The subject as it was given, for the position search: the same bytes subject turns
    // back into, since every Text survives the trip to UTF-16 and back unchanged.
    Text subjectText;
    // No byte of subjectText is a lead byte: each is one UTF-16 code unit of the same value,
    // so a group's text can be cut from subjectText at the engine's offsets.
    bool subjectIsAscii = false;
};
