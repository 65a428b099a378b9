#pragma once
// The Central European OEM code page 852, in which ZIP archives made on Polish systems name their members.

#include <string>
#include <string_view>

namespace platform {

// Every byte maps to one code point.
std::string cp852ToUtf8(std::string_view bytes);

} // namespace platform
