#include "readers/DungeonReader.h"

#include "analysis/ResultStore.h"
#include "readers/DataFileText.h"
#include "readers/Sections.h"
#include "readers/StageMarks.h"

void ReadDungeonFile(const NativePath& path, const Platform& platform) {
    const Text text = ReadDataFileText(path, platform.files);
    MarkStage(platform, SearchStage::kExtract);
    const std::string_view line = TextBetweenView(text, "[pathgate object]\r\n", "\r\n");
    for (const std::string_view piece : SplitTextViews(line, "\t"))
        Results().DoorObjectList.emplace_back(piece);
}
