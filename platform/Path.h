#pragma once
// Windows paths taken apart: one set of separators for every place that splits a path. A name
// ends at "\", "/" or a drive colon, so "C:name", "dir/name" and "\\server\share\name" all give
// "name". The functions only look at the text; nothing is asked of the file system.

#include <string_view>

namespace platform::path {

// "\", "/" or ":".
bool isSeparator(char c);

// The part after the last separator: "C:\dir\readme.txt" gives "readme.txt", "dir\" gives "".
std::string_view fileName(std::string_view path);

// Everything up to and with the last separator: "C:\dir\readme.txt" gives "C:\dir\", a bare
// name gives "".
std::string_view folderOf(std::string_view path);

// The path without the extension of its file name, the extension being from the name's last
// dot on: "a.b\notepad.exe.lnk" gives "a.b\notepad.exe", "a.b\readme" stays, ".lnk" gives "".
std::string_view withoutExtension(std::string_view path);

// The path without the slashes at its end, so that a folder's own name comes last:
// "C:\dir\\" gives "C:\dir", "C:\" gives "C:"; a lone "\" or "/" is kept as the root.
std::string_view withoutTrailingSlashes(std::string_view path);

} // namespace platform::path
