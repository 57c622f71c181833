// The backend-independent half of the standard controls: their state, the rules the system's
// controls keep (one radio item, clamped up-down positions, list selections within the rows),
// and the reports of what the user did.
#include "platform/Controls.h"

#include "platform/Guarded.h"

#include <algorithm>

namespace platform {
namespace {

template <class T> void eraseFrom(std::vector<T*>& items, const T* item) {
    items.erase(std::remove(items.begin(), items.end(), item), items.end());
}

void run(const std::function<void()>& callback) {
    if (callback) guarded(callback);
}

// A page lies where its page control lies.
ControlParent parentOf(const ChildControl& control) {
    if (Container* container = control.container()) return *container;
    return control.form();
}

} // namespace

ControlParent::ControlParent(Container& container)
    : form_(container.form()), container_(&container) {}

ChildControl::ChildControl(ControlParent parent, ControlKind kind, const Rect& bounds)
    : form_(parent.form()), container_(parent.container()), kind_(kind),
      bounds_(bounds), font_{form_.font, 0} {
    form_.childControls_.push_back(this);
}

ChildControl::~ChildControl() {
    eraseFrom(form_.childControls_, this);
}

void ChildControl::setBounds(const Rect& bounds) {
    bounds_ = bounds;
    boundsChanged();
    refresh();
}

void ChildControl::setFont(const ControlFont& font) {
    font_ = font;
    refresh();
}

void ChildControl::setVisible(bool visible) {
    visible_ = visible;
    refresh();
}

void ChildControl::setEnabled(bool enabled) {
    enabled_ = enabled;
    refresh();
}

bool ChildControl::showing() const {
    if (!visible_ || (container_ && !container_->showing())) return false;
    return kind_ != ControlKind::Page || static_cast<const Page*>(this)->owner().showing();
}

bool ChildControl::takesFocus() const {
    return kind_ != ControlKind::Label && kind_ != ControlKind::Page &&
           kind_ != ControlKind::Panel && kind_ != ControlKind::UpDown;
}

Label::Label(ControlParent parent, const Rect& bounds, std::string text)
    : ChildControl(parent, ControlKind::Label, bounds), text_(std::move(text)) {
    attachNative();
}

void Label::setText(std::string text) {
    text_ = std::move(text);
    refresh();
}

void Label::setWordWrap(bool wrap) {
    wordWrap_ = wrap;
    refresh();
}

PushButton::PushButton(ControlParent parent, const Rect& bounds, std::string caption)
    : ChildControl(parent, ControlKind::PushButton, bounds), caption_(std::move(caption)) {
    attachNative();
}

void PushButton::setDefault(bool isDefault) {
    default_ = isDefault;
    refresh();
}

CheckBox::CheckBox(ControlParent parent, const Rect& bounds, std::string caption)
    : ChildControl(parent, ControlKind::CheckBox, bounds), caption_(std::move(caption)) {
    attachNative();
}

void CheckBox::setChecked(bool checked) {
    checked_ = checked;
    refresh();
}

RadioGroup::RadioGroup(ControlParent parent, const Rect& bounds, std::string caption,
                       std::vector<std::string> items, int columns)
    : ChildControl(parent, ControlKind::RadioGroup, bounds), caption_(std::move(caption)),
      items_(std::move(items)), columns_(std::max(1, columns)) {
    attachNative();
}

void RadioGroup::setSelectedIndex(int index) {
    selected_ = std::clamp(index, -1, static_cast<int>(items_.size()) - 1);
    refresh();
}

// Below the caption the items share the inside of the frame evenly, column by column.
Rect RadioGroup::itemBounds(int index) const {
    constexpr int kSide = 8;
    constexpr int kTop = 16;
    constexpr int kBottom = 4;
    const int count = static_cast<int>(items_.size());
    const int perColumn = std::max(1, (count + columns_ - 1) / columns_);
    const int width = (bounds().width - 2 * kSide) / columns_;
    const int height = (bounds().height - kTop - kBottom) / perColumn;
    return {kSide + index / perColumn * width, kTop + index % perColumn * height, width, height};
}

EditBox::EditBox(ControlParent parent, const Rect& bounds)
    : ChildControl(parent, ControlKind::EditBox, bounds) {
    attachNative();
}

// A new text puts the caret at its start, as the system's edit box does.
void EditBox::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    refresh();
    select(0, 0);
    run(onChange);
}

void EditBox::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    refresh();
}

UpDown::UpDown(ControlParent parent, EditBox& buddy)
    : ChildControl(parent, ControlKind::UpDown, buddy.bounds()), buddy_(buddy) {
    buddy_.upDown_ = this;
    buddy_.setText(std::to_string(position_));
    attachNative();
}

