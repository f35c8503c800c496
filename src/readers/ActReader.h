// The act file reader: the passive objects that a *.act file creates.
#pragma once

#include "platform/Platform.h"

// Appends to ActObjectList the index entry of every creation block: the text after
// "[CREATE PASSIVEOBJECT]\r\n\r\n[INDEX]\r\n" (letters in any case) up to the next TAB that
// is followed by CR LF, trimmed of spaces; empty entries are dropped.
void ReadActFile(const NativePath& path, const Platform& platform);
