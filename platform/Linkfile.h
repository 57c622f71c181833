#pragma once
// The binary layout of Windows shortcut files (.lnk), as far as the program needs it: the target
// path kept in the LinkInfo structure as a local base path plus a common path suffix, and the
// description string. The headless backend stores shortcuts in this layout, so that files written
// here open on Windows and files written by Windows resolve here. Pure byte work, no file access.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::linkfile {

struct LinkContent {
    std::string target;      // "" when the shortcut has no local path
    std::string description; // "" when it has none
};

// A shortcut with a 76-byte header, LinkInfo holding `target` as its local base path (left out
// when the target is empty), the description as an ANSI string when there is one (cut to 65535
// characters), and the terminal block.
std::string encode(const LinkContent& content);

// Reads `bytes` as a shortcut file. Nothing when they are not one: too short, another header
// size or class, a structure that runs past the end or holds a string without its terminating
// zero. A target identified only by an ID list or a network path reads as "". Strings stored as
// UTF-16 keep the characters below 256 and turn the others into "?"; a zero ends a string.
std::optional<LinkContent> decode(std::string_view bytes);

} // namespace platform::linkfile
