// The map file reader (placeholder until the regular-expression engine lands).
#pragma once

#include "platform/Platform.h"

void ReadMapFile(const NativePath& path, const Platform& platform);
