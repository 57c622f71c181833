// The file layer's rules that do not depend on the system: names, whole reads, safe replaces.
#include "platform/Files.h"

#include "platform/Filesnative.h"
#include "platform/Path.h"

#include <algorithm>

namespace platform {

bool isPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           std::none_of(name.begin(), name.end(), path::isSeparator);
}

std::optional<std::string> native::readAll(const ChunkReader& readChunk) {
    std::string content;
    char buffer[65536];
    for (;;) {
        const long long got = readChunk(buffer, sizeof buffer);
        if (got < 0) return std::nullopt;
        if (got == 0) return content;
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

bool replaceFile(const std::string& path, std::string_view content) {
    const auto existing = fileAttributes(path);
    if (existing && (*existing & (FileAttribute::ReadOnly | FileAttribute::Directory)))
        return false;
    const std::string temporary = path + std::string(kSavingSuffix);
    if (native::writeNewFile(temporary, content) && native::moveReplacing(temporary, path))
        return true;
    deleteFile(temporary);
    return false;
}

} // namespace platform
