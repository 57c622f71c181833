// A stand-in program for the end-to-end tests to start. Each run appends one line, its arguments
// joined by blanks, to a file named after its own path plus ".ran", and exits: copies under
// different names keep separate records, so a test sees from outside which one ran and how often.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    std::string line;
    for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
    line += "\r\n";
    FILE* record = std::fopen((std::string(path, length) + ".ran").c_str(), "ab");
    if (!record) return 1;
    const bool written = std::fwrite(line.data(), 1, line.size(), record) == line.size();
    return std::fclose(record) == 0 && written ? 0 : 1;
}
