#pragma once
// What the program's text files hold (config.txt, settings.txt, the language file), as the
// program's own text. They are written in UTF-8, without a byte-order mark unless the file had
// one; earlier versions wrote them in the system's ANSI code page, and such a file still reads as
// they wrote it.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// `bytes` as UTF-8: as they are when they are UTF-8 already (a byte-order mark is kept, for the
// INI rules skip it and keep it when the text is edited), else converted from the ANSI code page.
// A file in that code page is hardly ever well-formed UTF-8 by chance: every letter above 127
// would have to be followed by the right number of letters from a narrow range of symbols.
std::string decodeStoredText(std::string bytes);

// The file's content as decodeStoredText reads it, or nothing when it cannot be read.
std::optional<std::string> readStoredText(const std::string& path);

namespace native {
// Text in the system's ANSI code page, in UTF-8. Linux has no such code page: the headless
// backend reads Windows-1252, that of Western European Windows.
std::string ansiToUtf8(std::string_view bytes);
} // namespace native

} // namespace platform
