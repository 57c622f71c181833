// Times our INI engine on a 2,000-key section: reading every key, and writing one key into that
// file. Built for Windows, it times the system's profile functions on the same file beside it.
#include "platform/Files.h"
#include "platform/Inifile.h"

#include "bench/Benchtools.h"

#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr int kKeys = 2000;

std::string sectionText() {
    std::string text = "[Other]\r\nkey=value\r\n[Big]\r\n";
    for (int i = 0; i < kKeys; ++i)
        text += std::to_string(i) + "=Some program title " + std::to_string(i) + ".lnk\r\n";
    return text;
}

struct Figures {
    double readAll;
    double writeOne;
};

Figures timeOurs(const std::string& path) {
    platform::IniFile ini(path);
    Figures figures{};
    figures.readAll = bench::millisecondsFor([&] {
        for (const auto& key : ini.readKeyNames("Big"))
            ini.readString("Big", key, "");
    });
    figures.writeOne =
        bench::millisecondsFor([&] { ini.writeString("Big", "1000", "changed.lnk"); });
    return figures;
}

#ifdef _WIN32
Figures timeProfile(const std::string& path) {
    Figures figures{};
    figures.readAll = bench::millisecondsFor([&] {
        static char names[16384];
        GetPrivateProfileStringA("Big", nullptr, "", names, sizeof names, path.c_str());
        char value[2048];
        for (const char* key = names; *key; key += std::strlen(key) + 1)
            GetPrivateProfileStringA("Big", key, "", value, sizeof value, path.c_str());
    });
    figures.writeOne = bench::millisecondsFor(
        [&] { WritePrivateProfileStringA("Big", "1000", "changed.lnk", path.c_str()); });
    return figures;
}
#endif

} // namespace

int main() {
    const std::string folder = bench::scratchFolder("kestrum-bench");
    platform::createFolder(folder);
    const std::string ours = folder + "\\ours.txt";
    platform::replaceFile(ours, sectionText());
    const Figures engine = timeOurs(ours);
    std::printf("%-22s %12s %12s\n", "2,000-key section", "read all ms", "write 1 ms");
    std::printf("%-22s %12.2f %12.2f\n", "Kestrum INI engine", engine.readAll, engine.writeOne);
#ifdef _WIN32
    const std::string theirs = folder + "\\profile.txt";
    platform::replaceFile(theirs, sectionText());
    const Figures profile = timeProfile(theirs);
    std::printf("%-22s %12.2f %12.2f\n", "profile functions", profile.readAll, profile.writeOne);
    std::printf("%-22s %12.2f %12.2f\n", "ratio (ours/profile)", engine.readAll / profile.readAll,
                engine.writeOne / profile.writeOne);
    platform::deleteFile(theirs);
#endif
    platform::deleteFile(ours);
    platform::removeFolder(folder);
    return 0;
}
