#include "platform/Linkfile.h"

#include <gtest/gtest.h>

using namespace platform::linkfile;

namespace {

// The little-endian bytes of a 16- or 32-bit number.
std::string le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xFF);
    return out;
}

TEST(Linkfile, RoundTripsTargetAndDescription) {
    const LinkContent cases[] = {
        {"C:\\Windows\\notepad.exe", "Notepad"},
        {"C:\\Program Files\\A b\\c.exe", ""},
        {"", "only a description"},
        {"", ""},
        {"D:\\caf\xE9.txt", "\xE9t\xE9"},
        {std::string(259, 'x'), std::string(300, 'd')},
    };
    for (const auto& content : cases) {
        const auto decoded = decode(encode(content));
        ASSERT_TRUE(decoded) << content.target;
        EXPECT_EQ(decoded->target, content.target);
        EXPECT_EQ(decoded->description, content.description);
    }
}

TEST(Linkfile, RejectsWhatIsNotAShortcut) {
    const std::string valid = encode({"C:\\Windows\\notepad.exe", "Notepad"});
    std::string wrongClass = valid;
    wrongClass[10] = 'x';
    std::string hugeInfo = valid;
    hugeInfo.replace(76, 4, le(0x7FFFFFFF, 4));
    std::string unterminated = valid;
    unterminated.replace(76 + 0x1C + 0x11 + 22, 2, "xx"); // the base path's zero and suffix
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"text", "[Link]\nCount=1\n"},
        {"header size", le(0x4D, 4) + valid.substr(4)},
        {"class", wrongClass},
        {"LinkInfo past the end", hugeInfo},
        {"unterminated path", unterminated},
    };
    for (const auto& [what, bytes] : cases)
        EXPECT_FALSE(decode(bytes)) << what;
}

TEST(Linkfile, EveryCutBeforeTheDescriptionEndsIsRejected) {
    const std::string valid = encode({"C:\\Windows\\notepad.exe", "Notepad"});
    for (std::size_t size = 0; size < valid.size() - 4; ++size)
        EXPECT_FALSE(decode(valid.substr(0, size))) << size;
}

TEST(Linkfile, ReadsWhatOtherWritersAdd) {
    // An ID list before LinkInfo, a base path with a common suffix, a UTF-16 description whose
    // count includes its terminating zero.
    const std::string base = "C:\\Tools\\";
    const std::string suffix = "app.exe";
    std::string info = le(0, 4) + le(0x1C, 4) + le(1, 4) + le(0x1C, 4) + le(0x2D, 4) + le(0, 4) +
                       le(0x2D + std::uint32_t(base.size()) + 1, 4);
    info += le(0x11, 4) + le(3, 4) + le(0, 4) + le(0x10, 4) + std::string(1, '\0');
    info += base + '\0' + suffix + '\0';
    info.replace(0, 4, le(std::uint32_t(info.size()), 4));
    std::string bytes = encode({"", ""}).substr(0, 76);
    bytes.replace(20, 4, le(0x1 | 0x2 | 0x4 | 0x80, 4));
    bytes += le(4, 2) + std::string("\x02\x00\x00\x00", 4) + info;
    bytes += le(4, 2) + std::string("A\0\xE9\0\x3A\x26\0\0", 8) + le(0, 4); // zero counted in
    const auto decoded = decode(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->target, "C:\\Tools\\app.exe");
    EXPECT_EQ(decoded->description, "A\xE9?");
}

} // namespace
