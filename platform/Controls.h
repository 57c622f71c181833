#pragma once
// The system's standard controls as child windows of a form, or of a page or panel on it:
// label, push button, check box, radio group, edit box, up-down control, page control with its
// pages, panel and owner-drawn list box. Window logic sees a control's state and callbacks
// only; the backend keeps the native control in step with that state and reports what the user
// does (headless: the input helpers of Headless.h play the user).
//
// Callbacks run for what the user does, never for state the program sets, with one exception
// taken from the system: an edit box reports every change of its text. Controls are created
// visible; the tab key visits them in the order they were created. A control must not outlive
// its form, nor the page or panel it lies on.

#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Form.h"
#include "platform/Geometry.h"
#include "platform/Input.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

namespace Colors {
constexpr Color Window = SystemBase + 5;         // the system's COLOR_WINDOW
constexpr Color Highlight = SystemBase + 13;     // COLOR_HIGHLIGHT: a selected row
constexpr Color HighlightText = SystemBase + 14; // COLOR_HIGHLIGHTTEXT
} // namespace Colors

namespace Keys {
constexpr int Back = 0x08;
constexpr int Space = 0x20;
} // namespace Keys

// A control's font: the description of Font.h, sized in points unless `pixelHeight` gives the
// height of its characters in pixels instead, as forms laid out in pixels state it.
struct ControlFont {
    Font font;
    int pixelHeight = 0;
    bool operator==(const ControlFont& o) const {
        return font == o.font && pixelHeight == o.pixelHeight;
    }
    bool operator!=(const ControlFont& o) const { return !(*this == o); }
};

class Container;

// Where a control lies: on a form's client area, or on a page or panel of the form.
class ControlParent {
public:
    ControlParent(Form& form) : form_(form) {}
    ControlParent(Container& container);
    Form& form() const { return form_; }
    Container* container() const { return container_; }

private:
    Form& form_;
    Container* container_ = nullptr;
};

enum class ControlKind {
    Label,
    PushButton,
    CheckBox,
    RadioGroup,
    EditBox,
    UpDown,
    PageControl,
    Page,
    Panel,
    ListBox
};

class ChildControl {
public:
    virtual ~ChildControl();
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;

    ControlKind kind() const { return kind_; }
    Form& form() const { return form_; }
    // The page or panel the control lies on, or none.
    Container* container() const { return container_; }

    // In client pixels of the form, page or panel the control lies on.
    const Rect& bounds() const { return bounds_; }
    void setBounds(const Rect& bounds);
    // At first the font of the form.
    const ControlFont& font() const { return font_; }
    void setFont(const ControlFont& font);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // Visible, and so are the page or panel it lies on and theirs in turn.
    bool showing() const;

    // Labels, up-down arrows, pages and panels never take the keyboard focus.
    bool takesFocus() const;
    bool focused() const;
    void setFocus();

    // Keys pressed and characters typed while the control has the focus, after the form's
    // FormKeyDown and FormKeyPress and before the control acts on them: a handler that sets the
    // key to 0 keeps it from the control; another value reaches the control instead.
    std::function<void(int& key, ShiftState)> onKeyDown;
    std::function<void(char& key)> onKeyPress;

    struct Native; // per backend
    Native& native() const { return *native_; }

protected:
    ChildControl(ControlParent parent, ControlKind kind, const Rect& bounds);
    // Each derived constructor calls this last, once its state is complete: it makes the
    // native control (per backend).
    void attachNative();
    // Shows the current state on the native control (per backend).
    void refresh();
    // The bounds have changed: derived controls place what they hold.
    virtual void boundsChanged() {}

private:
    Form& form_;
    Container* container_;
    ControlKind kind_;
    Rect bounds_;
    ControlFont font_;
    bool visible_ = true;
    bool enabled_ = true;
    struct DeleteNative {
        void operator()(Native* native) const; // per backend
    };
    std::unique_ptr<Native, DeleteNative> native_;
};

class Label : public ChildControl {
public:
    Label(ControlParent parent, const Rect& bounds, std::string text = {});

