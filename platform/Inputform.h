#pragma once
// The input box's dialog, made of the standard controls: a prompt above an edit box, an OK
// button that Enter presses and a Cancel button that Escape presses.

#include "platform/Controls.h"
#include "platform/Form.h"

#include <string>

namespace platform {

class InputForm : public Form {
public:
    InputForm();

    // Shows the form modally with `initial` in the box, all of it selected; returns the text as
    // it stood when OK was pressed, else `initial`.
    std::string ask(const std::string& caption, const std::string& prompt,
                    const std::string& initial);

private:
    Label prompt_;
    EditBox edit_;
    PushButton ok_;
    PushButton cancel_;
    bool confirmed_ = false;
};

} // namespace platform
