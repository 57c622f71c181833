#include "platform/win32/Gdi.h"

#include "platform/Dpi.h"
#include "platform/win32/Wide.h"

#include <cwchar>

namespace platform::win32 {

HFONT createFont(const Font& font, int pixelHeight) {
    LOGFONTW description{};
    // A negative height is that of the characters, without the line's internal leading.
    description.lfHeight = pixelHeight != 0 ? -toPixels(pixelHeight)
                                            : -MulDiv(font.size, displayDpi(), 72);
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfItalic = font.italic;
    description.lfUnderline = font.underline;
    description.lfStrikeOut = font.strikeOut;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    std::wcsncpy(description.lfFaceName, widen(font.name).c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&description);
}

} // namespace platform::win32
