#pragma once
// What the file layer of each backend gives the shared one (Files.cpp): the few primitives that
// differ between systems, and the reading rule both follow.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform::native {

// Fills up to `size` bytes of `buffer` from an open file: how many it read, 0 at the end, or a
// negative number when the read failed.
using ChunkReader = std::function<long long(char* buffer, std::size_t size)>;

// The whole content, read chunk by chunk until the end; nothing when any read fails, never the
// part read before the failure.
std::optional<std::string> readAll(const ChunkReader& readChunk);

// Writes `content` to `path` as a new file, replacing any file there, and flushes it to disk.
bool writeNewFile(const std::string& path, std::string_view content);

// Moves the file `from` to `to`, replacing the file there.
bool moveReplacing(const std::string& from, const std::string& to);

} // namespace platform::native
