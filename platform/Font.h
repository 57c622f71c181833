#pragma once
// A font as the program describes it; the windowing layer turns it into a system font when it
// draws or measures text.

#include "platform/Color.h"

#include <string>

namespace platform {

struct Font {
    std::string name = "Tahoma"; // face name
    int size = 8;                // points
    Color color = Colors::WindowText;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const Font& other) const {
        return name == other.name && size == other.size && color == other.color &&
               bold == other.bold && italic == other.italic && underline == other.underline &&
               strikeOut == other.strikeOut;
    }
    bool operator!=(const Font& other) const { return !(*this == other); }
};

} // namespace platform
