// The common dialogs of comdlg32, and the input box made of our own dialog form.
#include "platform/Dialogs.h"
#include "platform/Inputform.h"
#include "platform/win32/Formnative.h"
#include "platform/win32/Gdi.h"
#include "platform/win32/Wide.h"

#include <array>
#include <commdlg.h>

namespace platform {
namespace {

HWND windowOf(const Form* owner) {
    return owner ? owner->native().window : nullptr;
}

} // namespace

// The current folder stays as it was: the program finds its help file by it.
std::optional<std::string> chooseFile(const Form* owner) {
    std::array<wchar_t, MAX_PATH> path{};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = windowOf(owner);
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    return win32::narrow(path.data());
}

std::optional<Color> chooseColor(const Form* owner, Color initial) {
    // The user's custom colours last for the run.
    static std::array<COLORREF, 16> customColors = [] {
        std::array<COLORREF, 16> colors;
        colors.fill(RGB(255, 255, 255));
        return colors;
    }();
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = windowOf(owner);
    dialog.rgbResult = win32::colorRef(initial);
    dialog.lpCustColors = customColors.data();
    dialog.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorW(&dialog)) return std::nullopt;
    return static_cast<Color>(dialog.rgbResult);
}

std::optional<Font> chooseFont(const Form* owner, const Font& initial) {
    LOGFONTW description{};
    const win32::ScopedGdiObject font(win32::createFont(initial));
    GetObjectW(font.get(), sizeof description, &description);
    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = windowOf(owner);
    dialog.lpLogFont = &description;
    dialog.rgbColors = win32::colorRef(initial.color);
    dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontW(&dialog)) return std::nullopt;
    Font chosen;
    chosen.name = win32::narrow(description.lfFaceName);
    chosen.size = (dialog.iPointSize + 5) / 10; // tenths of a point
    chosen.color = static_cast<Color>(dialog.rgbColors);
    chosen.bold = description.lfWeight >= FW_BOLD;
    chosen.italic = description.lfItalic != 0;
    chosen.underline = description.lfUnderline != 0;
    chosen.strikeOut = description.lfStrikeOut != 0;
    return chosen;
}

std::string inputBox(const std::string& caption, const std::string& prompt,
                     const std::string& initial) {
    return createForm<InputForm>()->ask(caption, prompt, initial);
}

} // namespace platform
