#include "platform/Shell.h"

#include "platform/win32/Scoped.h"

#include <windows.h>

#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

namespace platform {
namespace {

using win32::ComPtr;

// The path in UTF-16 in a buffer of MAX_PATH characters; false when it does not fit.
bool toWidePath(const std::string& path, wchar_t (&wide)[MAX_PATH]) {
    if (path.size() > kMaxShellPath) return false;
    return MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) != 0;
}

HRESULT createLinkObject(ComPtr<IShellLinkA>& link) {
    return CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                            link.receive());
}

} // namespace

struct ShellLinkReader::Native {
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
};

ShellLinkReader::ShellLinkReader() = default;
ShellLinkReader::~ShellLinkReader() = default;

int createShellLink(const std::string& target, const std::string& linkPath,
                    const std::string& description) {
    wchar_t widePath[MAX_PATH];
    if (!toWidePath(linkPath, widePath) || target.size() > kMaxShellPath) return kShellInvalidPath;
    ComPtr<IShellLinkA> link;
    HRESULT result = createLinkObject(link);
    if (FAILED(result)) return result;
    link->SetPath(target.c_str());
    link->SetDescription(description.c_str());
    ComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.receive());
    if (FAILED(result)) return result;
    return file->Save(widePath, TRUE);
}

std::string ShellLinkReader::target(const std::string& linkPath) {
    wchar_t widePath[MAX_PATH];
    if (!toWidePath(linkPath, widePath)) return "";
    if (!native_) {
        auto made = std::make_unique<Native>();
        if (FAILED(createLinkObject(made->link)) ||
            FAILED(made->link->QueryInterface(IID_IPersistFile, made->file.receive())))
            return "";
        native_ = std::move(made);
    }
    // A load that fails leaves the object holding the previous file's path, so nothing may be
    // read from it then. A load that succeeds replaces everything, an empty path included.
    if (FAILED(native_->file->Load(widePath, STGM_READ))) return "";
    char target[MAX_PATH] = "";
    WIN32_FIND_DATAA unused;
    if (FAILED(native_->link->GetPath(target, MAX_PATH, &unused, SLGP_UNCPRIORITY))) return "";
    return target;
}

std::string shellLinkTarget(const std::string& linkPath) {
    return ShellLinkReader().target(linkPath);
}

// Asking for the index puts the picture into every one of the shell's image lists, at the same
// place in each, and hands out nothing that would have to be given back.
ShellIcon shellIconOf(const std::string& path) {
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX)) return {};
    return ShellIcon(info.iIcon);
}

void shellExecute(const std::string& file, const char* verb) {
    SHELLEXECUTEINFOA request{};
    request.cbSize = sizeof request;
    request.lpVerb = verb;
    request.lpFile = file.c_str();
    request.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&request);
}

} // namespace platform
