#pragma once
// The order in which the command window lists titles for a typed text. A title belongs to the
// best of these groups it can, and the groups come in this order:
//   the whole title; its beginning; the beginning of a later word; the initials of its words or
//   of its capitalised parts ("vsc" for Visual Studio Code, "ps" for PhotoShop); anywhere
//   inside it; its letters in the typed order with others between them ("ntpd" for Notepad).
// Letter case counts nowhere, in any script, and blanks around the typed text are ignored.
// Within a group: the title last chosen for this very text first, then the titles of the
// earlier part of the list (the categories before the Start menu), then, for initials, the
// titles whose initials the letters are in full ("gd": Google Drive before Gestionnaire des
// tâches), for letters in order, the title whose shortest stretch holding them is shortest,
// then the list's own (alphabetical) order. A remembered choice never lifts a title out of its
// group.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ranking {

// A word goes on through letters and digits; every character above 127 counts as a letter, so
// that a word of another script is one word. Anything else (a blank, '-', '_', '.', '(', '&')
// ends it. A byte of UTF-8 may be given: those above 127 belong to such letters.
bool isWordCharacter(char32_t c);

enum class Match { Whole, Beginning, WordBeginning, Initials, Inside, LettersInOrder, None };

// A title made ready for matching once, when the lists are read, so that a keystroke converts
// nothing.
struct Title {
    std::string folded;       // in lower case, every letter the system knows one of
    std::string wordInitials; // the folded first letters of its words
    std::string initials;     // the same with the capitals inside words ("low", LibreOffice Writer)
    int part = 0;             // where it comes from: earlier parts first within a group
};
Title prepareTitle(std::string_view title, int part);

// What was typed, made ready once per keystroke.
struct Query {
    std::string folded;  // without blanks around it, in lower case
    std::string letters; // the same without any blank: what initials and letters in order match
    std::size_t letterCount = 0; // characters in `letters`
};
Query prepareQuery(std::string_view typed);

struct Placement {
    Match match = Match::None;
    // What orders a group's titles before their alphabet: for initials, 0 when the letters
    // are all the initials and 1 when more follow; for letters in order, the characters of the
    // shortest stretch of the title holding them.
    std::size_t stretch = 0;
};
Placement place(const Title& title, const Query& query);

// Whether every title that matches `longer` also matches `shorter`, which holds when `longer`
// goes on from `shorter`, folded and without blanks alike: whatever group a title matches in,
// its folded text holds the typed letters in their order, and then those of `shorter` too,
// which matches it at least as letters in order. The titles matching `longer` are then found
// among those matching `shorter`.
bool narrows(const Query& shorter, const Query& longer);

// The positions of `titles` that match `query`, best first. `titles` is in the list's own
// order (each part alphabetical, the parts in order); `remembered` is the folded title chosen
// last for this text, or "". An empty query keeps every title in the list's order.
std::vector<std::size_t> rank(const std::vector<const Title*>& titles, const Query& query,
                              std::string_view remembered);

} // namespace ranking
