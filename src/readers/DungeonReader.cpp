#include "readers/DungeonReader.h"

#include "analysis/ResultStore.h"
#include "readers/DataFileText.h"
#include "readers/Sections.h"

void ReadDungeonFile(const NativePath& path, const Platform& platform) {
    const Text text = ReadDataFileText(path, platform.files);
    const Text line = TextBetween(text, "[pathgate object]\r\n", "\r\n");
    for (const Text& piece : SplitText(line, CharFromCode(9))) Results().DoorObjectList.push_back(piece);
}
