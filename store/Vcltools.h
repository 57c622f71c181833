#pragma once
// Small helpers shared by several parts of the program: the font record kept in INI sections,
// the file-name extension rule, and lining up window controls.

#include "platform/Font.h"
#include "platform/Inifile.h"

#include <cstdint>
#include <string>
#include <string_view>

// Adds the four keys FontName, FontSize, FontColor and FontStyle of `font` to `batch` under
// `section`. FontStyle has five digits: 10000 plus 1 bold, 10 italic, 100 underline, 1000
// strike-out.
void WriteFont(platform::IniBatch& batch, std::string_view section, const platform::Font& font);

// Sets `font` from the keys of `section`; a missing or unreadable FontName, FontSize or FontColor
// takes the value of `defaults`, a missing FontStyle means no style. A style digit counts as set
// when it is anything but 0 (only the last four characters count).
void ReadFont(const platform::IniSnapshot& file, std::string_view section, platform::Font& font,
              const platform::Font& defaults);

// The low 8 bits of the integer under `key` (its default when missing or unreadable), as the
// stored layout, alignment and background placement numbers are kept: 258 reads as 2.
std::uint8_t ReadLowByte(const platform::IniSnapshot& file, std::string_view section,
                         std::string_view key, std::uint8_t defaultValue);

// The name without its extension: from the last "." after the last path separator or drive
// colon to the end. notepad.exe.lnk gives notepad.exe, readme stays readme, .lnk gives "".
std::string StripFileExt(const std::string& fileName);

// The part of `path` after its last path separator or drive colon.
std::string ExtractFileName(const std::string& path);

// Lining up windows by their edges; a window is anything with left(), width() and setLeft(), as
// the windowing layer's forms have.
template <class Control> std::int32_t GetControlLeft(const Control& control) {
    return control.left();
}

template <class Control> std::int32_t GetControlRight(const Control& control) {
    return control.left() + control.width();
}

// Moves the window so that its right edge is at x, keeping its width.
template <class Control> void SetControlRight(Control& control, std::int32_t x) {
    control.setLeft(x - control.width());
}
