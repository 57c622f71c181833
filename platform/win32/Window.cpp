// A form's window on Windows: its place, styles, visibility and painting.
#include "platform/Dpi.h"
#include "platform/Loopnative.h"
#include "platform/win32/Controlsnative.h"
#include "platform/win32/Formwindow.h"
#include "platform/win32/Gdi.h"
#include "platform/win32/Wide.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace platform {

using win32::clientSizeOf;
using win32::createFormWindow;
using win32::hideHintTip;
using win32::showHintTip;

namespace {

// The window's place, as the system has it.
PixelRect pixelBounds(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return win32::pixelRectOf(r);
}

void applyStyleChange(HWND window) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

Form::Form(FormKind kind) : kind_(kind), native_(std::make_unique<Native>()) {
    if (!createFormWindow(*this, kind))
        throw std::runtime_error("Cannot create a window (error " + std::to_string(GetLastError()) +
                                 ")");
    native_->clientSize = clientSizeOf(native_->window);
}

Form::~Form() {
    native::forgetForm(*this);
    // No message may reach the handlers of an object that is going away.
    SetWindowLongPtrW(native_->window, GWLP_USERDATA, 0);
    DestroyWindow(native_->window);
}

Rect Form::bounds() const {
    return toUnits(pixelBounds(native_->window));
}

void Form::setBounds(const Rect& units) {
    const PixelRect b = toPixels(units);
    SetWindowPos(native_->window, nullptr, b.left, b.top, b.width, b.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::hangBelow(const Form& above, Size size) {
    const PixelRect corner = pixelBounds(above.native_->window);
    const PixelSize pixels = toPixels(size);
    const PixelRect wanted{corner.left, corner.bottom(), pixels.width, pixels.height};
    const PixelRect b = wanted.hungWithin(win32::workAreaPixelsAt({wanted.left, wanted.top}));
    SetWindowPos(native_->window, nullptr, b.left, b.top, b.width, b.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The other coordinate stays in pixels as it is, which a trip through units could move by one.
void Form::setLeft(int left) {
    SetWindowPos(native_->window, nullptr, toPixels(left), pixelBounds(native_->window).top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::setTop(int top) {
    SetWindowPos(native_->window, nullptr, pixelBounds(native_->window).left, toPixels(top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::followPointerSideways(int grabX) {
    POINT pointer{};
    if (!GetCursorPos(&pointer)) return;
    const PixelRect now = pixelBounds(native_->window);
    const int frame = win32::clientOriginOf(native_->window).x - now.left;
    SetWindowPos(native_->window, nullptr, pointer.x - toPixels(grabX) - frame, now.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Size Form::clientSize() const {
    return toUnits(clientSizeOf(native_->window));
}

void Form::setClientSize(Size units) {
    const PixelSize size = toPixels(units);
    RECT frame{0, 0, size.width, size.height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(windowStyle()), FALSE,
                       static_cast<DWORD>(extendedStyle()));
    SetWindowPos(native_->window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Form::caption() const {
    return win32::windowText(native_->window);
}

void Form::setCaption(const std::string& caption) {
    SetWindowTextW(native_->window, win32::widen(caption).c_str());
}

bool Form::visible() const {
    return IsWindowVisible(native_->window) != FALSE;
}

bool Form::enabled() const {
    return IsWindowEnabled(native_->window) != FALSE;
}

ChildControl* Form::focusedControl() const {
    ChildControl* control = win32::controlOfWindow(GetFocus());
    return control && &control->form() == this ? control : nullptr;
}

void Form::showWindow() {
    ShowWindow(native_->window, SW_SHOW);
}

void Form::hideWindow() {
    hideHintTip(*native_);
    ShowWindow(native_->window, SW_HIDE);
}

void Form::showTopmost() {
    const bool wasVisible = visible();
    const PixelRect b = pixelBounds(native_->window);
    SetWindowPos(native_->window, HWND_TOPMOST, b.left, b.top, b.width, b.height, SWP_SHOWWINDOW);
    if (!wasVisible && visible()) FormEvents::shown(*this, true);
}

bool Form::isForeground() const {
    return GetForegroundWindow() == native_->window;
}

void Form::bringToForeground() {
    SetForegroundWindow(native_->window);
}

void Form::setColor(Color color) {
    color_ = color;
    // The controls stand on the form's colour too.
    RedrawWindow(native_->window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::uint32_t Form::windowStyle() const {
    return static_cast<std::uint32_t>(GetWindowLongW(native_->window, GWL_STYLE));
}

void Form::setWindowStyle(std::uint32_t style) {
    SetWindowLongW(native_->window, GWL_STYLE, static_cast<LONG>(style));
    applyStyleChange(native_->window);
}

std::uint32_t Form::extendedStyle() const {
    return static_cast<std::uint32_t>(GetWindowLongW(native_->window, GWL_EXSTYLE));
}

void Form::setExtendedStyle(std::uint32_t style) {
    SetWindowLongW(native_->window, GWL_EXSTYLE, static_cast<LONG>(style));
    applyStyleChange(native_->window);
}

void Form::invalidate() {
    InvalidateRect(native_->window, nullptr, FALSE);
}
void Form::close() {
    SendMessageW(native_->window, WM_CLOSE, 0, 0);
}

// A form that paints every pixel itself is painted straight onto its window, clipped to the
// area; any other goes through the ordinary paint message, sent at once, whose paint context
// is clipped to what is invalid.
void Form::repaintNow(const Rect& area) {
    if (!paintsWholeClient) {
        const RECT r = win32::toRECT(toPixels(area));
        InvalidateRect(native_->window, &r, FALSE);
        UpdateWindow(native_->window);
        return;
    }
    const win32::WindowDC dc(native_->window);
    win32::GdiCanvas canvas(dc.get());
    canvas.setClip(area);
    FormEvents::paint(*this, canvas);
}

// The system moves the area's part of what is waiting to be painted along with its pixels.
void Form::scrollArea(const Rect& area, int dy) {
    const RECT moved = win32::toRECT(toPixels(area));
    if (dy * displayDpi() % kDesignDpi != 0) {
        InvalidateRect(native_->window, &moved, FALSE);
        return;
    }
    ScrollWindowEx(native_->window, 0, dy * displayDpi() / kDesignDpi, &moved, &moved, nullptr,
                   nullptr, SW_INVALIDATE);
}

void Form::drawOnWindow(const std::function<void(Canvas&)>& draw) {
    const win32::WindowDC dc(native_->window);
    win32::GdiCanvas canvas(dc.get());
    draw(canvas);
}

void Form::showHintNow(const std::string& text) {
    if (text.empty())
        hideHintTip(*native_);
    else
        showHintTip(*native_, text);
}

void Form::showHintAt(const std::string& text, Point at) {
    showHintTip(*native_, text, win32::screenPixelsOf(native_->window, at));
}

// WM_SETCURSOR does not come while the mouse is captured, so the shape is set here as well.
void Form::setCursorNow(Cursor shape) {
    cursor = shape;
    SetCursor(win32::loadCursor(shape));
}
void Form::postClose() {
    PostMessageW(native_->window, WM_CLOSE, 0, 0);
}

void Form::trackMouseLeave() {
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, native_->window, 0};
    TrackMouseEvent(&leave);
}

namespace {

// A form's size in units and its controls' places, all at the scale they were made for.
struct UnitsPlaces {
    Form* form;
    Size size;
    std::vector<std::pair<ChildControl*, Rect>> controls;
};

UnitsPlaces unitsPlacesOf(Form& form) {
    UnitsPlaces places{&form, {form.width(), form.height()}, {}};
    for (ChildControl* control : form.childControls())
        places.controls.emplace_back(control, control->bounds());
    return places;
}

} // namespace

void win32::scaleChanged(Form& moved, int dpi, const RECT& suggested) {
    if (dpi == displayDpi()) return;
    std::vector<UnitsPlaces> before;
    for (Form* form : native::liveForms())
        before.push_back(unitsPlacesOf(*form));
    setDisplayDpi(dpi);
    for (const UnitsPlaces& places : before) {
        const HWND window = windowOf(*places.form);
        PixelRect place = pixelBounds(window);
        if (places.form == &moved) {
            place = win32::pixelRectOf(suggested);
        } else {
            const PixelSize size = toPixels(places.size);
            place.width = size.width;
            place.height = size.height;
        }
        SetWindowPos(window, nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        for (const auto& [control, bounds] : places.controls)
            control->setBounds(bounds);
        FormEvents::dpiChanged(*places.form);
    }
}

} // namespace platform
