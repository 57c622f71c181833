#include "platform/Shell.h"

#include "platform/win32/Com.h"

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

std::string shellLinkTarget(const std::string& linkPath) {
    wchar_t widePath[MAX_PATH];
    if (!toWidePath(linkPath, widePath)) return "";
    ComPtr<IShellLinkA> link;
    if (FAILED(createLinkObject(link))) return "";
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.receive()))) return "";
    if (FAILED(file->Load(widePath, STGM_READ))) return "";
    char target[MAX_PATH] = "";
    WIN32_FIND_DATAA unused;
    if (FAILED(link->GetPath(target, MAX_PATH, &unused, SLGP_UNCPRIORITY))) return "";
    return target;
}

std::unique_ptr<Icon> shellIcon(const std::string& path, ShellIconSize size) {
    SHFILEINFOA info{};
    const UINT flags = SHGFI_ICON | (size == ShellIconSize::Small ? SHGFI_SMALLICON : 0);
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, flags) || !info.hIcon) return nullptr;
    return std::make_unique<Icon>(info.hIcon);
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
