#pragma once
#include <string>
#include <string_view>

namespace fl3 {

// Level files store the music name one byte per character in Windows-1252;
// the program keeps text in UTF-8.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte become '?'. Stops after `maxChars`
// characters when given.
std::string Utf8ToCp1252(std::string_view utf8, std::size_t maxChars = std::string::npos);

}  // namespace fl3
