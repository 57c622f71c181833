#include "platform/Initext.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace platform::ini;

namespace {

struct ReadCase {
    const char* what;
    std::string text;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

class FindValue : public testing::TestWithParam<ReadCase> {};

TEST_P(FindValue, FollowsProfileRules) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(findValue(c.text, c.section, c.key), c.expected) << c.what;
}

const std::string kQuoteRich = "[S]\r\na=\"quoted\"\r\nb='single'\r\nc=\"open\r\nd=\"mixed'\r\n"
                               "e=\"\r\nf=\"a\" b \"c\"\r\n";

INSTANTIATE_TEST_SUITE_P(
    Rules, FindValue,
    testing::Values(
        ReadCase{"plain", "[S]\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"section case", "[Link]\r\nCount=3\r\n", "LINK", "count", "3"},
        ReadCase{"key case", "[s]\r\nCOUNT=3\r\n", "S", "Count", "3"},
        ReadCase{"first key wins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
        ReadCase{"first section wins", "[S]\r\nk=1\r\n[s]\r\nk=2\r\nj=3\r\n", "S", "k", "1"},
        ReadCase{"later section of same name unseen", "[S]\r\nk=1\r\n[s]\r\nj=3\r\n", "S", "j",
                 std::nullopt},
        ReadCase{"blanks dropped", "[S]\r\n \t k \t=  v w \t\r\n", "S", "k", "v w"},
        ReadCase{"blanks in header", "[ S ]\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"text after header", "[S] ; note\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"double quotes", kQuoteRich, "S", "a", "quoted"},
        ReadCase{"single quotes", kQuoteRich, "S", "b", "single"},
        ReadCase{"open quote kept", kQuoteRich, "S", "c", "\"open"},
        ReadCase{"mismatched quotes kept", kQuoteRich, "S", "d", "\"mixed'"},
        ReadCase{"lone quote kept", kQuoteRich, "S", "e", "\""},
        ReadCase{"only the outer pair goes", kQuoteRich, "S", "f", "a\" b \"c"},
        ReadCase{"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
        ReadCase{"equals in value", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        ReadCase{"missing key", "[S]\r\nk=v\r\n", "S", "x", std::nullopt},
        ReadCase{"missing section", "[S]\r\nk=v\r\n", "T", "k", std::nullopt},
        ReadCase{"key before any section", "k=v\r\n[S]\r\n", "S", "k", std::nullopt},
        ReadCase{"comment is no key", "[S]\r\n;k=v\r\n", "S", ";k", std::nullopt},
        ReadCase{"line without equals", "[S]\r\nk\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"LF only", "[S]\nk=v\nj=w\n", "S", "j", "w"},
        ReadCase{"CR only", "[S]\rk=v\rj=w\r", "S", "j", "w"},
        ReadCase{"mixed line ends", "[S]\r\nk=v\nj=w\rl=x", "S", "l", "x"},
        ReadCase{"no final line end", "[S]\r\nk=v", "S", "k", "v"},
        ReadCase{"UTF-8 BOM", "\xEF\xBB\xBF[S]\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"header without bracket opens nothing", "[S]\r\n[T\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"header without bracket is no section", "[T\r\nk=v\r\n", "T", "k", std::nullopt},
        ReadCase{"NUL ends the value", std::string("[S]\r\nk=ab\0cd\r\n", 15), "S", "k", "ab"},
        ReadCase{"empty text", "", "S", "k", std::nullopt}));

TEST(FindValue, CutsValuesAfterTheLimit) {
    const std::string longValue(3000, 'x');
    const auto value = findValue("[S]\r\nk=" + longValue + "\r\n", "S", "k");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->size(), kMaxValueLength);
    // Quotes go before the cut, so a quoted value keeps 2047 characters of its own.
    const auto quoted = findValue("[S]\r\nk=\"" + longValue + "\"\r\n", "S", "k");
    EXPECT_EQ(*quoted, std::string(kMaxValueLength, 'x'));
}

TEST(KeyNames, ListsKeysOfTheFirstSectionInFileOrder) {
    const std::string text = "[A]\r\nz=1\r\n; note\r\n\r\nb=2\r\nZ=3\r\nnoequals\r\n"
                             "[B]\r\nc=4\r\n[a]\r\nd=5\r\n";
    EXPECT_EQ(keyNames(text, "a"), (std::vector<std::string>{"z", "b", "Z"}));
    EXPECT_TRUE(keyNames(text, "missing").empty());
}

TEST(KeyNames, StopsAtTheBlockLimitWithWholeNamesOnly) {
    // Names "k00000" .. : 6 characters and a zero each; the block also holds a final zero.
    std::string text = "[S]\r\n";
    const int perBlock = int((kKeyNamesBlockSize - 1) / 7);
    for (int i = 0; i < perBlock + 5; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "k%05d", i);
        text += std::string(name) + "=x\r\n";
    }
    const auto names = keyNames(text, "S");
    ASSERT_EQ(int(names.size()), perBlock);
    EXPECT_EQ(names.back().size(), 6u);
}

TEST(ParseInteger, ReadsDecimalAndHexadecimal) {
    EXPECT_EQ(parseInteger("0"), 0);
    EXPECT_EQ(parseInteger("42"), 42);
    EXPECT_EQ(parseInteger("-42"), -42);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("007"), 7);
    EXPECT_EQ(parseInteger("2147483647"), INT_MAX);
    EXPECT_EQ(parseInteger("-2147483648"), INT_MIN);
    EXPECT_EQ(parseInteger("0x1"), 1);
    EXPECT_EQ(parseInteger("0XfF"), 255);
    EXPECT_EQ(parseInteger("$10"), 16);
    EXPECT_EQ(parseInteger("-$10"), -16);
    EXPECT_EQ(parseInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(parseInteger("0x80000005"), int(0x80000005u)); // a system colour
    EXPECT_EQ(parseInteger("-2147483643"), int(0x80000005u));
}

TEST(ParseInteger, RejectsWhatIsNotA32BitNumber) {
    for (const char* bad : {"",
                            "-",
                            "+",
                            "$",
                            "0x",
                            "x1",
                            "1x",
                            "12 ",
                            " 12",
                            "1.5",
                            "1e3",
                            "2147483648",
                            "-2147483649",
                            "99999999999999999999",
                            "0x100000000",
                            "$123456789",
                            "0x-1",
                            "--1",
                            "abc",
                            "0xg"})
        EXPECT_EQ(parseInteger(bad), std::nullopt) << '"' << bad << '"';
}

struct EditCase {
    const char* what;
    std::string before;
    std::string after;
};

class SetValue : public testing::TestWithParam<EditCase> {};

TEST_P(SetValue, KeepsEveryOtherLine) {
    const EditCase& c = GetParam();
    std::string text = c.before;
    setValue(text, "S", "k", "new");
    EXPECT_EQ(text, c.after) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Edits, SetValue,
    testing::Values(
        EditCase{"new file", "", "[S]\r\nk=new\r\n"},
        EditCase{"replace in place", "; top\r\n[S]\r\n  K = old ; c\r\nj=1\r\n\r\n[T]\r\nk=2\r\n",
                 "; top\r\n[S]\r\nk=new\r\nj=1\r\n\r\n[T]\r\nk=2\r\n"},
        EditCase{"only the first of two", "[S]\r\nk=1\r\nk=2\r\n", "[S]\r\nk=new\r\nk=2\r\n"},
        EditCase{"append after the last filled line", "[S]\r\nj=1\r\n; c\r\n\r\n\r\n[T]\r\n",
                 "[S]\r\nj=1\r\n; c\r\nk=new\r\n\r\n\r\n[T]\r\n"},
        EditCase{"empty section at the end without line end", "[S]", "[S]\r\nk=new\r\n"},
        EditCase{"new section after a last line without line end", "[T]\r\nj=1",
                 "[T]\r\nj=1\r\n[S]\r\nk=new\r\n"},
        EditCase{"LF file stays LF", "[T]\nj=1\n", "[T]\nj=1\n[S]\nk=new\n"},
        EditCase{"BOM kept", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "\xEF\xBB\xBF[S]\r\nk=new\r\n"},
        EditCase{"case of section kept", "[s]\r\nk=1\r\n", "[s]\r\nk=new\r\n"}));

TEST(SetValue, NeverLetsAValueBecomeALine) {
    std::string text;
    setValue(text, "S", "k", "one\r\n[Link]\r\nCount=99");
    EXPECT_EQ(findValue(text, "S", "k"), "one  [Link]  Count=99");
    EXPECT_EQ(findValue(text, "Link", "Count"), std::nullopt);
    setValue(text, "S", "j", std::string("ab\0cd", 5));
    EXPECT_EQ(findValue(text, "S", "j"), "ab");
}

TEST(EraseSection, RemovesEverySectionOfThatNameAndNothingElse) {
    std::string text = "; top\r\n[Link]\r\nCount=2\r\n0=a.lnk\r\n\r\n[Config]\r\nColor=5\r\n"
                       "[LINK]\r\n1=b.lnk\r\n[Titles]\r\n0=A\r\n";
    eraseSection(text, "link");
    EXPECT_EQ(text, "; top\r\n[Config]\r\nColor=5\r\n[Titles]\r\n0=A\r\n");
    eraseSection(text, "missing");
    EXPECT_EQ(text, "; top\r\n[Config]\r\nColor=5\r\n[Titles]\r\n0=A\r\n");
}

} // namespace
