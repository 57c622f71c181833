// The Start menu's folders from the shell's known folders, and a thread that waits for the file
// system's change notifications on them and hands each change to a message-only window made on
// the thread that made the StartMenu.
#include "platform/Startmenu.h"

#include "platform/Files.h"
#include "platform/win32/Messagewindow.h"
#include "platform/win32/Wide.h"

#include <windows.h>

#include <atomic>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

namespace platform {
namespace {

constexpr UINT kChanged = WM_APP + 1;
constexpr DWORD kWhatChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE;

std::string knownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path)))
        folder = win32::narrow(path);
    CoTaskMemFree(path);
    return folder;
}

} // namespace

struct StartMenu::Native {
    explicit Native(StartMenu& owner) : owner_(owner) {}

    bool start(const std::vector<std::string>& folders) {
        for (const std::string& folder : folders) {
            const HANDLE watch =
                FindFirstChangeNotificationW(win32::widen(folder).c_str(), TRUE, kWhatChanges);
            if (watch != INVALID_HANDLE_VALUE) handles_.push_back(watch);
        }
        if (handles_.empty()) return false;
        window_ = win32::makeMessageWindow(L"KestrumStartMenuWatch", procedure);
        stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!window_ || !stop_) return false;
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
        return thread_ != nullptr;
    }

    ~Native() {
        if (thread_) {
            SetEvent(stop_);
            WaitForSingleObject(thread_, INFINITE);
            CloseHandle(thread_);
        }
        if (stop_) CloseHandle(stop_);
        for (const HANDLE watch : handles_)
            FindCloseChangeNotification(watch);
        // A change posted but not yet received goes with the window.
        if (window_) DestroyWindow(window_);
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kChanged) {
            if (auto* self = reinterpret_cast<Native*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
                self->pending_ = false;
                if (self->owner_.changed_) self->owner_.changed_();
            }
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    static DWORD WINAPI run(void* self) {
        static_cast<Native*>(self)->watch();
        return 0;
    }

    // Sleeps until a folder changes or the object goes; a change already handed over and not
    // yet received is not handed over again.
    void watch() {
        std::vector<HANDLE> waited{stop_};
        waited.insert(waited.end(), handles_.begin(), handles_.end());
        for (;;) {
            const DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(waited.size()),
                                                       waited.data(), FALSE, INFINITE);
            if (woken == WAIT_OBJECT_0 || woken >= WAIT_OBJECT_0 + waited.size()) return;
            if (!FindNextChangeNotification(waited[woken - WAIT_OBJECT_0])) return;
            if (!pending_.exchange(true)) PostMessageW(window_, kChanged, 0, 0);
        }
    }

    StartMenu& owner_;
    std::vector<HANDLE> handles_;
    HWND window_ = nullptr;
    HANDLE stop_ = nullptr;
    HANDLE thread_ = nullptr;
    std::atomic<bool> pending_{false};
};

StartMenu::StartMenu(std::function<void()> changed) : changed_(std::move(changed)) {
    for (REFKNOWNFOLDERID id : {FOLDERID_Programs, FOLDERID_CommonPrograms}) {
        const std::string folder = knownFolder(id);
        if (!folder.empty() && folderExists(folder)) folders_.push_back(folder);
    }
    native_ = std::make_unique<Native>(*this);
    // Without notifications no change is told, and the folders can still be read.
    if (!native_->start(folders_)) native_.reset();
}

StartMenu::~StartMenu() = default;

} // namespace platform
