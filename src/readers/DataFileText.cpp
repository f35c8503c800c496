#include "readers/DataFileText.h"

#include <cstring>

#include "readers/CodePage.h"

namespace {

// A NUL byte never belongs to a longer UTF-8 sequence and no character encodes to a NUL,
// so converting the bytes before the first NUL is the same as cutting the result there.
size_t BeforeNul(std::string_view data) {
    const void* nul = std::memchr(data.data(), 0, data.size());
    return nul ? static_cast<size_t>(static_cast<const char*>(nul) - data.data()) : data.size();
}

}  // namespace

Text Utf8BytesToText(std::string_view data) {
    data = data.substr(0, BeforeNul(data));
    if (data.empty()) return {};
    return Utf8ToText(data);
}

// The file's bytes are converted in their own buffer: the text is never longer than the
// bytes, and a file is read once and converted once, without a second copy.
Text ReadDataFileText(const NativePath& path, FileSystem& files) {
    if (path.empty()) return {};
    ByteData data = files.ReadWholeFile(path);
    data.resize(BeforeNul(data));
    return Utf8ToTextInPlace(std::move(data));
}
