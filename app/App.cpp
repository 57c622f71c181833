#include "app/App.h"

App* theApp = nullptr;

App::App() : executablePath_(platform::executablePath()) {}

App::~App() {
    if (theApp == this) theApp = nullptr;
}

std::string App::folder() const {
    return executablePath_.substr(0, executablePath_.rfind('\\') + 1);
}
