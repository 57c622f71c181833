#pragma once
// The program's one kind of text: UTF-8 in std::string, from the file system to the screen. Only
// the Windows backend converts, at its calls into the system.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::utf8 {

// Whether `text` is well-formed UTF-8: no stray continuation bytes, no sequence cut short or
// longer than needed, no surrogate halves and nothing above U+10FFFF.
bool isValid(std::string_view text);

// The characters of `text`: its code points, however many bytes each takes.
std::size_t characterCount(std::string_view text);

// The code point that starts at `at`, moving `at` past it; a byte that starts no well-formed
// sequence is taken as the character of that value (as Latin-1 reads it), one byte long.
char32_t next(std::string_view text, std::size_t& at);

void append(std::string& text, char32_t codePoint);

} // namespace platform::utf8
