#include "platform/Inputform.h"

namespace platform {

InputForm::InputForm()
    : Form(FormKind::Dialog), prompt_(*this, {8, 8, 304, 16}), edit_(*this, {8, 28, 304, 21}),
      ok_(*this, {152, 64, 75, 25}, "OK"), cancel_(*this, {237, 64, 75, 25}, "Cancel") {
    setClientSize({320, 100});
    ok_.setDefault(true);
    ok_.onClick = [this] {
        confirmed_ = true;
        close();
    };
    cancel_.setCancel(true);
    cancel_.onClick = [this] { close(); };
}

std::string InputForm::ask(const std::string& caption, const std::string& prompt,
                           const std::string& initial) {
    setCaption(caption);
    prompt_.setText(prompt);
    edit_.setText(initial);
    edit_.selectAll();
    confirmed_ = false;
    centreOnScreen();
    showModal();
    return confirmed_ ? edit_.text() : initial;
}

} // namespace platform
