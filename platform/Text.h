#pragma once
// Text rules shared by the file formats and the model.

#include <string>
#include <string_view>

namespace platform {

// Blanks and control characters: what the INI rules drop around names and values, and what the
// program drops around titles and stored paths.
constexpr bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// `text` without blanks and control characters at either end.
constexpr std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// `text` with A to Z lowered and every other byte kept: one folding of letter case, the same on
// every backend and whatever the locale.
inline std::string lowerAscii(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return lowered;
}

} // namespace platform
