// Our INI engine against the system's profile functions on the same files. Both must read the
// same values and key lists, and a file written by either must read the same through the other.
// Where the two differ on purpose, the difference is named here and left out of the comparison:
// - replacement: the profile functions rewrite a file in place, we replace it as one step;
// - an empty key name (see AnEmptyKeyNameEndsOnlyTheirKeyList);
// - integers: the profile functions hand out strings and leave parsing to the caller
//   (GetPrivateProfileIntW is not used by the program), so parseInteger has its own tests;
// - a file without a byte-order mark that is well-formed UTF-8: the profile functions read it in
//   the ANSI code page, we read it as the UTF-8 we write. Without a mark and not UTF-8 (as
//   earlier versions wrote in the ANSI code page), and with the mark, both read it alike.
#include "platform/Inifile.h"
#include "platform/win32/Wide.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

using platform::IniFile;
using platform::win32::narrow;
using platform::win32::widen;
using testing_support::TempFolder;

namespace {

std::string profileRead(const std::string& path, const char* section, const char* key) {
    wchar_t value[2048];
    GetPrivateProfileStringW(widen(section).c_str(), widen(key).c_str(), L"<default>", value, 2048,
                             widen(path).c_str());
    return narrow(value);
}

std::vector<std::string> profileKeyNames(const std::string& path, const char* section) {
    static wchar_t block[16384];
    GetPrivateProfileStringW(widen(section).c_str(), nullptr, L"", block, 16384,
                             widen(path).c_str());
    std::vector<std::string> names;
    for (const wchar_t* name = block; *name; name += std::wcslen(name) + 1)
        names.push_back(narrow(name));
    return names;
}

struct Query {
    const char* section;
    const char* key;
};

const std::vector<Query> kQueries = {
    {"Link", "Count"}, {"LINK", "count"}, {"Link", "0"},    {"Link", "1"},
    {"Link", "2"},     {"Titles", "0"},   {"Titles", "1"},  {"Config", "Color"},
    {"Strings", "a"},  {"Strings", "b"},  {"Strings", "c"}, {"Strings", "d"},
    {"Strings", "e"},  {"Strings", "f"},  {"Missing", "x"}, {"Link", "missing"}};

const std::vector<const char*> kSections = {"Link", "Titles", "Config", "Strings", "Missing"};

void expectSameReads(const std::string& path, const std::string& what) {
    const IniFile ini(path);
    for (const Query& q : kQueries)
        EXPECT_EQ(ini.readString(q.section, q.key, "<default>"),
                  profileRead(path, q.section, q.key))
            << what << ": [" << q.section << "] " << q.key;
    for (const char* section : kSections)
        EXPECT_EQ(ini.readKeyNames(section), profileKeyNames(path, section))
            << what << ": " << section;
}

struct Sample {
    const char* what;
    std::string content;
};

const std::vector<Sample> kSamples = {
    {"a category list",
     "[Link]\r\nCount=3\r\n0=Notepad.lnk\r\n1=Calculator.lnk\r\n2=notepad.exe copy0.lnk\r\n"
     "[Titles]\r\n0=Notepad\r\n1=Pocket calculator\r\n[Config]\r\nColor=65535\r\n"},
    {"letter case and first match",
     "[link]\r\nCOUNT=2\r\ncount=3\r\n0=a.lnk\r\n[LINK]\r\n1=b.lnk\r\n"},
    {"blanks and quotes",
     "[Strings]\r\n  a  =  spaced value  \r\nb=\"quoted\"\r\nc='single'\r\nd=\"open\r\n"
     "e=\"a\" and \"b\"\r\nf=\r\n"},
    {"comments and blank lines",
     "; first\r\n\r\n[Strings]\r\n; a=hidden\r\n\r\na=shown\r\n\r\n[Titles]\r\n0=t\r\n"},
    {"LF line ends", "[Link]\nCount=1\n0=x.lnk\n[Titles]\n0=X\n"},
    {"a long value",
     "[Strings]\r\na=" + std::string(3000, 'v') + "\r\nb=\"" + std::string(3000, 'q') + "\"\r\n"},
    {"no final line end", "[Link]\r\nCount=4"},
    {"a header without its closing bracket", "[Link]\r\n[Strings\r\nCount=5\r\na=1\r\n"},
    {"CR-only line ends", "[Link]\rCount=6\r0=x\r"},
    {"a UTF-8 byte-order mark", "\xEF\xBB\xBF[Link]\r\nCount=7\r\n"},
    {"names in several scripts after a byte-order mark",
     "\xEF\xBB\xBF[Link]\r\nCount=2\r\n0=\xD0\x91\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBD\xD0\xBE\xD1\x82."
     "lnk\r\n"
     "1=\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3 "
     "\xF0\x9F\x98\x80.lnk\r\n[Titles]\r\n0=Caf\xC3\xA9\r\n"},
    {"an earlier version's file in the ANSI code page",
     "[Link]\r\nCount=1\r\n0=M\xFCsik.lnk\r\n[Titles]\r\n0=M\xFCsik\r\n"},
    {"a line without equals sign", "[Strings]\r\na\r\nb=2\r\n"},
    {"blanks inside a header", "[ Link ]\r\nCount=8\r\n"},
    {"a NUL byte", std::string("[Strings]\r\na=x\0y\r\nb=2\r\n", 24)},
};

TEST(IniDifferential, ReadsTheSameValuesAndKeyLists) {
    TempFolder folder;
    for (const Sample& sample : kSamples)
        expectSameReads(folder.write("sample.txt", sample.content), sample.what);
}

TEST(IniDifferential, AnEmptyKeyNameEndsOnlyTheirKeyList) {
    // A line "=x" gives the profile functions an empty name, whose zero ends the block at once,
    // hiding every key after it; we pass over the empty name and list the rest.
    TempFolder folder;
    const std::string path = folder.write("empty-key.txt", "[Strings]\r\na=1\r\n=x\r\nb=2\r\n");
    EXPECT_EQ(profileKeyNames(path, "Strings"), std::vector<std::string>{"a"});
    EXPECT_EQ(IniFile(path).readKeyNames("Strings"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(IniFile(path).readString("Strings", "b", ""), profileRead(path, "Strings", "b"));
}

TEST(IniDifferential, KeyListsStopAtTheSameBlockLimit) {
    // Names of five characters: the block of 16384 bytes holds 2730 of them whole.
    std::string content = "[Strings]\r\n";
    for (int i = 0; i < 3000; ++i)
        content += "k" + std::to_string(1000 + i) + "=x\r\n";
    TempFolder folder;
    const std::string path = folder.write("big.txt", content);
    const auto ours = IniFile(path).readKeyNames("Strings");
    auto theirs = profileKeyNames(path, "Strings");
    // The profile functions hand out the first name that no longer fits cut short; we leave it
    // out, since a cut name could match another key.
    ASSERT_EQ(theirs.size(), ours.size() + 1);
    EXPECT_NE(theirs.back(), "k" + std::to_string(1000 + int(ours.size())));
    theirs.pop_back();
    EXPECT_EQ(ours, theirs);
}

// The same writes through each engine, starting from the same file.
void writeThroughProfile(const std::string& path) {
    const std::wstring p = widen(path);
    WritePrivateProfileStringW(L"Link", nullptr, nullptr, p.c_str());
    WritePrivateProfileStringW(L"Titles", nullptr, nullptr, p.c_str());
    WritePrivateProfileStringW(L"Link", L"Count", L"2", p.c_str());
    WritePrivateProfileStringW(L"Link", L"0", L"b.lnk", p.c_str());
    WritePrivateProfileStringW(L"Titles", L"0", L"Bee", p.c_str());
    WritePrivateProfileStringW(L"Link", L"1", L"a.lnk", p.c_str());
    WritePrivateProfileStringW(L"Strings", L"a", L"changed", p.c_str());
    WritePrivateProfileStringW(L"Strings", L"NEW", L"added", p.c_str());
}

void writeThroughOurs(const std::string& path) {
    IniFile ini(path);
    ini.eraseSection("Link");
    ini.eraseSection("Titles");
    ini.writeString("Link", "Count", "2");
    ini.writeString("Link", "0", "b.lnk");
    ini.writeString("Titles", "0", "Bee");
    ini.writeString("Link", "1", "a.lnk");
    ini.writeString("Strings", "a", "changed");
    ini.writeString("Strings", "NEW", "added");
}

TEST(IniDifferential, FilesWrittenByEitherReadTheSameThroughBoth) {
    const std::string start = "; settings\r\n[Strings]\r\na=old\r\nb=kept\r\n\r\n[Link]\r\n"
                              "Count=3\r\n0=a.lnk\r\n1=b.lnk\r\n2=c.lnk\r\n[Titles]\r\n2=Sea\r\n"
                              "[Config]\r\nColor=255\r\n";
    TempFolder folder;
    const std::string byProfile = folder.write("profile.txt", start);
    const std::string byOurs = folder.write("ours.txt", start);
    writeThroughProfile(byProfile);
    writeThroughOurs(byOurs);
    expectSameReads(byProfile, "written by the profile functions");
    expectSameReads(byOurs, "written by our engine");
    const IniFile profileFile(byProfile), ourFile(byOurs);
    for (const Query& q : kQueries)
        EXPECT_EQ(profileFile.readString(q.section, q.key, "<default>"),
                  ourFile.readString(q.section, q.key, "<default>"))
            << "[" << q.section << "] " << q.key;
}

TEST(IniDifferential, NewFilesReadTheSameThroughBoth) {
    TempFolder folder;
    const std::string byProfile = folder.file("profile.txt");
    const std::string byOurs = folder.file("ours.txt");
    writeThroughProfile(byProfile);
    writeThroughOurs(byOurs);
    expectSameReads(byProfile, "new file by the profile functions");
    expectSameReads(byOurs, "new file by our engine");
}

} // namespace
