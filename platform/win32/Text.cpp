// Conversions between the program's UTF-8 and the system's UTF-16, the ANSI code page of files
// written by earlier versions, and letter case as the system folds and sorts it.
#include "platform/Storedtext.h"
#include "platform/Textcompare.h"
#include "platform/win32/Wide.h"

namespace platform {

namespace win32 {

std::wstring widen(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string narrow(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrowed(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrowed.data(), length, nullptr, nullptr);
    return narrowed;
}

std::string narrow(const wchar_t* text) {
    return text ? narrow(std::wstring_view(text)) : std::string();
}

} // namespace win32

std::string native::ansiToUtf8(std::string_view bytes) {
    return win32::narrow(win32::widen(bytes, CP_ACP));
}

namespace {

// `text` mapped by LCMapStringEx with `flags` in the user's language; nothing when it fails.
std::wstring mapped(std::string_view text, DWORD flags) {
    const std::wstring wide = win32::widen(text);
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, wide.data(), size, nullptr, 0,
                                     nullptr, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    if (length > 0)
        LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, wide.data(), size, result.data(), length,
                      nullptr, nullptr, 0);
    return result;
}

} // namespace

std::string foldCase(std::string_view text) {
    const std::wstring lowered = mapped(text, LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING);
    return lowered.empty() ? std::string(text) : win32::narrow(lowered);
}

// The system hands a sort key out as bytes in the wide buffer, its length counted in bytes,
// ended by the only zero byte it holds, which is left out.
std::string sortKey(std::string_view text) {
    const std::wstring key = mapped(text, LCMAP_SORTKEY | NORM_IGNORECASE);
    if (key.empty()) return foldCase(text);
    return std::string(reinterpret_cast<const char*>(key.data()));
}

} // namespace platform
