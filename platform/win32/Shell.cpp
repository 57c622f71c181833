#include "platform/Shell.h"

#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

#include <optional>
#include <windows.h>

#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

namespace platform {
namespace {

using win32::ComPtr;
using win32::widen;

// The path in UTF-16, or nothing when it is longer than the shell-link calls take.
std::optional<std::wstring> shellPath(const std::string& path) {
    std::wstring wide = widen(path);
    if (wide.size() > kMaxShellPath) return std::nullopt;
    return wide;
}

HRESULT createLinkObject(ComPtr<IShellLinkW>& link) {
    return CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                            link.receive());
}

} // namespace

struct ShellLinkReader::Native {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
};

ShellLinkReader::ShellLinkReader() = default;
ShellLinkReader::~ShellLinkReader() = default;

int createShellLink(const std::string& target, const std::string& linkPath,
                    const std::string& description) {
    const auto widePath = shellPath(linkPath);
    const auto wideTarget = shellPath(target);
    if (!widePath || !wideTarget) return kShellInvalidPath;
    ComPtr<IShellLinkW> link;
    HRESULT result = createLinkObject(link);
    if (FAILED(result)) return result;
    link->SetPath(wideTarget->c_str());
    link->SetDescription(widen(description).c_str());
    ComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.receive());
    if (FAILED(result)) return result;
    return file->Save(widePath->c_str(), TRUE);
}

std::string ShellLinkReader::target(const std::string& linkPath) {
    const auto widePath = shellPath(linkPath);
    if (!widePath) return "";
    if (!native_) {
        auto made = std::make_unique<Native>();
        if (FAILED(createLinkObject(made->link)) ||
            FAILED(made->link->QueryInterface(IID_IPersistFile, made->file.receive())))
            return "";
        native_ = std::move(made);
    }
    // A load that fails leaves the object holding the previous file's path, so nothing may be
    // read from it then. A load that succeeds replaces everything, an empty path included.
    if (FAILED(native_->file->Load(widePath->c_str(), STGM_READ))) return "";
    wchar_t target[MAX_PATH] = L"";
    WIN32_FIND_DATAW unused;
    if (FAILED(native_->link->GetPath(target, MAX_PATH, &unused, SLGP_UNCPRIORITY))) return "";
    return win32::narrow(target);
}

std::string shellLinkTarget(const std::string& linkPath) {
    return ShellLinkReader().target(linkPath);
}

// Asking for the index puts the picture into every one of the shell's image lists, at the same
// place in each, and hands out nothing that would have to be given back.
ShellIcon shellIconOf(const std::string& path) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(widen(path).c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX)) return {};
    return ShellIcon(info.iIcon);
}

void shellExecute(const std::string& file, const char* verb) {
    const std::wstring wideFile = widen(file);
    const std::wstring wideVerb = verb ? widen(verb) : std::wstring();
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.lpVerb = verb ? wideVerb.c_str() : nullptr;
    request.lpFile = wideFile.c_str();
    request.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&request);
}

} // namespace platform
