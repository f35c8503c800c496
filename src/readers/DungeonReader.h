// The dungeon file reader: the door object ids of a *.dgn file.
#pragma once

#include "platform/Platform.h"

// Appends to DoorObjectList the TAB-separated ids on the line after the first
// "[pathgate object]" header (exact case), each as it stands, empty ones included.
void ReadDungeonFile(const NativePath& path, const Platform& platform);
