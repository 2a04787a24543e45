#pragma once
// UTF-16 <-> UTF-8 for the stand-in's calls into Linux and SDL. Bad input
// (lone surrogates, broken sequences) becomes U+FFFD; nothing is dropped.

#include <string>
#include <string_view>

namespace wince_text {

std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);
// Length of a NUL-terminated UTF-16 text; 0 for null.
size_t length(const char16_t* text);
// Case-insensitive comparison of two UTF-16 texts (ASCII letters only).
bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);

}  // namespace wince_text
