#pragma once
// Libraries that are not among Windows' known system libraries are looked for first beside the
// executable, and Kestrum's folder is one anyone may write to (a downloads folder, often). Such
// a library is therefore never imported: it is loaded from the system folder by its full path,
// its functions looked up once.

#include <windows.h>

namespace platform::win32 {

// The library `name` (such as L"oleacc.dll") from the system folder, loaded by its full path and
// never freed; nullptr when it cannot be loaded from there.
HMODULE systemLibrary(const wchar_t* name);

// The function `name` of the system library `library` as a pointer of the type `Function`;
// nullptr when either cannot be had.
template <class Function> Function* systemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = systemLibrary(library);
    return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

} // namespace platform::win32
