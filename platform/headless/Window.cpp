// The headless window system: forms are records of their place, styles and visibility; the
// pointer, the screen width and the clock are whatever the tests set.
#include "platform/Control.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Menu.h"
#include "platform/Process.h"
#include "platform/System.h"
#include "platform/headless/Formnative.h"
#include "platform/headless/Headless.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <set>
#include <stdexcept>

namespace platform {
namespace {

struct ScheduledTimer {
    Timer* timer;
    long long due;
    long long startOrder;
};

struct World {
    int screenWidth = 1024;
    int screenHeight = 768;
    std::optional<Point> cursor = Point{0, 0};
    long long now = 0;
    long long startCount = 0;
    std::vector<ScheduledTimer> timers;
    std::vector<Form*> postedCloses;
    bool quit = false;
    Form* mainForm = nullptr;
    Form* foreground = nullptr;
    std::vector<headless::MessageBoxRecord> messageBoxes;
    std::deque<int> answers;
    std::set<std::string> heldNames;
    std::function<bool()> idleWork;
    Cursor pointerShape = Cursor::Default;
    std::vector<headless::MenuRecord> menus;
    std::deque<std::string> menuChoices;
    std::vector<Form*> forms;
    std::deque<std::function<void(Form&)>> modalScripts;
};

World& world() {
    static World theWorld;
    return theWorld;
}

ScheduledTimer* nextDue(long long until) {
    ScheduledTimer* next = nullptr;
    for (ScheduledTimer& entry : world().timers) {
        if (entry.due > until) continue;
        if (!next || entry.due < next->due ||
            (entry.due == next->due && entry.startOrder < next->startOrder))
            next = &entry;
    }
    return next;
}

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

// The other forms that take input, which a modal show disables until it ends.
class DisabledForms {
public:
    explicit DisabledForms(const Form& modal) {
        for (Form* form : world().forms) {
            if (form == &modal || !form->visible() || !form->native().enabled) continue;
            form->native().enabled = false;
            forms_.push_back(form);
        }
    }
    ~DisabledForms() {
        auto& live = world().forms;
        for (Form* form : forms_)
            if (std::find(live.begin(), live.end(), form) != live.end())
                form->native().enabled = true;
    }
    DisabledForms(const DisabledForms&) = delete;
    DisabledForms& operator=(const DisabledForms&) = delete;

private:
    std::vector<Form*> forms_;
};

ShiftState heldButton(MouseButton button) {
    ShiftState shift;
    shift.leftButton = button == MouseButton::Left;
    shift.rightButton = button == MouseButton::Right;
    shift.middleButton = button == MouseButton::Middle;
    return shift;
}

} // namespace

Form::Form(FormKind kind) : kind_(kind), native_(std::make_unique<Native>(kind)) {
    world().forms.push_back(this);
}

Form::~Form() {
    auto& posted = world().postedCloses;
    posted.erase(std::remove(posted.begin(), posted.end(), this), posted.end());
    auto& forms = world().forms;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (world().mainForm == this) world().mainForm = nullptr;
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
void Form::setLeft(int left) {
    native_->bounds.left = left;
}
void Form::setTop(int top) {
    native_->bounds.top = top;
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
void Form::show() {
    if (native_->visible) return;
    native_->visible = true;
    if (!native_->focused) native_->focused = nextTabStop(nullptr);
    FormEvents::shown(*this, true);
}

void Form::showModal() {
    if (visible()) throw std::logic_error("A form already showing cannot be shown modally");
    const DisabledForms others(*this);
    FormEvents::modal(*this, true);
    show();
    if (!world().modalScripts.empty()) {
        const auto script = std::move(world().modalScripts.front());
        world().modalScripts.pop_front();
        script(*this);
    }
    if (visible()) close();
    FormEvents::modal(*this, false);
}

void Form::hide() {
    if (!native_->visible) return;
    native_->visible = false;
    native_->hint.clear();
    if (world().foreground == this) world().foreground = nullptr;
    FormEvents::releaseCapture(*this);
    FormEvents::shown(*this, false);
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
void Form::postClose() {
    world().postedCloses.push_back(this);
}

void Form::repaintNow(const Rect& area) {
    native_->repainted.push_back(area);
    headless::RasterCanvas canvas(screenOf(*this), area);
    FormEvents::paint(*this, canvas);
}

void Form::drawOnWindow(const std::function<void(Canvas&)>& draw) {
    headless::RasterCanvas canvas(screenOf(*this));
    draw(canvas);
}

void Form::showHintNow(const std::string& text) {
    native_->hint = text;
}

void Form::setCursorNow(Cursor shape) {
    cursor = shape;
    world().pointerShape = shape;
}

int PopupMenu::track(Form&, const std::vector<Item>& items, Point screenPos) {
    World& w = world();
    headless::MenuRecord shown{{}, screenPos};
    for (const Item& item : items)
        shown.captions.push_back(item.separator ? "-" : item.caption);
    w.menus.push_back(shown);
    if (w.menuChoices.empty()) return -1;
    const std::string choice = w.menuChoices.front();
    w.menuChoices.pop_front();
    const auto found = std::find(shown.captions.begin(), shown.captions.end(), choice);
    return found == shown.captions.end() ? -1 : int(found - shown.captions.begin());
}

void Timer::start() {
    World& w = world();
    w.timers.push_back({this, w.now + interval_, w.startCount++});
}

void Timer::stop() {
    auto& timers = world().timers;
    timers.erase(
        std::remove_if(timers.begin(), timers.end(),
                       [this](const ScheduledTimer& entry) { return entry.timer == this; }),
        timers.end());
}

std::optional<Point> cursorPos() {
    return world().cursor;
}
int screenWidth() {
    return world().screenWidth;
}
int screenHeight() {
    return world().screenHeight;
}

std::string applicationTitle() {
    const std::string path = executablePath();
    const std::string name = path.substr(path.rfind('\\') + 1);
    return name.substr(0, name.find('.'));
}

int messageBox(const Form*, const std::string& text, const std::string& caption, unsigned style) {
    World& w = world();
    w.messageBoxes.push_back({text, caption, style});
    if (!w.answers.empty()) {
        const int answer = w.answers.front();
        w.answers.pop_front();
        return answer;
    }
    if ((style & 0x0F) != MessageBoxStyle::YesNo) return MessageBoxAnswer::Ok;
    return style & MessageBoxStyle::DefaultButton2 ? MessageBoxAnswer::No : MessageBoxAnswer::Yes;
}

void showErrorBox(const std::string& message) {
    messageBox(nullptr, message, applicationTitle(), MessageBoxStyle::IconError);
}

// Names are held within the process, which is all one test binary can see.
SingleInstance::SingleInstance(const std::string& name)
    : handle_(world().heldNames.insert(name).second ? new std::string(name) : nullptr),
      acquired_(handle_ != nullptr) {}

SingleInstance::~SingleInstance() {
    const std::unique_ptr<std::string> name(static_cast<std::string*>(handle_));
    if (name) world().heldNames.erase(*name);
}
void raiseTopmostWindows() {}
void initCommonControls() {}

void setIdleWork(std::function<bool()> slice) {
    world().idleWork = std::move(slice);
}

void runMessageLoop(Form& mainForm) {
    world().mainForm = &mainForm;
    mainForm.show();
}

bool isMainForm(const Form& form) {
    return world().mainForm == &form;
}
void quitMessageLoop() {
    world().quit = true;
}

namespace headless {

void resetWorld() {
    World& w = world();
    w.screenWidth = 1024;
    w.screenHeight = 768;
    w.cursor = Point{0, 0};
    w.now = 0;
    for (ScheduledTimer& entry : w.timers)
        entry.due = entry.timer->interval();
    w.postedCloses.clear();
    w.quit = false;
    w.messageBoxes.clear();
    w.answers.clear();
    w.idleWork = nullptr;
    w.pointerShape = Cursor::Default;
    w.menus.clear();
    w.menuChoices.clear();
    w.modalScripts.clear();
    resetDialogs();
}

void setScreenWidth(int width) {
    world().screenWidth = width;
}
void setCursorPos(std::optional<Point> pos) {
    world().cursor = pos;
}

void advanceTime(int ms) {
    World& w = world();
    const long long until = w.now + ms;
    while (ScheduledTimer* entry = nextDue(until)) {
        w.now = entry->due;
        entry->due += std::max(1, entry->timer->interval());
        Timer& timer = *entry->timer; // the entry may go while the handler runs
        FormEvents::timer(timer.owner(), timer.id());
    }
    w.now = until;
}

void mouseMove(Form& form, Point pos, ShiftState shift) {
    FormEvents::mouseMove(form, {pos, MouseButton::Left, shift});
}

void mouseDown(Form& form, MouseButton button, Point pos) {
    FormEvents::mouseDown(form, {pos, button, heldButton(button)});
}

// As on Windows, a right-button release goes on to ask for the context menu.
void mouseUp(Form& form, MouseButton button, Point pos) {
    FormEvents::mouseUp(form, {pos, button, {}});
    if (button == MouseButton::Right) FormEvents::contextPopup(form, pos);
}

// The second press of a double click comes as the double click and then as a press.
void doubleClick(Form& form, Point pos) {
    mouseDown(form, MouseButton::Left, pos);
    mouseUp(form, MouseButton::Left, pos);
    FormEvents::doubleClick(form);
    mouseDown(form, MouseButton::Left, pos);
    mouseUp(form, MouseButton::Left, pos);
}

void contextMenuKey(Form& form) {
    FormEvents::contextPopup(form, {-1, -1});
}
bool queryEndSession(Form& form) {
    return FormEvents::queryEndSession(form);
}

int runIdleWork(int maxSlices) {
    int slices = 0;
    while (slices < maxSlices && world().idleWork) {
        // The slice may replace the work while it runs, so it is called from a copy.
        const std::function<bool()> slice = world().idleWork;
        ++slices;
        if (!slice()) {
            world().idleWork = nullptr;
            break;
        }
    }
    return slices;
}

void deliverPostedMessages() {
    auto& posted = world().postedCloses;
    while (!posted.empty()) {
        Form* form = posted.front();
        posted.erase(posted.begin());
        form->close();
    }
}

bool quitRequested() {
    return world().quit;
}
Form* foregroundForm() {
    return world().foreground;
}
bool isTopmost(const Form& form) {
    return form.native().topmost;
}
int invalidationCount(const Form& form) {
    return form.native().invalidations;
}
const std::vector<MessageBoxRecord>& messageBoxes() {
    return world().messageBoxes;
}
void answerNextMessageBox(int answer) {
    world().answers.push_back(answer);
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

const std::vector<MenuRecord>& menusShown() {
    return world().menus;
}

void chooseNextMenuItem(std::string caption) {
    world().menuChoices.push_back(std::move(caption));
}

void runInNextModalShow(std::function<void(Form&)> script) {
    world().modalScripts.push_back(std::move(script));
}

} // namespace headless
} // namespace platform
