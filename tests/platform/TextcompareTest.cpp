#include "platform/Textcompare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The same answers from the system (Windows) and from the headless backend's own tables.
TEST(TextCompare, LowerCaseInEveryScriptTheProgramMeetsAndNothingElseChanged) {
    struct Case {
        const char* text;
        const char* lowered;
    };
    const Case cases[] = {
        {"Notepad++ 8", "notepad++ 8"},
        {"CAF\xC3\x89 \xC3\x80 L'\xC3\x8ELE \xC3\x98",
         "caf\xC3\xA9 \xC3\xA0 l'\xC3\xAEle \xC3\xB8"},
        {"\xC5\x81\xC3\x93\xC4\x8E\xC5\xB9 \xC5\xB8 \xC4\x90",
         "\xC5\x82\xC3\xB3\xC4\x8F\xC5\xBA \xC3\xBF \xC4\x91"},
        {"\xD0\x91\xD0\x9B\xD0\x9E\xD0\x9A\xD0\x9D\xD0\x9E\xD0\xA2 \xD0\x81\xD0\x96 \xD0\x84",
         "\xD0\xB1\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBD\xD0\xBE\xD1\x82 \xD1\x91\xD0\xB6 \xD1\x94"},
        {"\xCE\xA3\xCE\x9F\xCE\x94\xCE\x8C \xCE\x86\xCE\xA9",
         "\xCF\x83\xCE\xBF\xCE\xB4\xCF\x8C \xCE\xAC\xCF\x89"},
        {"\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3 \xF0\x9F\x98\x80",
         "\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3 \xF0\x9F\x98\x80"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::foldCase(c.text), c.lowered) << c.text;
    EXPECT_TRUE(platform::sameText("\xD0\x9C\xD1\x83\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB0",
                                   "\xD0\x9C\xD0\xA3\xD0\x97\xD0\xAB\xD0\x9A\xD0\x90"));
    EXPECT_FALSE(platform::sameText("Caf\xC3\xA9", "Cafe"));
}

TEST(TextCompare, SortKeysOrderWithoutRegardToCaseInEachScript) {
    const std::vector<std::string> sorted = {
        "apple",
        "Banana",
        "cherry",
        "Zebra",
        "\xD0\x90\xD1\x80\xD0\xB1\xD1\x83\xD0\xB7",          // Арбуз
        "\xD0\xB1\xD0\xBE\xD1\x80\xD1\x89",                  // борщ
        "\xD0\xAF\xD0\xB1\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE"}; // Яблоко
    std::vector<std::string> keys;
    for (const std::string& text : sorted)
        keys.push_back(platform::sortKey(text));
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end())) << "keys compare in the texts' order";
    EXPECT_EQ(platform::sortKey("CAF\xC3\x89"), platform::sortKey("caf\xC3\xA9"));
    EXPECT_NE(platform::sortKey("Caf\xC3\xA9"), platform::sortKey("Cafe"));
}

} // namespace
