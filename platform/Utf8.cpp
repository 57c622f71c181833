#include "platform/Utf8.h"

namespace platform::utf8 {
namespace {

// The length of the well-formed sequence starting at `at`, or 0 when none starts there.
std::size_t sequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;  // shorter forms exist
        if (lead == 0xED) high = 0x9F; // surrogate halves
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (text.size() - at < length) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return length;
}

} // namespace

bool isValid(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = sequenceLength(text, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count)
        next(text, at);
    return count;
}

char32_t next(std::string_view text, std::size_t& at) {
    const std::size_t length = sequenceLength(text, at);
    const auto lead = static_cast<unsigned char>(text[at]);
    if (length <= 1) {
        ++at;
        return lead;
    }
    char32_t codePoint = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i)
        codePoint = codePoint << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    at += length;
    return codePoint;
}

void append(std::string& text, char32_t codePoint) {
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
        return;
    }
    const int length = codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
    static constexpr unsigned char kLeads[] = {0, 0, 0xC0, 0xE0, 0xF0};
    text += static_cast<char>(kLeads[length] | (codePoint >> (6 * (length - 1))));
    for (int i = length - 2; i >= 0; --i)
        text += static_cast<char>(0x80 | ((codePoint >> (6 * i)) & 0x3F));
}

} // namespace platform::utf8
