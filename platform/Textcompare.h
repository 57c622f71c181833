#pragma once
// Comparing texts the way users read them: without regard to letter case in any script
// (Cyrillic, Greek and accented Latin as well as A to Z). The Windows backend asks the system,
// in the user's language; the headless backend folds the letters of Latin-1, Latin Extended-A,
// Greek and Cyrillic itself and sorts by code point, which is all its tests need.

#include <string>
#include <string_view>

namespace platform {

// `text` in lower case, every letter the system knows a lower case of: what matching compares.
std::string foldCase(std::string_view text);

// What sorts `text` among others without regard to letter case: keys compare (as strings of
// unsigned bytes) in the order the texts sort, and equal when the texts differ only in case.
// Made once per text, a key saves converting both texts at every comparison of a sort.
std::string sortKey(std::string_view text);

// Whether two names differ only in letter case (or not at all).
inline bool sameText(std::string_view a, std::string_view b) {
    return foldCase(a) == foldCase(b);
}

} // namespace platform
