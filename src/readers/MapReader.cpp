#include "readers/MapReader.h"

#include <string_view>

#include "analysis/ResultStore.h"
#include "readers/DataFileText.h"
#include "readers/Sections.h"
#include "readers/StageMarks.h"
#include "regex/RegExpObject.h"

namespace {

// The expressions exactly as the map format is read: every backslash is a backslash, so
// \t is the expression's escape for TAB. An entry is four (five) fields, a field one or
// more of 0-9, full stop and hyphen followed by a TAB; group 1 is the id with its TAB.
constexpr std::string_view kPassiveExpression = R"(([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t))";
constexpr std::string_view kSpecialExpression =
    R"(([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t)([0-9\.\-]+\t))";

// Group 1 of match index, every TAB removed.
Text EntryId(const RegExpObject& expression, int32_t index) {
    return ReplaceText(expression.SubMatchText(index, 1), CharFromCode(9), "", true);
}

void ReadPassiveObjects(RegExpObject& expression, const Text& text) {
    const std::string_view line = TextBetweenView(text, "[passive object]\r\n", "\r\n");
    expression.Create(kPassiveExpression, line);
    const int32_t count = expression.MatchCount();
    for (int32_t i = 1; i <= count; ++i) Results().PassiveObjectList.push_back(EntryId(expression, i));
}

// The section and its lines are views into the text; only the ids are copied.
void ReadMonsters(const Text& text) {
    const std::string_view section = TextBetweenView(text, "[monster]\r\n", "\r\n\r\n[/monster]");
    for (const std::string_view line : SplitTextViews(section, "\r\n")) {
        const int tab = FindText(line, "\t");
        if (tab >= 1) Results().MonsterList.push_back(TextLeft(line, tab - 1));
    }
}

// Creating again drops the passive section's matches along with its engine.
void ReadSpecialObjects(RegExpObject& expression, const Text& text) {
    const std::string_view line = TextBetweenView(text, "[special passive object]\r\n", "\r\n");
    expression.Create(kSpecialExpression, line);
    const int32_t count = expression.MatchCount();
    for (int32_t i = 1; i <= count; ++i) {
        Results().PassiveObjectList.push_back(EntryId(expression, i));
        CountSpecialObject();
    }
}

}  // namespace

// One expression object serves the file's two expression sections. An absent section is
// the empty Text, which still runs through Create and finds nothing.
void ReadMapFile(const NativePath& path, const Platform& platform) {
    RegExpObject expression;
    const Text text = ReadDataFileText(path, platform.files);
    MarkStage(platform, SearchStage::kExtract);
    ReadPassiveObjects(expression, text);
    ReadMonsters(text);
    ReadSpecialObjects(expression, text);
}
