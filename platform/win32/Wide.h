#pragma once
// The program's UTF-8 text in the system's UTF-16 and back: the one place where the Windows
// backend converts, so that every name and text crosses to the wide (...W) calls unchanged.

#include <string>
#include <string_view>
#include <windows.h>

namespace platform::win32 {

// `text` in UTF-16; bytes in `codePage` (UTF-8 unless told) that form no character become
// U+FFFD, as the system converts them.
std::wstring widen(std::string_view text, UINT codePage = CP_UTF8);

// `text` in UTF-8.
std::string narrow(std::wstring_view text);

// The zero-terminated UTF-16 text `text` in UTF-8; "" for null.
std::string narrow(const wchar_t* text);

} // namespace platform::win32
