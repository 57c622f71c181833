#include "platform/Storedtext.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <string>

using platform::decodeStoredText;

namespace {

// What an earlier version wrote in the ANSI code page (Windows-1252 here: Wine's in an English
// locale, and the headless backend's) must read as it did; anything that is UTF-8 reads as such.
TEST(StoredText, UTF8ReadsAsItIsAndAnythingElseAsTheAnsiCodePage) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"ASCII", "[Bar]\r\n0=Tools\r\n", "[Bar]\r\n0=Tools\r\n"},
        {"Cyrillic, Japanese, Greek and an emoji",
         "\xD0\x91\xD0\xBB\xD0\xBE\xD0\xBA \xE3\x83\xA1\xE3\x83\xA2 \xCE\xA9 \xF0\x9F\x98\x80",
         "\xD0\x91\xD0\xBB\xD0\xBE\xD0\xBA \xE3\x83\xA1\xE3\x83\xA2 \xCE\xA9 \xF0\x9F\x98\x80"},
        {"a byte-order mark is kept for the INI rules", "\xEF\xBB\xBF[Bar]", "\xEF\xBB\xBF[Bar]"},
        {"ANSI letters", "M\xFCsik Caf\xE9", "M\xC3\xBCsik Caf\xC3\xA9"},
        {"ANSI signs of 0x80 to 0x9F", "\x80 \x93x\x94", "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D"},
        {"a shorter form than needed", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"a surrogate half", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        {"a sequence cut short", "a\xE3\x83", "a\xC3\xA3\xC6\x92"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
        {"a stray continuation byte", "x\xA9", "x\xC2\xA9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decodeStoredText(c.bytes), c.expected) << c.what;
        EXPECT_TRUE(platform::utf8::isValid(decodeStoredText(c.bytes))) << c.what;
    }
    EXPECT_EQ(platform::utf8::characterCount("a\xD0\x91\xE3\x83\xA1\xF0\x9F\x98\x80"), 4u);
}

} // namespace
