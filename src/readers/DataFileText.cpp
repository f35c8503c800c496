#include "readers/DataFileText.h"

#include <cstring>

#include "readers/CodePage.h"

Text Utf8BytesToText(std::string_view data) {
    // A NUL byte never belongs to a longer UTF-8 sequence and no character encodes to a NUL,
    // so converting the bytes before the first NUL is the same as cutting the result there.
    const void* nul = std::memchr(data.data(), 0, data.size());
    if (nul) data = data.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - data.data()));
    if (data.empty()) return {};
    return Utf8ToText(data);
}

Text ReadDataFileText(const NativePath& path, FileSystem& files) {
    if (path.empty()) return {};
    return Utf8BytesToText(files.ReadWholeFile(path));
}
