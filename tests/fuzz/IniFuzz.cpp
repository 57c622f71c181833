// Fuzz target for the INI reader and editor: any bytes must read without a crash, and the edits
// must keep their promises on whatever text they are given.
#include "platform/Initext.h"

#include "tests/fuzz/Require.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace platform::ini;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    for (const char* section : {"S", "Link", "Titles"}) {
        const auto value = findValue(text, section, "k");
        require(!value || value->size() <= kMaxValueLength);
        if (value) parseInteger(*value);
        std::size_t block = 1;
        for (const auto& name : keyNames(text, section))
            block += name.size() + 1;
        require(block <= kKeyNamesBlockSize);
    }

    std::string edited = text;
    const auto other = findValue(text, "T", "j");
    setValue(edited, "S", "k", "written");
    require(findValue(edited, "S", "k") == std::optional<std::string>("written"));
    require(findValue(edited, "T", "j") == other);

    eraseSection(edited, "S");
    require(!findValue(edited, "S", "k"));
    require(findValue(edited, "T", "j") == other);
    return 0;
}
