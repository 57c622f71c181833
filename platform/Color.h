#pragma once
// Colour values as the program stores them: blue * 65536 + green * 256 + red for plain colours,
// 0x80000000 plus the index for the system's colours (negative as a signed number).

#include <cstdint>

namespace platform {

using Color = std::int32_t;

namespace Colors {
constexpr Color White = 0xFFFFFF;
constexpr Color Yellow = 0x00FFFF;
constexpr Color Black = 0x000000;
constexpr Color SystemBase = static_cast<Color>(0x80000000u);
constexpr Color WindowText = SystemBase + 8; // the system's COLOR_WINDOWTEXT
} // namespace Colors

constexpr bool isSystemColor(Color color) {
    return color < 0;
}
constexpr int systemColorIndex(Color color) {
    return color & 0xFF;
}

} // namespace platform
