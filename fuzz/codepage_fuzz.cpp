// The code page converters on arbitrary bytes: a code page 936 text goes to UTF-16 and back
// unchanged, whatever its bytes (a byte that begins no character is escaped, not lost), and
// UTF-8 to Text never grows and makes no NUL that the input did not have.
#include <cstring>

#include "FuzzInput.h"
#include "readers/CodePage.h"
#include "readers/DataFileText.h"

namespace {

bool IsValidUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        size_t length = lead < 0x80                    ? 1
                        : lead >= 0xC2 && lead <= 0xDF ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                                                       : 0;
        if (length == 0 || bytes.size() - i < length) return false;
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool hasNul = std::memchr(bytes.data(), 0, bytes.size()) != nullptr;

    const std::u16string utf16 = TextToUtf16(bytes);
    FUZZ_CHECK(utf16.size() <= bytes.size());
    FUZZ_CHECK(Utf16ToText(utf16) == bytes);

    const Text fromUtf8 = Utf8ToText(bytes);
    FUZZ_CHECK(fromUtf8.size() <= bytes.size());
    FUZZ_CHECK(hasNul || std::memchr(fromUtf8.data(), 0, fromUtf8.size()) == nullptr);
    FUZZ_CHECK(Utf8ToTextInPlace(std::string(bytes)) == fromUtf8);
    const Text dataText = Utf8BytesToText(bytes);
    FUZZ_CHECK(dataText.size() <= fromUtf8.size());
    FUZZ_CHECK(std::memchr(dataText.data(), 0, dataText.size()) == nullptr);
    FUZZ_CHECK(fromUtf8.compare(0, dataText.size(), dataText) == 0);

    // For printing: always well-formed UTF-8 of at most one code point per input byte.
    const std::string utf8 = TextToUtf8(bytes);
    FUZZ_CHECK(IsValidUtf8(utf8));
    FUZZ_CHECK(utf8.size() <= 3 * bytes.size());

    // Any UTF-16, surrogates alone or in pairs: one code page 936 character or "?" per
    // code point, never more than two bytes per code unit.
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    const Text fromUtf16 = Utf16ToText(units);
    FUZZ_CHECK(fromUtf16.size() <= 2 * units.size());
    return 0;
}