    const std::string& text() const { return text_; }
    void setText(std::string text);
    // Long text goes on in further lines, broken between words; without it, the label's right
    // edge cuts it.
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool wrap);
    // The pointer's shape over the label, as a link shows the hand.
    Cursor cursor() const { return cursor_; }
    void setCursor(Cursor cursor) { cursor_ = cursor; }

    std::function<void()> onClick;

private:
    friend class ControlEvents;
    std::string text_;
    bool wordWrap_ = false;
    Cursor cursor_ = Cursor::Default;
};

class PushButton : public ChildControl {
public:
    // "&" in the caption marks the access key.
    PushButton(ControlParent parent, const Rect& bounds, std::string caption);

    const std::string& caption() const { return caption_; }
    // Enter presses the default button of the form, unless another push button has the focus.
    bool isDefault() const { return default_; }
    void setDefault(bool isDefault);
    // Escape presses the cancel button and closes the form; a form without one stays open.
    bool isCancel() const { return cancel_; }
    void setCancel(bool isCancel) { cancel_ = isCancel; }

    std::function<void()> onClick;

private:
    friend class ControlEvents;
    std::string caption_;
    bool default_ = false;
    bool cancel_ = false;
};

class CheckBox : public ChildControl {
public:
    CheckBox(ControlParent parent, const Rect& bounds, std::string caption);

    const std::string& caption() const { return caption_; }
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    // After the user has ticked or cleared the box.
    std::function<void()> onClick;

private:
    friend class ControlEvents;
    std::string caption_;
    bool checked_ = false;
};

// A captioned frame around radio buttons laid out in columns, filled one column after another;
// at most one item is selected.
class RadioGroup : public ChildControl {
public:
    RadioGroup(ControlParent parent, const Rect& bounds, std::string caption,
               std::vector<std::string> items, int columns = 1);

    const std::string& caption() const { return caption_; }
    const std::vector<std::string>& items() const { return items_; }
    int columns() const { return columns_; }
    // -1 when no item is selected.
    int selectedIndex() const { return selected_; }
    // Values below -1 select nothing, values past the last item select the last item.
    void setSelectedIndex(int index);
    // Where item `index`'s button lies, in the group's own coordinates.
    Rect itemBounds(int index) const;
    // After the user has chosen an item (also the one already selected).
    std::function<void()> onClick;

private:
    friend class ControlEvents;
    std::string caption_;
    std::vector<std::string> items_;
    int columns_;
    int selected_ = -1;
};

class UpDown;

// A one-line edit box.
class EditBox : public ChildControl {
public:
    EditBox(ControlParent parent, const Rect& bounds);

    const std::string& text() const { return text_; }
    void setText(std::string text);
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);
    // The selection; an empty one is the caret. Selecting puts the caret at its end.
    int selectionStart() const;
    int selectionLength() const;
    void select(int start, int length);
    void selectAll() { select(0, static_cast<int>(text_.size())); }
    // The up-down control bound to the box, or none.
    UpDown* upDown() const { return upDown_; }

    // After each change of the text, by the user or by the program.
    std::function<void()> onChange;

private:
    friend class ControlEvents;
    friend class UpDown;
    std::string text_;
    bool readOnly_ = false;
    UpDown* upDown_ = nullptr;
};

// Arrows bound to an edit box, which shows their position; the position stays within the
// range (it does not wrap round), and the up and down arrow keys in the box press them too. It
// places itself against the right edge of the box, which it narrows.
class UpDown : public ChildControl {
public:
    UpDown(ControlParent parent, EditBox& buddy);
    ~UpDown() override;

    EditBox& buddy() const { return buddy_; }
    int min() const { return min_; }
    int max() const { return max_; }
    void setRange(int min, int max);
    int position() const { return position_; }
    // Clamped into the range.
    void setPosition(int position);
    // After each press of an arrow, the position already moved (it stays at a limit reached).
    std::function<void()> onClick;

private:
    friend class ControlEvents;
    EditBox& buddy_;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};

