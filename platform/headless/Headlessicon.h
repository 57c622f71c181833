#pragma once
// What an icon handle points to on the headless backend, and a count of the live ones so that
// tests can see that every icon is given back.

#include <string>

namespace platform::headless {

struct HeadlessIcon {
    int size;           // 16 or 32
    std::string source; // the path the icon was taken from
};

// Creates the thing a headless icon handle points to; platform::Icon destroys it.
void* createIconHandle(int size, std::string source);
int liveIconCount();

} // namespace platform::headless
