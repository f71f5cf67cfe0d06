// Race files store text one byte per character in Windows-1252; the rest of the program works
// in UTF-8. These two conversions are the only crossing point.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace sg {

// Each byte becomes its character in UTF-8. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number, so that
// encoding the text again gives back the same bytes.
std::string DecodeWindows1252(std::span<const std::uint8_t> bytes);

// One byte per character of the UTF-8 text. A character that Windows-1252 cannot hold, and each
// byte of a malformed UTF-8 sequence, is stored as "?".
std::string EncodeWindows1252(std::string_view utf8);

} // namespace sg
