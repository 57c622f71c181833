// A stand-in program for the end-to-end tests to start. Each run appends one line, its arguments
// joined by blanks in UTF-8, to a file named after its own path plus ".ran", and exits: copies
// under different names keep separate records, so a test sees from outside which one ran and how
// often. Its path and arguments are read in their wide form, so a copy may be named in any script.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, converted.data(), length, nullptr, nullptr);
    converted.resize(converted.empty() ? 0 : converted.size() - 1);
    return converted;
}

} // namespace

int main() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::string line;
    for (int i = 1; argv && i < argc; ++i)
        line += (i > 1 ? " " : "") + utf8(argv[i]);
    line += "\r\n";
    FILE* record = _wfopen((std::wstring(path, length) + L".ran").c_str(), L"ab");
    if (!record) return 1;
    const bool written = std::fwrite(line.data(), 1, line.size(), record) == line.size();
    return std::fclose(record) == 0 && written ? 0 : 1;
}
