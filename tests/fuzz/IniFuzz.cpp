// Fuzz target for the INI reader and editor: any bytes must read without a crash, and the edits
// must keep their promises on whatever text they are given.
#include "platform/Initext.h"

#include "tests/fuzz/Require.h"

#include <algorithm>
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

    // The index keys are exactly those that reading "0", "1", ... one by one finds.
    const auto indices = indexKeys(text, "Link", 4);
    for (int index = 0; index < 4; ++index) {
        const bool listed = std::binary_search(indices.begin(), indices.end(), index);
        require(listed == findValue(text, "Link", std::to_string(index)).has_value());
    }

    std::string edited = text;
    // A value of the input's first line, blanks and quotes at its ends included, reads back.
    const std::string value =
        text.substr(0, std::min(text.find_first_of(std::string("\r\n\0", 3)), std::size_t(64)));
    setValue(edited, "Q", "v", quotedForReading(value));
    require(findValue(edited, "Q", "v") == std::optional<std::string>(value));

    const auto other = findValue(text, "T", "j");
    setValue(edited, "S", "k", "written");
    require(findValue(edited, "S", "k") == std::optional<std::string>("written"));
    require(findValue(edited, "T", "j") == other);

    eraseSection(edited, "S");
    require(!findValue(edited, "S", "k"));
    require(findValue(edited, "T", "j") == other);
    return 0;
}
