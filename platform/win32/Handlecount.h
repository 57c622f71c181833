#pragma once
// Counts the GDI objects and memory device contexts the program holds, so that a leak shows from
// outside: Wine answers GetGuiResources with 0. With KESTRUM_HANDLE_REPORT naming a file, the
// message loop writes the counts there every second (with the windows held).

namespace platform::win32::handles {

enum Kind { GdiObject, DeviceContext, kKinds };

void created(Kind kind);
void freed(Kind kind);

// Starts the reports when the environment asks for them.
void startReportIfAsked();

} // namespace platform::win32::handles
