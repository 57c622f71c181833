#include "platform/Shell.h"

#include "platform/Dpi.h"
#include "platform/Sharedpictures.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Shellpicture.h"
#include "platform/win32/Wide.h"

#include <memory>
#include <optional>
#include <utility>
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

namespace {

// A picture's key: the icon's file in capitals and its index, or for an icon the shell names by
// no file, "" and its place in the shell's own lists.
using PictureKey = std::pair<std::wstring, int>;

// Kept for the whole process, so that an icon let go of at its very end still finds it.
SharedPictures<PictureKey, ShellPicture>& livingPictures() {
    static auto* pictures = new SharedPictures<PictureKey, ShellPicture>();
    return *pictures;
}

std::wstring capitals(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// A location may name its file through the environment ("%SystemRoot%\...").
std::wstring expanded(const wchar_t* file) {
    wchar_t buffer[MAX_PATH];
    const DWORD length = ExpandEnvironmentStringsW(file, buffer, MAX_PATH);
    return length > 0 && length <= MAX_PATH ? buffer : file;
}

// The shell shows its own generic page for the first icon of its own library, which is that
// library's icon 1 on Windows; under Wine the first icon in the file is another picture.
int shownIndex(const std::wstring& file, int index) {
    const std::wstring name = capitals(file.substr(file.find_last_of(L"\\/") + 1));
    return index == 0 && name == L"SHELL32.DLL" ? -1 : index;
}

} // namespace

// Asking for the icon's location adds nothing to the shell's image lists. An icon the shell names
// by no file is known by its place in those lists: asking for that place adds it there, for the
// few such icons only.
IconPlace shellIconPlace(const std::string& path) {
    const std::wstring widePath = widen(path);
    SHFILEINFOW info{};
    if (SHGetFileInfoW(widePath.c_str(), 0, &info, sizeof info, SHGFI_ICONLOCATION) &&
        info.szDisplayName[0]) {
        const std::wstring file = expanded(info.szDisplayName);
        return {path, win32::narrow(file), shownIndex(file, info.iIcon), true};
    }
    if (!SHGetFileInfoW(widePath.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX))
        return {path, "", 0, false};
    return {path, "", info.iIcon, true};
}

ShellIcon shellIconAt(const IconPlace& place) {
    if (!place.found) return {};
    std::wstring path = widen(place.path);
    if (place.file.empty())
        return ShellIcon(livingPictures().share(
            {L"", place.index}, [&] { return std::make_unique<ShellPicture>(std::move(path)); }));
    std::wstring file = widen(place.file);
    return ShellIcon(livingPictures().share({capitals(file), place.index}, [&] {
        return std::make_unique<ShellPicture>(std::move(file), place.index, std::move(path));
    }));
}

void prepareShellIcon(const ShellIcon& icon, int size) {
    if (icon) icon.picture()->at(toPixels(size));
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
