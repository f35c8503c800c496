// Data file text: a data file's UTF-8 content as a code page 936 Text.
#pragma once

#include "platform/Platform.h"
#include "readers/Text.h"

// The data decoded as UTF-8 and encoded in code page 936, cut at the first NUL; empty when
// data is empty.
[[nodiscard]] Text Utf8BytesToText(std::string_view data);

// Utf8BytesToText(ReadWholeFile(path)). A file that cannot be opened, a folder, an empty
// file and a file too large to hold all give the empty Text; the caller cannot tell them
// apart and reads nothing from any of them.
[[nodiscard]] Text ReadDataFileText(const NativePath& path, FileSystem& files);
