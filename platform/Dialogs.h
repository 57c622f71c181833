#pragma once
// The system's common dialogs and the program's small boxes. Each is modal for `owner` (or for
// none of the program's windows) and has its answer when the call returns.

#include "platform/Color.h"
#include "platform/Font.h"

#include <optional>
#include <string>

namespace platform {

class Form;

// One existing file, any kind, from the open-file dialog; nothing when cancelled.
std::optional<std::string> chooseFile(const Form* owner);
// The colour dialog with its custom-colours part open and `initial` chosen; nothing when
// cancelled. The answer is a plain colour, never a system colour.
std::optional<Color> chooseColor(const Form* owner, Color initial);
// The font dialog, starting from `initial`: name, size, style and colour come back; nothing
// when cancelled.
std::optional<Font> chooseFont(const Form* owner, const Font& initial);
// A box that asks for one line of text under `prompt`; OK gives the text as it stands, Cancel
// (or Escape, or the close box) gives back `initial`.
std::string inputBox(const std::string& caption, const std::string& prompt,
                     const std::string& initial);
// The plain notice: `text` and an OK button, captioned with the application title.
void showMessage(const std::string& text);
// A question with the buttons Yes and No, No being the default; true for Yes.
bool askYesNo(const Form* owner, const std::string& text, const std::string& caption);

} // namespace platform
