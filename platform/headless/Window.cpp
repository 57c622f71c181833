// A form without a window system: a record of its place, styles and visibility, and a raster
// of what it has painted.
#include "platform/Control.h"
#include "platform/Controls.h"
#include "platform/Loopnative.h"
#include "platform/System.h"
#include "platform/headless/Formnative.h"
#include "platform/headless/World.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

using headless::world;

namespace {

// The form's screen at its current size; a new size starts black, as an unpainted window.
headless::Raster& screenOf(Form& form) {
    headless::Raster& screen = form.native().screen;
    const Size client = form.clientSize();
    if (screen.width() != client.width || screen.height() != client.height)
        screen = headless::Raster(client.width, client.height);
    return screen;
}

// The frame around the client area of a form with a caption: a caption bar and thin edges,
// fixed numbers that stand in for the system's.
constexpr int kFrameEdge = 3;
constexpr int kCaptionBar = 19;

Size frameSize(FormKind kind) {
    if (kind == FormKind::ToolPopup) return {0, 0};
    return {2 * kFrameEdge, 2 * kFrameEdge + kCaptionBar};
}

} // namespace

Form::Form(FormKind kind) : kind_(kind), native_(std::make_unique<Native>(kind)) {
    world().forms.push_back(this);
}

Form::~Form() {
    native::forgetForm(*this);
    auto& posted = world().postedCloses;
    posted.erase(std::remove(posted.begin(), posted.end(), this), posted.end());
    auto& forms = world().forms;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (world().foreground == this) world().foreground = nullptr;
}

Rect Form::bounds() const {
    return native_->bounds;
}
void Form::setBounds(const Rect& bounds) {
    const Size before = clientSize();
    native_->bounds = bounds;
    if (!(clientSize() == before)) FormEvents::resized(*this);
}
void Form::hangBelow(const Form& above, Size size) {
    const Rect wanted{above.left(), above.top() + above.height(), size.width, size.height};
    setBounds(wanted.hungWithin(workAreaAt({wanted.left, wanted.top})));
}
void Form::setLeft(int left) {
    native_->bounds.left = left;
}
void Form::setTop(int top) {
    native_->bounds.top = top;
}
// Without a frame the client area starts at the form's corner.
void Form::followPointerSideways(int grabX) {
    if (const std::optional<Point> pointer = world().cursor) setLeft(pointer->x - grabX);
}
Size Form::clientSize() const {
    const Size frame = frameSize(kind_);
    return {native_->bounds.width - frame.width, native_->bounds.height - frame.height};
}

void Form::setClientSize(Size size) {
    const Size frame = frameSize(kind_);
    setBounds({left(), top(), size.width + frame.width, size.height + frame.height});
}

std::string Form::caption() const {
    return native_->caption;
}
void Form::setCaption(const std::string& caption) {
    native_->caption = caption;
}
bool Form::visible() const {
    return native_->visible;
}
bool Form::enabled() const {
    return native_->enabled;
}
ChildControl* Form::focusedControl() const {
    return native_->focused;
}

// As a dialog does when it is shown, the first control that takes the focus gets it.
void Form::showWindow() {
    native_->visible = true;
    if (!native_->focused) native_->focused = nextTabStop(nullptr);
}

void Form::hideWindow() {
    native_->visible = false;
    native_->hint.clear();
    if (world().foreground == this) world().foreground = nullptr;
    FormEvents::releaseCapture(*this);
}

void Form::showTopmost() {
    native_->topmost = true;
    show();
}

bool Form::isForeground() const {
    return world().foreground == this;
}

void Form::bringToForeground() {
    if (native_->visible) world().foreground = this;
}

void Form::setColor(Color color) {
    color_ = color;
    invalidate();
}

std::uint32_t Form::windowStyle() const {
    return native_->style;
}
void Form::setWindowStyle(std::uint32_t style) {
    native_->style = style;
}
std::uint32_t Form::extendedStyle() const {
    return native_->extendedStyle;
}
void Form::setExtendedStyle(std::uint32_t style) {
    native_->extendedStyle = style;
}
void Form::invalidate() {
    ++native_->invalidations;
}
void Form::close() {
    FormEvents::close(*this);
}

void Form::repaintNow(const Rect& area) {
    native_->repainted.push_back(area);
    headless::RasterCanvas canvas(screenOf(*this), area);
    FormEvents::paint(*this, canvas);
}

void Form::scrollArea(const Rect& area, int dy) {
    headless::Raster& screen = screenOf(*this);
    screen.scroll(area, dy);
    const int strip = std::min(std::abs(dy), area.height);
    const Rect uncovered{area.left, dy > 0 ? area.top : area.bottom() - strip, area.width, strip};
    headless::RasterCanvas canvas(screen, uncovered);
    FormEvents::paint(*this, canvas);
}

void Form::drawOnWindow(const std::function<void(Canvas&)>& draw) {
    headless::RasterCanvas canvas(screenOf(*this));
    draw(canvas);
}

void Form::showHintNow(const std::string& text) {
    native_->hint = text;
}

void Form::showHintAt(const std::string& text, Point) {
    native_->hint = text;
}

void Form::setCursorNow(Cursor shape) {
    cursor = shape;
    world().pointerShape = shape;
}

void Form::trackMouseLeave() {
    const std::optional<Point> pointer = world().cursor;
    native_->leaveTracked = native_->visible && pointer && bounds().contains(*pointer);
    if (!native_->leaveTracked) FormEvents::mouseLeave(*this);
}

namespace headless {

Form* foregroundForm() {
    return world().foreground;
}
bool isTopmost(const Form& form) {
    return form.native().topmost;
}
int invalidationCount(const Form& form) {
    return form.native().invalidations;
}

Raster paint(Form& form) {
    Raster& screen = screenOf(form);
    RasterCanvas canvas(screen);
    FormEvents::paint(form, canvas);
    return screen;
}

const Raster& screen(Form& form) {
    return screenOf(form);
}

const std::vector<Rect>& repaintedAreas(const Form& form) {
    return form.native().repainted;
}

void clearRepaintedAreas(Form& form) {
    form.native().repainted.clear();
}

const std::string& shownHint(const Form& form) {
    return form.native().hint;
}

Cursor pointerShape() {
    return world().pointerShape;
}

} // namespace headless
} // namespace platform

std::vector<platform::Form*> platform::native::liveForms() {
    return platform::headless::world().forms;
}
