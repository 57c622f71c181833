#include "platform/Inifile.h"
#include "platform/Files.h"
#include "platform/Initext.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <random>

using platform::IniBatch;
using platform::IniFile;
using platform::IniWriteError;
using testing_support::TempFolder;

namespace {

TEST(IniFile, MissingFileOrKeyReadsAsTheDefault) {
    TempFolder folder;
    const IniFile ini(folder.file("none.txt"));
    EXPECT_EQ(ini.readString("S", "k", "dflt"), "dflt");
    EXPECT_EQ(ini.readInteger("S", "k", -7), -7);
    EXPECT_TRUE(ini.readBool("S", "k", true));
    EXPECT_TRUE(ini.readKeyNames("S").empty());
    EXPECT_FALSE(ini.valueExists("S", "k"));
    EXPECT_FALSE(platform::fileExists(ini.fileName())) << "reading must not create the file";
}

TEST(IniFile, ReadsIntegersAndBooleansWithTheCallersDefault) {
    TempFolder folder;
    const IniFile ini(folder.write("settings.txt", "[Kestrum]\r\nzero=0\r\nfive=5\r\nhex=0x1\r\n"
                                                   "junk=yes\r\nneg=-3\r\nbig=4294967296\r\n"));
    EXPECT_FALSE(ini.readBool("Kestrum", "zero", true));
    EXPECT_TRUE(ini.readBool("Kestrum", "five", false));
    EXPECT_TRUE(ini.readBool("Kestrum", "hex", false));
    EXPECT_TRUE(ini.readBool("Kestrum", "junk", true));
    EXPECT_FALSE(ini.readBool("Kestrum", "junk", false));
    EXPECT_EQ(ini.readInteger("Kestrum", "neg", 0), -3);
    EXPECT_EQ(ini.readInteger("Kestrum", "big", 11), 11);
}

TEST(IniFile, WritesIntegersAndBooleansAsTheyAreRead) {
    TempFolder folder;
    IniFile ini(folder.file("settings.txt"));
    ini.writeInteger("Appearance", "Color", int(0x80000005u));
    ini.writeBool("Appearance", "Titles", true);
    ini.writeBool("Appearance", "Large", false);
    EXPECT_EQ(folder.read("settings.txt"),
              "[Appearance]\r\nColor=-2147483643\r\nTitles=1\r\nLarge=0\r\n");
    EXPECT_EQ(ini.readInteger("appearance", "color", 0), int(0x80000005u));
}

TEST(IniFile, SeesEditsMadeByAnotherProgram) {
    TempFolder folder;
    const IniFile ini(folder.write("config.txt", "[Link]\r\nCount=1\r\n"));
    EXPECT_EQ(ini.readInteger("Link", "Count", -1), 1);
    folder.write("config.txt", "[Link]\r\nCount=2\r\n");
    EXPECT_EQ(ini.readInteger("Link", "Count", -1), 2);
}

TEST(IniFile, ValueExistsWhateverTheValue) {
    TempFolder folder;
    const IniFile ini(folder.write("config.txt", "[Link]\r\ncount=\r\n"));
    EXPECT_TRUE(ini.valueExists("LINK", "Count"));
    EXPECT_FALSE(ini.valueExists("Link", "0"));
}

TEST(IniFile, AFailedWriteRaisesAndLeavesTheFileAlone) {
    TempFolder folder;
    const std::string path = folder.write("config.txt", "[Link]\r\nCount=1\r\n");
    ASSERT_TRUE(platform::setFileAttributes(path, platform::FileAttribute::ReadOnly));
    IniFile ini(path);
    try {
        ini.writeInteger("Link", "Count", 2);
        FAIL() << "a write to a read-only file succeeded";
    } catch (const IniWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(folder.read("config.txt"), "[Link]\r\nCount=1\r\n");
    EXPECT_EQ(platform::listFolder(folder.path(), "*").size(), 1u) << "temporary file left behind";

    IniFile nowhere(folder.file("missing-folder") + "\\config.txt");
    EXPECT_THROW(nowhere.writeString("S", "k", "v"), IniWriteError);
}

TEST(IniBatch, GivesTheSameFileAsTheStepsOneByOne) {
    const std::string original = "; kept\r\n[Link]\r\nCount=3\r\n0=a.lnk\r\n1=b.lnk\r\n2=c.lnk\r\n"
                                 "\r\n[Config]\r\nColor=255\r\n[Titles]\r\n1=Bee\r\n";
    TempFolder folder;
    IniFile single(folder.write("single.txt", original));
    single.eraseSection("Link");
    single.eraseSection("Titles");
    single.writeInteger("Link", "Count", 2);
    single.writeString("Link", "0", "c.lnk");
    single.writeString("Titles", "0", "Sea");
    single.writeString("Link", "1", "a.lnk");

    folder.write("batch.txt", original);
    IniBatch(folder.file("batch.txt"))
        .eraseSection("Link")
        .eraseSection("Titles")
        .writeInteger("Link", "Count", 2)
        .writeString("Link", "0", "c.lnk")
        .writeString("Titles", "0", "Sea")
        .writeString("Link", "1", "a.lnk")
        .commit();
    EXPECT_EQ(folder.read("batch.txt"), folder.read("single.txt"));
    EXPECT_EQ(folder.read("batch.txt"), "; kept\r\n[Config]\r\nColor=255\r\n[Link]\r\nCount=2\r\n"
                                        "0=c.lnk\r\n1=a.lnk\r\n[Titles]\r\n0=Sea\r\n");
}

TEST(IniBatch, TouchesNothingBeforeCommit) {
    TempFolder folder;
    IniBatch batch(folder.file("config.txt"));
    batch.writeString("S", "k", "v");
    EXPECT_FALSE(platform::fileExists(folder.file("config.txt")));
    batch.commit();
    EXPECT_EQ(IniFile(folder.file("config.txt")).readString("S", "k", ""), "v");
}

// Bad input reads as defaults and can still be written to.
class IniBadInput : public testing::Test {
protected:
    void expectUsable(const std::string& content) {
        const IniFile ini(folder.write("bad.txt", content));
        EXPECT_EQ(ini.readString("Missing", "k", "dflt"), "dflt");
        EXPECT_EQ(ini.readInteger("Missing", "k", 9), 9);
        ini.readKeyNames("S");
        IniFile(ini.fileName()).writeString("Fresh", "k", "v");
        EXPECT_EQ(ini.readString("Fresh", "k", ""), "v");
    }
    TempFolder folder;
};

TEST_F(IniBadInput, BinaryGarbage) {
    std::mt19937 random(12345);
    std::string garbage(65536, '\0');
    for (char& c : garbage)
        c = char(random());
    expectUsable(garbage);
}

TEST_F(IniBadInput, VeryLongLines) {
    expectUsable("[S]\r\nk=" + std::string(100000, 'v') + "\r\n" + std::string(100000, '[') +
                 "\r\n" + std::string(100000, '=') + "\r\n");
    EXPECT_EQ(IniFile(folder.file("bad.txt")).readString("S", "k", "").size(), 2047u);
}

TEST_F(IniBadInput, HundredThousandKeys) {
    std::string content = "[S]\r\n";
    for (int i = 0; i < 100000; ++i)
        content += std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    expectUsable(content);
    const IniFile ini(folder.file("bad.txt"));
    EXPECT_EQ(ini.readInteger("S", "99999", -1), 99999);
    EXPECT_LT(ini.readKeyNames("S").size(), 100000u);
}

TEST_F(IniBadInput, NulBytesAndUnclosedHeaders) {
    expectUsable(std::string("[S\r\nk\0=v\r\n[\0]\r\n\0\0\0", 17));
}

TEST_F(IniBadInput, LineEndsOfEveryKind) {
    expectUsable("\xEF\xBB\xBF[S]\rk=1\n\r\nj=2\r\r\n\n\r");
    const IniFile ini(folder.file("bad.txt"));
    EXPECT_EQ(ini.readInteger("S", "k", 0), 1);
    EXPECT_EQ(ini.readInteger("S", "j", 0), 2);
}

} // namespace

namespace {

// The snapshot answers from an index of each section; it must answer exactly what a search of
// the text does, whatever the letter case, repetitions and oddities of the file.
TEST(IniSnapshot, AnswersAsASearchOfTheTextDoes) {
    TempFolder folder;
    static const char file[] = "[Bar]\r\nCount=3\r\n0=Games\r\nCOUNT=9\r\n1 = \"Tools\" \r\n"
                               "; 2=comment\r\n2='x'\r\nna\0me=cut\r\n[bar]\r\n3=later\r\n"
                               "[Other]\r\n0=other\r\n=empty\r\nnoequals\r\n";
    const std::string text(file, sizeof file - 1);
    const platform::IniSnapshot snapshot(folder.write("config.txt", text));
    for (const char* section : {"Bar", "BAR", "Other", "Missing"})
        for (const char* key : {"Count", "count", "0", "1", "2", "3", "na", "", "noequals"})
            EXPECT_EQ(snapshot.readString(section, key, "<none>"),
                      platform::ini::findValue(text, section, key).value_or("<none>"))
                << section << " " << key;
}

} // namespace
