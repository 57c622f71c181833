#include "command/Ranking.h"

#include "platform/Text.h"
#include "platform/Textcompare.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <array>

namespace ranking {
namespace {

namespace utf8 = platform::utf8;

std::u32string characters(std::string_view text) {
    std::u32string result;
    for (std::size_t at = 0; at < text.size();)
        result.push_back(utf8::next(text, at));
    return result;
}

// A word begins at the start of a title and after a character that is not part of one. Bytes
// above 127 belong to letters of other scripts, so a byte test is enough here.
bool beginsWord(const std::string& folded, std::size_t at) {
    return at == 0 || !isWordCharacter(static_cast<unsigned char>(folded[at - 1]));
}

// The first character of each word into `title.wordInitials`, and into `title.initials` also
// each capital that follows a small letter inside a word ("PhotoShop", "iTunes"). A capital is
// a character that folding changes; when folding changes the number of characters, capitals
// cannot be told, and only words count.
void findInitials(std::string_view original, Title& title) {
    const std::u32string given = characters(original);
    const std::u32string lowered = characters(title.folded);
    const bool casesKnown = given.size() == lowered.size();
    for (std::size_t i = 0; i < lowered.size(); ++i) {
        if (!isWordCharacter(lowered[i])) continue;
        const bool wordStart = i == 0 || !isWordCharacter(lowered[i - 1]);
        const bool capitalAfterSmall = casesKnown && i > 0 && given[i] != lowered[i] &&
                                       isWordCharacter(lowered[i - 1]) &&
                                       given[i - 1] == lowered[i - 1];
        if (wordStart) utf8::append(title.wordInitials, lowered[i]);
        if (wordStart || capitalAfterSmall) utf8::append(title.initials, lowered[i]);
    }
}

bool beginsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// The characters of the shortest stretch of `folded` that holds `letters` in their order, or 0
// when none does. UTF-8 finds a character's bytes only where that character begins, so the
// search can go by bytes.
std::size_t shortestStretch(const std::string& folded, const std::string& letters) {
    std::size_t firstLength = 1;
    while (firstLength < letters.size() && (letters[firstLength] & 0xC0) == 0x80)
        ++firstLength;
    const std::string_view first(letters.data(), firstLength);
    std::size_t best = 0;
    for (std::size_t start = folded.find(first); start != std::string::npos;
         start = folded.find(first, start + 1)) {
        std::size_t end = start + firstLength;
        for (std::size_t at = firstLength; at < letters.size() && end != std::string::npos;) {
            std::size_t length = 1;
            while (at + length < letters.size() && (letters[at + length] & 0xC0) == 0x80)
                ++length;
            const std::size_t found = folded.find(letters.data() + at, end, length);
            end = found == std::string::npos ? found : found + length;
            at += length;
        }
        if (end == std::string::npos) break; // a later start cannot hold them either
        const std::size_t stretch =
            utf8::characterCount(std::string_view(folded).substr(start, end - start));
        if (best == 0 || stretch < best) best = stretch;
    }
    return best;
}

} // namespace

bool isWordCharacter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c > 127;
}

Title prepareTitle(std::string_view title, int part) {
    Title prepared;
    prepared.folded = platform::foldCase(title);
    findInitials(title, prepared);
    prepared.part = part;
    return prepared;
}

Query prepareQuery(std::string_view typed) {
    Query query;
    query.folded = platform::foldCase(platform::trimBlanks(typed));
    for (const char c : query.folded)
        if (!platform::isBlank(c)) query.letters += c;
    query.letterCount = utf8::characterCount(query.letters);
    return query;
}

Placement place(const Title& title, const Query& query) {
    const std::string& folded = title.folded;
    std::size_t at = folded.find(query.folded);
    const bool inside = at != std::string::npos;
    if (inside) {
        if (at == 0)
            return {folded.size() == query.folded.size() ? Match::Whole : Match::Beginning};
        for (; at != std::string::npos; at = folded.find(query.folded, at + 1))
            if (beginsWord(folded, at)) return {Match::WordBeginning};
    }
    // One letter is a beginning or nothing: as initials it would find every word.
    if (query.letterCount > 1 && (beginsWith(title.wordInitials, query.letters) ||
                                  beginsWith(title.initials, query.letters))) {
        const bool all = title.wordInitials == query.letters || title.initials == query.letters;
        return {Match::Initials, all ? 0u : 1u};
    }
    if (inside) return {Match::Inside};
    if (query.letters.empty()) return {};
    const std::size_t stretch = shortestStretch(folded, query.letters);
    if (stretch == 0) return {};
    return {Match::LettersInOrder, stretch};
}

bool narrows(const Query& shorter, const Query& longer) {
    return beginsWith(longer.folded, shorter.folded) && beginsWith(longer.letters, shorter.letters);
}

std::vector<std::size_t> rank(const std::vector<const Title*>& titles, const Query& query,
                              std::string_view remembered) {
    std::vector<std::size_t> order;
    if (query.folded.empty()) {
        order.resize(titles.size());
        for (std::size_t i = 0; i < titles.size(); ++i)
            order[i] = i;
        return order;
    }
    constexpr auto kGroups = static_cast<std::size_t>(Match::None);
    std::array<std::vector<std::size_t>, kGroups> groups;
    std::vector<std::size_t> stretches(titles.size());
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const Placement placement = place(*titles[i], query);
        if (placement.match == Match::None) continue;
        groups[static_cast<std::size_t>(placement.match)].push_back(i);
        stretches[i] = placement.stretch;
    }
    // The list's order already has the parts in order: only the stretch needs sorting.
    for (const Match sorted : {Match::Initials, Match::LettersInOrder}) {
        auto& group = groups[static_cast<std::size_t>(sorted)];
        std::stable_sort(group.begin(), group.end(), [&](std::size_t a, std::size_t b) {
            if (titles[a]->part != titles[b]->part) return titles[a]->part < titles[b]->part;
            return stretches[a] < stretches[b];
        });
    }
    for (auto& group : groups) {
        if (!remembered.empty()) {
            const auto chosen = std::find_if(group.begin(), group.end(), [&](std::size_t i) {
                return titles[i]->folded == remembered;
            });
            std::rotate(group.begin(), chosen, chosen == group.end() ? chosen : chosen + 1);
        }
        order.insert(order.end(), group.begin(), group.end());
    }
    return order;
}

} // namespace ranking
