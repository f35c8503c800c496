#include "readers/ActReader.h"

#include "analysis/ResultStore.h"
#include "readers/DataFileText.h"
#include "readers/Sections.h"
#include "readers/StageMarks.h"

void ReadActFile(const NativePath& path, const Platform& platform) {
    const Text text = ReadDataFileText(path, platform.files);
    MarkStage(platform, SearchStage::kExtract);
    const Text endMarker = ConcatText(CharFromCode(9), "\r\n");
    TextList entries;
    TextBetweenAll(text, "[CREATE PASSIVEOBJECT]\r\n\r\n[INDEX]\r\n", endMarker, entries, platform.messages);
    for (Text& entry : entries) Results().ActObjectList.push_back(std::move(entry));
}
