// The map file reader: the passive object, monster and special passive object ids of one
// *.map file, appended to the result store.
#pragma once

#include "platform/Platform.h"

// Reads the file and appends, in this order every time: to PassiveObjectList the first
// field of each four-field entry on the line after "[passive object]"; to MonsterList the
// bytes before the first TAB of each line of the "[monster]" section; to PassiveObjectList
// the first field of each five-field entry on the line after "[special passive object]",
// adding 1 to SpecialObjectCount for each. Ids are taken as they stand, repeats included.
void ReadMapFile(const NativePath& path, const Platform& platform);
