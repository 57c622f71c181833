// Letter case and the ANSI code page without a system to ask: tables of our own.
#include "platform/Storedtext.h"
#include "platform/Textcompare.h"
#include "platform/Utf8.h"

namespace platform {
namespace {

// Windows-1252 from 0x80 to 0x9F; the five bytes it leaves undefined stand for themselves, as
// Windows converts them.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr bool inRange(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

// Where capitals and small letters alternate, the capital comes first: on an even code point,
// or on an odd one in the runs that start one later.
constexpr char32_t lowerOfPair(char32_t c, bool capitalOdd) {
    return (c % 2 == 1) == capitalOdd ? c + 1 : c;
}

char32_t lowerLatin(char32_t c) {
    if (inRange(c, 'A', 'Z') || (inRange(c, 0xC0, 0xDE) && c != 0xD7)) return c + 0x20;
    if (c == 0x130) return 'i';  // I with dot above
    if (c == 0x178) return 0xFF; // Y with diaeresis
    // Dotless i, kra, n after apostrophe and long s have no capital of their own.
    if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    if (inRange(c, 0x139, 0x148) || inRange(c, 0x179, 0x17E)) return lowerOfPair(c, true);
    if (inRange(c, 0x100, 0x17F)) return lowerOfPair(c, false);
    return c;
}

char32_t lowerGreek(char32_t c) {
    if (c == 0x386) return 0x3AC;
    if (inRange(c, 0x388, 0x38A)) return c + 0x25;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 0x3F;
    if (inRange(c, 0x391, 0x3AB) && c != 0x3A2) return c + 0x20;
    return c;
}

char32_t lowerCyrillic(char32_t c) {
    if (inRange(c, 0x400, 0x40F)) return c + 0x50;
    if (inRange(c, 0x410, 0x42F)) return c + 0x20;
    if (c == 0x4C0) return 0x4CF;
    if (inRange(c, 0x4C1, 0x4CE)) return lowerOfPair(c, true);
    if (inRange(c, 0x460, 0x481) || inRange(c, 0x48A, 0x4BF) || inRange(c, 0x4D0, 0x52F))
        return lowerOfPair(c, false);
    return c;
}

char32_t lowerOf(char32_t c) {
    if (c < 0x370) return lowerLatin(c);
    if (c < 0x400) return lowerGreek(c);
    if (c < 0x530) return lowerCyrillic(c);
    return c;
}

} // namespace

std::string native::ansiToUtf8(std::string_view bytes) {
    std::string text;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        utf8::append(text, inRange(value, 0x80, 0x9F) ? kWindows1252High[value - 0x80] : value);
    }
    return text;
}

std::string foldCase(std::string_view text) {
    std::string folded;
    for (std::size_t at = 0; at < text.size();)
        utf8::append(folded, lowerOf(utf8::next(text, at)));
    return folded;
}

// UTF-8 sorts by code point when its bytes compare unsigned.
std::string sortKey(std::string_view text) {
    return foldCase(text);
}

} // namespace platform
