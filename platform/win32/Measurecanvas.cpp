#include "platform/Measurecanvas.h"

#include "platform/win32/Gdi.h"

namespace platform {

struct MeasureCanvas::State {
    win32::MemoryDC dc;
    Font font;
    win32::FontHandle fontHandle{font};
    win32::SelectedObject selection{dc.get(), fontHandle.get()};
};

MeasureCanvas::MeasureCanvas() : state_(std::make_unique<State>()) {}

MeasureCanvas::~MeasureCanvas() = default;

void MeasureCanvas::setFont(const Font& font) {
    // The old font must leave the device context before it is deleted.
    state_->selection.reset();
    state_->font = font;
    state_->fontHandle = win32::FontHandle(font);
    state_->selection.select(state_->dc.get(), state_->fontHandle.get());
}

const Font& MeasureCanvas::font() const {
    return state_->font;
}

TextSize MeasureCanvas::textExtent(std::string_view text) const {
    SIZE size{0, 0};
    GetTextExtentPoint32A(state_->dc.get(), text.data(), int(text.size()), &size);
    return {int(size.cx), int(size.cy)};
}

} // namespace platform