UpDown::~UpDown() {
    buddy_.upDown_ = nullptr;
}

void UpDown::setRange(int min, int max) {
    min_ = min;
    max_ = max;
    setPosition(position_);
}

void UpDown::setPosition(int position) {
    position_ = std::clamp(position, std::min(min_, max_), std::max(min_, max_));
    refresh();
    buddy_.setText(std::to_string(position_));
}

Container::Container(ControlParent parent, ControlKind kind, const Rect& bounds)
    : ChildControl(parent, kind, bounds) {}

Color Container::color() const {
    if (ownColor_) return *ownColor_;
    return container() ? container()->color() : form().color();
}

void Container::setColor(Color color) {
    ownColor_ = color;
    refresh();
}

PageControl::PageControl(ControlParent parent, const Rect& bounds)
    : ChildControl(parent, ControlKind::PageControl, bounds) {
    attachNative();
}

void PageControl::setActivePage(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) return;
    active_ = index;
    showActivePage();
    refresh();
}

void PageControl::showActivePage() {
    for (std::size_t i = 0; i < pages_.size(); ++i)
        pages_[i]->setVisible(static_cast<int>(i) == active_);
}

void PageControl::boundsChanged() {
    for (Page* page : pages_)
        page->setBounds(pageArea());
}

Page::Page(PageControl& owner, std::string caption)
    : Container(parentOf(owner), ControlKind::Page, owner.pageArea()), owner_(owner),
      caption_(std::move(caption)) {
    owner_.pages_.push_back(this);
    if (owner_.active_ < 0) owner_.active_ = 0;
    setVisible(owner_.pages_[static_cast<std::size_t>(owner_.active_)] == this);
    attachNative();
    owner_.refresh();
}

Page::~Page() {
    eraseFrom(owner_.pages_, this);
    owner_.active_ = std::min(owner_.active_, static_cast<int>(owner_.pages_.size()) - 1);
    owner_.showActivePage();
    owner_.refresh();
}

ContainerPanel::ContainerPanel(ControlParent parent, const Rect& bounds)
    : Container(parent, ControlKind::Panel, bounds) {
    attachNative();
}

ListBox::ListBox(ControlParent parent, const Rect& bounds)
    : ChildControl(parent, ControlKind::ListBox, bounds) {
    attachNative();
}

void ListBox::setRowCount(int count) {
    rowCount_ = std::max(0, count);
    selected_ = -1;
    refresh();
}

void ListBox::setRowHeight(int height) {
    rowHeight_ = height;
    refresh();
}

void ListBox::setSelectedIndex(int index) {
    selected_ = index >= 0 && index < rowCount_ ? index : -1;
    refresh();
}

void setFontOfControls(Form& form, const ControlFont& font) {
    for (ChildControl* control : form.childControls())
        control->setFont(font);
}

void ControlEvents::clicked(Label& label) {
    run(label.onClick);
}

void ControlEvents::clicked(PushButton& button) {
    run(button.onClick);
}

void ControlEvents::checked(CheckBox& box, bool checked) {
    box.checked_ = checked;
    box.refresh();
    run(box.onClick);
}

void ControlEvents::chosen(RadioGroup& group, int index) {
    if (index < 0 || index >= static_cast<int>(group.items_.size())) return;
    group.selected_ = index;
    group.refresh();
    run(group.onClick);
}

void ControlEvents::edited(EditBox& box, std::string text) {
    if (text == box.text_) return;
    box.text_ = std::move(text);
    run(box.onChange);
}

void ControlEvents::arrowPressed(UpDown& upDown, int position) {
    upDown.setPosition(position);
    run(upDown.onClick);
}

void ControlEvents::chosen(PageControl& pages, int index) {
    if (index == pages.active_) return;
    pages.setActivePage(index);
    run(pages.onChange);
}

void ControlEvents::chosen(ListBox& list, int index) {
    list.setSelectedIndex(index);
    run(list.onClick);
}

void ControlEvents::drawRow(ListBox& list, Canvas& canvas, int index, const Rect& rect,
                            bool selected, bool focused) {
    guarded([&] {
        canvas.brush = {selected ? Colors::Highlight : Colors::Window, BrushStyle::Solid};
        canvas.fillRect(rect);
        canvas.font = list.font().font;
        if (selected) canvas.font.color = Colors::HighlightText;
        if (list.onDrawRow) list.onDrawRow({canvas, index, rect, selected, focused});
    });
}

} // namespace platform
