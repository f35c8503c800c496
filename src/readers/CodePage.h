// Conversions between code page 936 Text and the Unicode forms the system meets: UTF-8 in
// the data files and in the scanner's output, UTF-16 in the window's controls and in the
// regular-expression engine. The tables are those of Windows code page 936 (0x80 is the
// euro sign), committed as data, so every build gives the same bytes.
//
// Unicode to code page 936: every code point that code page 936 cannot represent becomes
// one "?" (an emoji is one "?", not two).
//
// Code page 936 to Unicode: a byte that begins no valid character (a lead byte without a
// valid second byte, 0xFF, an unassigned pair) becomes the lone surrogate U+DC00 + byte in
// UTF-16, which turns back into that same byte, so any Text survives the trip to UTF-16
// and back unchanged. In UTF-8 output such a byte becomes U+FFFD. Of an unassigned pair
// both bytes are escaped, but an ASCII second byte stays the character it is (a lone
// surrogate below U+DC80 would not turn back into it).
#pragma once

#include <string>
#include <string_view>

#include "readers/Text.h"

// UTF-8 to code page 936. An invalid UTF-8 sequence gives one U+FFFD per maximal invalid
// subpart (the Unicode standard's recommended practice), which then becomes "?". A
// byte-order mark is converted like any other character. NUL bytes are kept: the caller
// decides where a Text ends.
[[nodiscard]] Text Utf8ToText(std::string_view utf8);
// The same, converting in utf8's own buffer: the result is never longer than its UTF-8.
[[nodiscard]] Text Utf8ToTextInPlace(std::string&& utf8);

// Code page 936 to UTF-8, for printing.
[[nodiscard]] std::string TextToUtf8(std::string_view text);

// Whether every byte is below 0x80. Such bytes are the same characters in UTF-8, in code
// page 936 (where none is a lead byte) and, one code unit each, in UTF-16.
[[nodiscard]] bool IsAscii(std::string_view bytes);

// Code page 936 to UTF-16 and back.
[[nodiscard]] std::u16string TextToUtf16(std::string_view text);
[[nodiscard]] Text Utf16ToText(std::u16string_view utf16);
