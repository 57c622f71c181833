#include "platform/Storedtext.h"

#include "platform/Files.h"
#include "platform/Utf8.h"

namespace platform {

std::string decodeStoredText(std::string bytes) {
    if (utf8::isValid(bytes)) return bytes;
    constexpr std::string_view mark = "\xEF\xBB\xBF";
    if (std::string_view(bytes).substr(0, mark.size()) == mark) return bytes;
    return native::ansiToUtf8(bytes);
}

std::optional<std::string> readStoredText(const std::string& path) {
    std::optional<std::string> bytes = readFile(path);
    if (!bytes) return std::nullopt;
    return decodeStoredText(std::move(*bytes));
}

} // namespace platform
