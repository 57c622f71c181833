#include "store/Vcltools.h"

#include "platform/Path.h"

namespace {

int FontStyleNumber(const platform::Font& font) {
    return 10000 + (font.bold ? 1 : 0) + (font.italic ? 10 : 0) + (font.underline ? 100 : 0) +
           (font.strikeOut ? 1000 : 0);
}

// The digit `place` positions from the end (1 the last) is set when present and not "0".
bool StyleDigitSet(const std::string& style, std::size_t place) {
    return style.size() >= place && style[style.size() - place] != '0';
}

} // namespace

void WriteFont(platform::IniBatch& batch, std::string_view section, const platform::Font& font) {
    batch.writeString(section, "FontName", font.name)
        .writeInteger(section, "FontSize", font.size)
        .writeInteger(section, "FontColor", font.color)
        .writeString(section, "FontStyle", std::to_string(FontStyleNumber(font)));
}

std::uint8_t ReadLowByte(const platform::IniSnapshot& file, std::string_view section,
                         std::string_view key, std::uint8_t defaultValue) {
    return static_cast<std::uint8_t>(file.readInteger(section, key, defaultValue) & 0xFF);
}

void ReadFont(const platform::IniSnapshot& file, std::string_view section, platform::Font& font,
              const platform::Font& defaults) {
    // Read everything first: `defaults` may be `font` itself.
    const std::string name = file.readString(section, "FontName", defaults.name);
    const int size = file.readInteger(section, "FontSize", defaults.size);
    const int color = file.readInteger(section, "FontColor", defaults.color);
    const std::string style = file.readString(section, "FontStyle", "10000");
    font.name = name;
    font.size = size;
    font.color = color;
    font.strikeOut = StyleDigitSet(style, 4);
    font.underline = StyleDigitSet(style, 3);
    font.italic = StyleDigitSet(style, 2);
    font.bold = StyleDigitSet(style, 1);
}

std::string StripFileExt(const std::string& fileName) {
    return std::string(platform::path::withoutExtension(fileName));
}

std::string ExtractFileName(const std::string& path) {
    return std::string(platform::path::fileName(path));
}
