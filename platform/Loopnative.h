#pragma once
// Between the shared message loop (Messageloop.cpp) and the backends.

#include <vector>

namespace platform {
class Form;
}

namespace platform::native {

// Runs one slice of the idle work set with setIdleWork; false when there is none (left).
bool runIdleSlice();

// Per backend: hands the system's messages to the forms until the program ends. Headless, the
// tests deliver every event themselves, so it returns at once.
void dispatchUntilQuit();

// A form is going away: it can no longer be the main form.
void forgetForm(const Form& form);

// Every form that exists now (per backend).
std::vector<Form*> liveForms();

} // namespace platform::native
