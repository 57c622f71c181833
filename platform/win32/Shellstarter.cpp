// Starts in the shell on a worker thread (startInShell, Shell.h). The user-interface thread only
// queues the file and goes back to its message loop, which draws the windows it has just hidden;
// the worker, with COM initialised as the shell needs it, waits for the shell. A failure travels
// back to the user-interface thread through a message-only window made there.
//
// KESTRUM_START_HOLD_MS, when set, makes the worker wait that many milliseconds before each
// start: the tests' stand-in for a shell that does not answer.
#include "platform/Shell.h"

#include "platform/System.h"
#include "platform/win32/Messagewindow.h"
#include "platform/win32/Wide.h"

#include <windows.h>

#include <cstdlib>
#include <deque>
#include <memory>
#include <mutex>
#include <objbase.h>
#include <optional>
#include <shellapi.h>
#include <string>

namespace platform {
namespace {

// wParam: the system's error code; lParam: the file, a std::wstring the receiver deletes.
constexpr UINT kStartFailed = WM_APP + 1;

// The system's text of `error`, with the file named where it says "%1".
std::string systemMessage(DWORD error, const std::wstring& file) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length ? std::wstring(text, length) : L"Error " + std::to_wstring(error);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
        message.pop_back();
    if (const std::size_t insert = message.find(L"%1"); insert != std::wstring::npos)
        message.replace(insert, 2, file);
    return win32::narrow(message);
}

LRESULT CALLBACK reportProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kStartFailed) {
        const std::unique_ptr<std::wstring> file(reinterpret_cast<std::wstring*>(lParam));
        showErrorBox(systemMessage(static_cast<DWORD>(wParam), *file));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

DWORD holdBeforeEachStart() {
    const char* hold = std::getenv("KESTRUM_START_HOLD_MS");
    return hold ? static_cast<DWORD>(std::strtoul(hold, nullptr, 10)) : 0;
}

class Starter {
public:
    Starter()
        : report_(win32::makeMessageWindow(L"KestrumStartReport", reportProcedure)), wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
          hold_(holdBeforeEachStart()) {
        // Lives until the process ends; a start still queued then is not made.
        if (const HANDLE thread = CreateThread(nullptr, 0, run, this, 0, nullptr))
            CloseHandle(thread);
    }

    void start(const std::string& file) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            files_.push_back(win32::widen(file));
        }
        SetEvent(wake_);
    }

private:
    static DWORD WINAPI run(void* self) {
        // Shell extensions may be COM objects of the apartment kind, and DDE is not wanted.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        static_cast<Starter*>(self)->serve();
        return 0;
    }

    // An apartment thread keeps its messages flowing while it waits.
    void serve() {
        for (;;) {
            MsgWaitForMultipleObjects(1, &wake_, FALSE, INFINITE, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
            while (const auto file = next()) {
                if (hold_) Sleep(hold_);
                startNow(*file);
            }
        }
    }

    std::optional<std::wstring> next() {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (files_.empty()) return std::nullopt;
        std::wstring file = std::move(files_.front());
        files_.pop_front();
        return file;
    }

    void startNow(const std::wstring& file) {
        SHELLEXECUTEINFOW request{};
        request.cbSize = sizeof request;
        request.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
        request.lpFile = file.c_str();
        request.nShow = SW_SHOWNORMAL;
        if (ShellExecuteExW(&request)) return;
        const DWORD error = GetLastError();
        auto named = std::make_unique<std::wstring>(file);
        if (PostMessageW(report_, kStartFailed, error, reinterpret_cast<LPARAM>(named.get())))
            named.release();
    }

    HWND report_;
    HANDLE wake_;
    DWORD hold_;
    std::mutex mutex_;
    std::deque<std::wstring> files_;
};

} // namespace

void startInShell(const std::string& file) {
    // Made on the first call, on the user-interface thread, and never destroyed: the worker may
    // still be waiting for the shell while the program ends.
    static Starter* const starter = new Starter;
    starter->start(file);
}

} // namespace platform
