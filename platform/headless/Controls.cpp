// The standard controls without a window system: their state is all there is, so this side
// holds only the focus and an edit box's selection, and plays the user for the tests.
#include "platform/Controls.h"
#include "platform/Utf8.h"
#include "platform/headless/Formnative.h"
#include "platform/headless/Headless.h"

#include <algorithm>

namespace platform {

struct ChildControl::Native {
    explicit Native(ChildControl& control) : owner(control) {}
    ~Native() {
        ChildControl*& focused = owner.form().native().focused;
        if (focused == &owner) focused = nullptr;
    }
    Native(const Native&) = delete;
    Native& operator=(const Native&) = delete;

    ChildControl& owner;
    int selectionStart = 0;
    int selectionLength = 0;
};

namespace {

// The system narrows the box by the arrows' width and puts them against its right edge,
// over the box's sunken border.
constexpr int kUpDownWidth = 16;
constexpr int kUpDownOverBorder = 2;
// Stand-ins for the page control's tabs above the pages and its edges around them.
constexpr int kTabHeight = 20;
constexpr int kPageEdge = 2;

} // namespace

void ChildControl::DeleteNative::operator()(Native* native) const {
    delete native;
}

void ChildControl::attachNative() {
    native_.reset(new Native(*this));
    if (kind_ != ControlKind::UpDown) return;
    EditBox& box = static_cast<UpDown*>(this)->buddy();
    const Rect place = box.bounds();
    box.setBounds({place.left, place.top, place.width - kUpDownWidth, place.height});
    setBounds({box.bounds().right() - kUpDownOverBorder, place.top, kUpDownWidth, place.height});
}

void ChildControl::refresh() {}

bool ChildControl::focused() const {
    return form_.native().focused == this;
}

void ChildControl::setFocus() {
    if (takesFocus()) form_.native().focused = this;
}

int EditBox::selectionStart() const {
    return native().selectionStart;
}

int EditBox::selectionLength() const {
    return native().selectionLength;
}

void EditBox::select(int start, int length) {
    const int size = static_cast<int>(text_.size());
    native().selectionStart = std::clamp(start, 0, size);
    native().selectionLength = std::clamp(length, 0, size - native().selectionStart);
}

Rect PageControl::pageArea() const {
    return {kPageEdge, kTabHeight + kPageEdge, bounds().width - 2 * kPageEdge,
            bounds().height - kTabHeight - 2 * kPageEdge};
}

// Never scrolled: the rows lie one under the other from the top.
Rect ListBox::rowRect(int row) const {
    return {0, row * rowHeight_, bounds().width, rowHeight_};
}

namespace headless {
namespace {

bool takesInput(ChildControl& control) {
    if (!control.form().enabled() || !control.enabled() || !control.showing()) return false;
    control.setFocus();
    return true;
}

bool continuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// What the box makes of a typed character (its UTF-8 bytes): it replaces the selection, and
// Backspace deletes the selection or else the character before the caret, all its bytes.
void typeInto(EditBox& box, std::string_view character) {
    if (box.readOnly()) return;
    auto start = static_cast<std::size_t>(box.selectionStart());
    auto length = static_cast<std::size_t>(box.selectionLength());
    std::string text = box.text();
    if (character.size() == 1 && character[0] == Keys::Back) {
        if (length == 0) {
            if (start == 0) return;
            do {
                --start;
                ++length;
            } while (start > 0 && continuesCharacter(text[start]));
        }
        text.erase(start, length);
    } else if (static_cast<unsigned char>(character[0]) >= 0x20) {
        text.replace(start, length, character);
        start += character.size();
    } else {
        return;
    }
    ControlEvents::edited(box, std::move(text));
    box.select(static_cast<int>(start), 0);
}

// As on Windows, only ASCII characters pass the key press handlers.
void typeCharacter(Form& form, ChildControl* focused, std::string_view character) {
    char key = character[0];
    if (character.size() == 1 && FormEvents::keyPress(form, focused, key)) return;
    if (focused && focused->kind() == ControlKind::EditBox)
        typeInto(*static_cast<EditBox*>(focused),
                 character.size() == 1 ? std::string_view(&key, 1) : character);
}

// The character a key types besides, if any.
char characterOf(int key) {
    switch (key) {
    case Keys::Return:
    case Keys::Escape:
    case Keys::Back:
        return static_cast<char>(key);
    default:
        return 0;
    }
}

void actOnKey(Form& form, ChildControl& control, int key, ShiftState shift) {
    const bool arrow = key == Keys::Up || key == Keys::Down;
    if (key == Keys::Tab) {
        if (ChildControl* next = form.nextTabStop(&control, shift.shift)) next->setFocus();
    } else if (key == Keys::Space && control.kind() != ControlKind::EditBox) {
        click(control);
    } else if (arrow && control.kind() == ControlKind::ListBox) {
        auto& list = static_cast<ListBox&>(control);
        if (list.rowCount() == 0) return;
        const int step = key == Keys::Down ? 1 : -1;
        ControlEvents::chosen(list,
                              std::clamp(list.selectedIndex() + step, 0, list.rowCount() - 1));
    } else if (arrow && control.kind() == ControlKind::EditBox) {
        if (UpDown* upDown = static_cast<EditBox&>(control).upDown())
            pressArrow(*upDown, key == Keys::Up);
    }
}

// A page is chosen through its tab, on the page control.
void choosePage(Page& page) {
    if (!takesInput(page.owner())) return;
    const auto& pages = page.owner().pages();
    const auto index = std::find(pages.begin(), pages.end(), &page) - pages.begin();
    ControlEvents::chosen(page.owner(), static_cast<int>(index));
}

} // namespace

void keyDown(Form& form, int key, ShiftState shift) {
    ChildControl* focused = form.focusedControl();
    if (FormEvents::keyDown(form, focused, key, shift)) return;
    if (focused) actOnKey(form, *focused, key, shift);
    if (const char character = characterOf(key))
        typeCharacter(form, form.focusedControl(), std::string_view(&character, 1));
}

void click(ChildControl& control) {
    if (control.kind() == ControlKind::Page) {
        choosePage(static_cast<Page&>(control));
        return;
    }
    if (!takesInput(control)) return;
    switch (control.kind()) {
    case ControlKind::Label:
        ControlEvents::clicked(static_cast<Label&>(control));
        break;
    case ControlKind::PushButton:
        ControlEvents::clicked(static_cast<PushButton&>(control));
        break;
    case ControlKind::CheckBox: {
        auto& box = static_cast<CheckBox&>(control);
        ControlEvents::checked(box, !box.checked());
        break;
    }
    default:
        break;
    }
}

void chooseItem(RadioGroup& group, int index) {
    if (takesInput(group)) ControlEvents::chosen(group, index);
}

void chooseRow(ListBox& list, int row) {
    if (takesInput(list)) ControlEvents::chosen(list, row);
}

void pressArrow(UpDown& upDown, bool up) {
    if (!upDown.form().enabled() || !upDown.enabled() || !upDown.showing()) return;
    ControlEvents::arrowPressed(upDown, upDown.position() + (up ? 1 : -1));
}

void typeText(EditBox& box, const std::string& text) {
    if (!takesInput(box)) return;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        utf8::next(text, at);
        typeCharacter(box.form(), &box, std::string_view(text).substr(start, at - start));
    }
}

Raster paintRows(ListBox& list) {
    Raster picture(list.bounds().width, list.bounds().height);
    RasterCanvas canvas(picture);
    for (int row = 0; row < list.rowCount(); ++row) {
        const Rect rect{0, row * list.rowHeight(), list.bounds().width, list.rowHeight()};
        const bool selected = row == list.selectedIndex();
        ControlEvents::drawRow(list, canvas, row, rect, selected, selected && list.focused());
    }
    return picture;
}

} // namespace headless
} // namespace platform
