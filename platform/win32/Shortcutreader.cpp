// The reading thread and the user-interface thread share one queue of questions and one of
// answers. The thread holds its own share of them, so that the reader may go while the thread
// still waits for the shell: the thread finds the reader gone once the shell answers, and ends.
// Word that answers have come travels through a message-only window made on the reader's thread.
#include "platform/Shortcutreader.h"

#include "platform/win32/Messagewindow.h"

#include <windows.h>

#include <deque>
#include <mutex>
#include <objbase.h>
#include <optional>
#include <utility>

namespace platform {
namespace {

constexpr UINT kAnswered = WM_APP + 1;
// Answers are told this many at a time, or fewer when no question is left, so that the thread
// that asked is not woken for every one.
constexpr std::size_t kAnswersTold = 16;

struct Question {
    ShortcutReader::Ticket ticket;
    std::string linkPath;
};

struct Queues {
    Queues() : wake(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    ~Queues() {
        if (wake) CloseHandle(wake);
    }

    std::mutex mutex;
    std::deque<Question> questions;
    std::vector<ShortcutReader::Answer> answers;
    HWND told = nullptr;  // the reader's window; null once the reader has gone
    bool telling = false; // word is on its way, and the reader has not taken the answers since
    HANDLE wake;          // set when a question comes or the reader goes
};

std::optional<Question> nextQuestion(Queues& queues) {
    const std::lock_guard<std::mutex> lock(queues.mutex);
    if (!queues.told || queues.questions.empty()) return std::nullopt;
    Question question = std::move(queues.questions.front());
    queues.questions.pop_front();
    return question;
}

void answer(Queues& queues, ShortcutReader::Answer answered) {
    const std::lock_guard<std::mutex> lock(queues.mutex);
    if (!queues.told) return;
    queues.answers.push_back(std::move(answered));
    const bool worthTelling = queues.answers.size() >= kAnswersTold || queues.questions.empty();
    if (worthTelling && !queues.telling)
        queues.telling = PostMessageW(queues.told, kAnswered, 0, 0) != FALSE;
}

bool readerGone(Queues& queues) {
    const std::lock_guard<std::mutex> lock(queues.mutex);
    return !queues.told;
}

// An apartment thread keeps its messages flowing while it waits, for the shell's sake.
void serve(Queues& queues) {
    ShellLinkReader links;
    while (!readerGone(queues)) {
        MsgWaitForMultipleObjects(1, &queues.wake, FALSE, INFINITE, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        while (auto question = nextQuestion(queues))
            answer(queues, {question->ticket, readShortcut(question->linkPath, links)});
    }
}

DWORD WINAPI run(void* share) {
    const std::unique_ptr<std::shared_ptr<Queues>> queues(static_cast<std::shared_ptr<Queues>*>(share));
    // Shell extensions may be COM objects of the apartment kind, and DDE is not wanted.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    serve(**queues);
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

} // namespace

struct ShortcutReader::Native {
    std::function<void()> answered;
    std::shared_ptr<Queues> queues = std::make_shared<Queues>();
    HWND window = nullptr;
    bool threadStarted = false;
    // Without a thread of its own (the system would not make one), the reader reads here: slower
    // for the windows, but every entry still gets its target and icon.
    std::unique_ptr<ShellLinkReader> readingHere;

    // At the first question, so that a reader never asked costs no thread, and the thread's
    // start (COM and the shell's libraries) does not fall on the program's start.
    void startThread() {
        threadStarted = true;
        auto* share = new std::shared_ptr<Queues>(queues);
        if (const HANDLE thread = CreateThread(nullptr, 0, run, share, 0, nullptr)) {
            CloseHandle(thread);
            return;
        }
        delete share;
        readingHere = std::make_unique<ShellLinkReader>();
    }

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != kAnswered) return DefWindowProcW(window, message, wParam, lParam);
        if (auto* self = reinterpret_cast<Native*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            self->answered();
        return 0;
    }
};

ShortcutReader::ShortcutReader(std::function<void()> answered)
    : native_(std::make_unique<Native>()) {
    native_->answered = std::move(answered);
    native_->window = win32::makeMessageWindow(L"KestrumShortcutReader", Native::procedure);
    SetWindowLongPtrW(native_->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(native_.get()));
    native_->queues->told = native_->window;
}

ShortcutReader::~ShortcutReader() {
    Queues& queues = *native_->queues;
    {
        const std::lock_guard<std::mutex> lock(queues.mutex);
        queues.told = nullptr;
        queues.questions.clear();
    }
    SetEvent(queues.wake);
    // Word posted and not yet received goes with the window.
    DestroyWindow(native_->window);
}

void ShortcutReader::ask(Ticket ticket, std::string linkPath) {
    if (!native_->threadStarted) native_->startThread();
    Queues& queues = *native_->queues;
    if (native_->readingHere) {
        // Still told through the message loop, never from within ask().
        answer(queues, {ticket, readShortcut(linkPath, *native_->readingHere)});
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(queues.mutex);
        queues.questions.push_back({ticket, std::move(linkPath)});
    }
    SetEvent(queues.wake);
}

std::vector<ShortcutReader::Answer> ShortcutReader::takeAnswers() {
    Queues& queues = *native_->queues;
    const std::lock_guard<std::mutex> lock(queues.mutex);
    queues.telling = false;
    return std::exchange(queues.answers, {});
}

} // namespace platform
