#pragma once
// Reads shortcut files (readShortcut, Shell.h) away from the user-interface thread, so that a
// shortcut whose file or target makes the shell wait (a slow disk, a share that does not answer)
// never holds the windows. Questions are answered one after another, in the order asked. The
// Windows backend reads on a thread of its own, with COM initialised as the shell needs it, which
// sleeps while nothing is asked; the headless backend answers within ask(), so tests see no thread.

#include "platform/Shell.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class ShortcutReader {
public:
    using Ticket = std::uint64_t;
    struct Answer {
        Ticket ticket; // as asked
        ShortcutReading reading;
    };

    // `answered` is called on the thread that made the reader, from its message loop, when
    // answers have come since takeAnswers() was last called: once several have, or once no
    // question is left. Never from within ask().
    explicit ShortcutReader(std::function<void()> answered);
    // Questions not yet answered are dropped; one being read is finished and thrown away.
    ~ShortcutReader();
    ShortcutReader(const ShortcutReader&) = delete;
    ShortcutReader& operator=(const ShortcutReader&) = delete;

    void ask(Ticket ticket, std::string linkPath);
    // The answers that have come, oldest first, each once.
    std::vector<Answer> takeAnswers();

    struct Native; // per backend

private:
    std::unique_ptr<Native> native_;
};

} // namespace platform
