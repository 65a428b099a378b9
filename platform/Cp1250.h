#pragma once
// Windows-1250 <-> UTF-8, the one codec at the boundary of byte-exact file and registry records.

#include <string>
#include <string_view>

namespace platform {

// Every byte maps to one code point; the five bytes Windows-1250 leaves undefined map to the C1
// control of the same value, so any byte string survives a round trip.
std::string cp1250ToUtf8(std::string_view bytes);

// Characters without a Windows-1250 byte, and malformed UTF-8 sequences, become '?'.
std::string utf8ToCp1250(std::string_view text);

char32_t cp1250ToCodePoint(unsigned char byte);

// Appends the UTF-8 form of a code point of the Basic Multilingual Plane.
void appendUtf8(std::string &out, char32_t cp);

// Whether the code point has a Windows-1250 byte (and so survives utf8ToCp1250 unchanged).
bool cp1250CanEncode(char32_t codePoint);

} // namespace platform
