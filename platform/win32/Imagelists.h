#pragma once
// The shell's system image lists, which hold the picture of every icon the shell has looked up
// for this process, one list per size, all at the same places.

#include "platform/Shellicon.h"

#include <windows.h>

namespace platform::win32 {

// Draws `icon` from the shell's list of `size` pixels with its corner at `at`. Where the shell
// keeps no list of that size, the largest smaller picture is drawn centred in the square: a
// picture is never stretched.
void drawShellIcon(HDC dc, POINT at, ShellIcon icon, int size);

} // namespace platform::win32
