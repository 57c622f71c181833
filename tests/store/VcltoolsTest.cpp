#include "store/Vcltools.h"
#include "platform/Inifile.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

using platform::Font;
using testing_support::TempFolder;

namespace {

Font styled(bool bold, bool italic, bool underline, bool strikeOut) {
    Font font;
    font.bold = bold;
    font.italic = italic;
    font.underline = underline;
    font.strikeOut = strikeOut;
    return font;
}

TEST(FontRecord, ReadsStyleFromTheLastFourCharacters) {
    struct Case {
        const char* style; // nullptr: key missing
        Font expected;
    };
    const Case cases[] = {
        {nullptr, styled(false, false, false, false)}, {"", styled(false, false, false, false)},
        {"10000", styled(false, false, false, false)}, {"1", styled(true, false, false, false)},
        {"10", styled(false, true, false, false)},     {"100", styled(false, false, true, false)},
        {"10101", styled(true, false, true, false)},   {"10110", styled(false, true, true, false)},
        {"11111", styled(true, true, true, true)},     {"9x00", styled(false, false, true, true)},
        {"x0000", styled(false, false, false, false)}, {"ab", styled(true, true, false, false)},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        const std::string content =
            c.style ? "[F]\nFontStyle=" + std::string(c.style) + "\n" : "[F]\n";
        const platform::IniFile file(folder.write("settings.txt", content));
        // The default font's own style must not leak through a missing key.
        Font font = styled(true, true, true, true);
        ReadFont(platform::IniSnapshot(file.fileName()), "F", font, font);
        EXPECT_EQ(font, c.expected) << (c.style ? c.style : "(missing)");
    }
}

TEST(FontRecord, WritesAndReadsBackEveryValue) {
    TempFolder folder;
    Font written;
    written.name = "Courier New";
    written.size = 11;
    written.color = platform::Colors::WindowText;
    written.bold = written.underline = true;
    platform::IniBatch batch(folder.file("settings.txt"));
    WriteFont(batch, "IconTitleFont", written);
    batch.commit();
    EXPECT_EQ(folder.read("settings.txt"),
              "[IconTitleFont]\r\nFontName=Courier New\r\nFontSize=11\r\n"
              "FontColor=-2147483640\r\nFontStyle=10101\r\n");
    Font read;
    ReadFont(platform::IniSnapshot(folder.file("settings.txt")), "IconTitleFont", read, read);
    EXPECT_EQ(read, written);
}

TEST(FontRecord, MissingOrBrokenValuesTakeTheDefaults) {
    TempFolder folder;
    const platform::IniFile file(
        folder.write("settings.txt", "[F]\nFontSize=big\nFontColor=0x0000FF\n"));
    Font defaults;
    defaults.name = "Verdana";
    defaults.size = 9;
    Font font;
    ReadFont(platform::IniSnapshot(file.fileName()), "F", font, defaults);
    EXPECT_EQ(font.name, "Verdana");
    EXPECT_EQ(font.size, 9);
    EXPECT_EQ(font.color, 255);
}

TEST(FileNames, StripsTheLastExtensionOfTheNameOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"notepad.exe", "notepad"},
        {"notepad.exe.lnk", "notepad.exe"},
        {"notepad.exe copy0.lnk", "notepad.exe copy0"},
        {"readme", "readme"},
        {".lnk", ""},
        {"", ""},
        {"C:\\dir.d\\readme", "C:\\dir.d\\readme"},
        {"C:\\dir.d\\a.txt", "C:\\dir.d\\a"},
        {"C:file", "C:file"},
        {"x.y:z", "x.y:z"},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(StripFileExt(name), expected) << name;
}

} // namespace
