// Fuzz target for the shortcut reader: any bytes must read without a crash, and what is written
// from any target and description must read back as written.
#include "platform/Linkfile.h"

#include "tests/fuzz/Require.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace platform::linkfile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (const auto content = decode(bytes)) require(content->target.size() <= bytes.size());

    // The input split in two at its first zero byte: a target and a description without zeros.
    const auto zero = bytes.find('\0');
    LinkContent written{bytes.substr(0, zero), ""};
    if (zero != std::string::npos) {
        const std::string rest = bytes.substr(zero + 1);
        written.description = rest.substr(0, rest.find('\0'));
    }
    const auto read = decode(encode(written));
    require(read && read->target == written.target &&
            read->description == written.description.substr(0, 0xFFFF));
    return 0;
}
