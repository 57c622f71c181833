#pragma once
// The row the user started for each text typed into the command window, so that the same text
// lists it first next time. Kept beside the executable in a file of its own, which holds the
// most recent choices only, the oldest forgotten first. A file that cannot be read, or reads as
// nonsense, holds no choices; one that cannot be written leaves the choice remembered for this
// run: neither is a reason to fail.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class RememberedChoices {
public:
    explicit RememberedChoices(std::string fileName);

    // The folded title chosen last for the folded text `query`, or "" when none was.
    std::string chosenFor(std::string_view query);
    // Remembers `title` (folded) for `query` (folded) in place of any earlier choice for it.
    void remember(std::string_view query, std::string_view title);

    static constexpr std::size_t kLimit = 256;

private:
    void load();
    void add(std::string query, std::string title);
    void save() const;

    std::string fileName_;
    bool loaded_ = false;
    // (query, title), the oldest first, each query once.
    std::vector<std::pair<std::string, std::string>> choices_;
};