// A control that holds others: a page or a panel. It has the colour of what it lies on until
// it is given one of its own.
class Container : public ChildControl {
public:
    Color color() const;
    void setColor(Color color);

protected:
    Container(ControlParent parent, ControlKind kind, const Rect& bounds);

private:
    std::optional<Color> ownColor_;
};

class Page;

// Tabs above pages, one page showing at a time.
class PageControl : public ChildControl {
public:
    PageControl(ControlParent parent, const Rect& bounds);

    const std::vector<Page*>& pages() const { return pages_; }
    // -1 before the first page is added, which becomes the active one.
    int activePageIndex() const { return active_; }
    void setActivePage(int index);
    // Where the pages lie, in the page control's coordinates (below the tabs).
    Rect pageArea() const;
    // After the user has chosen another tab.
    std::function<void()> onChange;

private:
    friend class Page;
    friend class ControlEvents;
    void boundsChanged() override;
    void showActivePage();

    std::vector<Page*> pages_;
    int active_ = -1;
};

// A page of a page control, with its caption on a tab; its bounds are the page control's page
// area, in the page control's coordinates.
class Page : public Container {
public:
    Page(PageControl& owner, std::string caption);
    ~Page() override;

    PageControl& owner() const { return owner_; }
    const std::string& caption() const { return caption_; }

private:
    PageControl& owner_;
    std::string caption_;
};

// A plain area in a colour of its own that holds controls (Control.h's Panel is painted by
// the form instead and holds nothing).
class ContainerPanel : public Container {
public:
    ContainerPanel(ControlParent parent, const Rect& bounds);
};

// What a list box's drawing callback is given for one row: a canvas already filled with the
// row's background (the selection colour for the selected row) and set to the list's font (by
// its size in points) in the matching text colour. The list draws the focus frame itself
// afterwards.
struct ListRow {
    Canvas& canvas;
    int index;
    Rect rect; // in the canvas's coordinates
    bool selected;
    bool focused;
};

// A list of rows of one height that the program draws itself; the program keeps what the rows
// stand for and the list knows only how many there are.
class ListBox : public ChildControl {
public:
    ListBox(ControlParent parent, const Rect& bounds);

    int rowCount() const { return rowCount_; }
    // Selects nothing.
    void setRowCount(int count);
    int rowHeight() const { return rowHeight_; }
    void setRowHeight(int height);
    // -1 when no row is selected.
    int selectedIndex() const { return selected_; }
    // An index outside the rows selects nothing.
    void setSelectedIndex(int index);
    // Where the row lies now, in the list's own client coordinates: above or below them when it
    // is scrolled out of sight.
    Rect rowRect(int row) const;

    std::function<void(const ListRow&)> onDrawRow;
    // After the user has selected a row.
    std::function<void()> onClick;

private:
    friend class ControlEvents;
    int rowCount_ = 0;
    int rowHeight_ = 16;
    int selected_ = -1;
};

// Gives every control on `form` the font a dialog is designed in. A control starts with the
// font its form has when the control is made, which for the members of a form is before the
// form's own constructor can set one.
void setFontOfControls(Form& form, const ControlFont& font);

// Where the backends report what the user did to a control; each call runs the control's
// callback, showing an exception it throws in the standard error box.
class ControlEvents {
public:
    static void clicked(Label& label);
    static void clicked(PushButton& button);
    static void checked(CheckBox& box, bool checked);
    static void chosen(RadioGroup& group, int index);
    // The text in the box now, as the user left it; the same text as before is no change.
    static void edited(EditBox& box, std::string text);
    // An arrow moved the up-down control to `position` (clamped into its range).
    static void arrowPressed(UpDown& upDown, int position);
    static void chosen(PageControl& pages, int index);
    static void chosen(ListBox& list, int index);
    // Paints row `index` of the list into `rect` of `canvas`, through the list's callback.
    static void drawRow(ListBox& list, Canvas& canvas, int index, const Rect& rect, bool selected,
                        bool focused);
};

} // namespace platform
