#include "platform/Initext.h"

#include "platform/Text.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace platform::ini {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view upToNul(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// One line of the text: where it starts, where its content ends and where the next line starts.
struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t end = 0;
};

class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {
        if (text_.substr(0, kUtf8Bom.size()) == kUtf8Bom) next_ = kUtf8Bom.size();
    }

    bool next(Line& line) {
        if (next_ >= text_.size()) return false;
        line.begin = next_;
        std::size_t i = next_;
        while (i < text_.size() && text_[i] != '\n' && text_[i] != '\r')
            ++i;
        line.contentEnd = i;
        if (i < text_.size() && text_[i] == '\r') ++i;
        if (i < text_.size() && text_[i] == '\n' && (i == line.contentEnd || text_[i - 1] == '\r'))
            ++i;
        line.end = next_ = i;
        return true;
    }

    std::string_view content(const Line& line) const {
        return text_.substr(line.begin, line.contentEnd - line.begin);
    }

private:
    std::string_view text_;
    std::size_t next_ = 0;
};

enum class LineKind { Other, Section, Value };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name; // section or key name, trimmed
    std::string_view value;
};

ParsedLine parse(std::string_view content) {
    const std::string_view visible = trimBlanks(content);
    ParsedLine parsed;
    if (visible.empty() || visible.front() == ';') return parsed;
    if (visible.front() == '[') {
        const auto close = visible.rfind(']');
        if (close != std::string_view::npos) {
            parsed.kind = LineKind::Section;
            parsed.name = trimBlanks(visible.substr(1, close - 1));
        }
        return parsed;
    }
    const auto equals = visible.find('=');
    if (equals == std::string_view::npos) return parsed;
    parsed.name = trimBlanks(visible.substr(0, equals));
    if (parsed.name.empty()) return parsed;
    parsed.kind = LineKind::Value;
    parsed.value = trimBlanks(visible.substr(equals + 1));
    return parsed;
}

// Where the first section called `section` lies: its header line and the lines up to the next
// header.
struct SectionPlace {
    Line header;
    std::size_t bodyEnd = 0;       // start of the next header, or the end of the text
    std::size_t lastFilledEnd = 0; // end of the last non-blank line of the section
};

// Calls `visit(line, parsed)` for each line of the first section called `section` and returns
// its place, or nothing when there is no such section. `visit` returns false to stop early.
template <typename Visit>
std::optional<SectionPlace> walkSection(std::string_view text, std::string_view section,
                                        Visit visit) {
    LineReader reader(text);
    Line line;
    std::optional<SectionPlace> place;
    while (reader.next(line)) {
        const ParsedLine parsed = parse(reader.content(line));
        if (parsed.kind == LineKind::Section) {
            if (place) return place;
            if (sameName(upToNul(parsed.name), section)) {
                place = SectionPlace{line, line.end, line.end};
            }
            continue;
        }
        if (!place) continue;
        place->bodyEnd = line.end;
        if (!trimBlanks(reader.content(line)).empty()) place->lastFilledEnd = line.end;
        if (!visit(line, parsed)) return place;
    }
    return place;
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string sanitized(std::string_view s) {
    std::string out(upToNul(s));
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

// The line break the text already uses, so that added lines look like their neighbours.
std::string_view lineBreakOf(std::string_view text) {
    const auto at = text.find_first_of("\r\n");
    if (at == std::string_view::npos) return "\r\n";
    if (text[at] == '\n') return "\n";
    return (at + 1 < text.size() && text[at + 1] == '\n') ? "\r\n" : "\r";
}

bool endsWithLineBreak(std::string_view text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

} // namespace

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

namespace {

std::string valueOf(const ParsedLine& parsed) {
    return std::string(upToNul(unquoted(parsed.value)).substr(0, kMaxValueLength));
}

} // namespace

std::optional<std::string> findValue(std::string_view text, std::string_view section,
                                     std::string_view key) {
    std::optional<std::string> found;
    walkSection(text, section, [&](const Line&, const ParsedLine& parsed) {
        if (parsed.kind != LineKind::Value || !sameName(upToNul(parsed.name), key)) return true;
        found = valueOf(parsed);
        return false;
    });
    return found;
}

std::vector<std::pair<std::string, std::string>> sectionValues(std::string_view text,
                                                               std::string_view section) {
    std::vector<std::pair<std::string, std::string>> values;
    walkSection(text, section, [&](const Line&, const ParsedLine& parsed) {
        if (parsed.kind == LineKind::Value)
            values.emplace_back(std::string(upToNul(parsed.name)), valueOf(parsed));
        return true;
    });
    return values;
}

std::vector<std::string> keyNames(std::string_view text, std::string_view section) {
    std::vector<std::string> names;
    std::size_t used = 1; // the block's final zero
    walkSection(text, section, [&](const Line&, const ParsedLine& parsed) {
        if (parsed.kind != LineKind::Value) return true;
        const std::string_view name = upToNul(parsed.name);
        if (name.empty()) return true;
        if (used + name.size() + 1 > kKeyNamesBlockSize) return false;
        used += name.size() + 1;
        names.emplace_back(name);
        return true;
    });
    return names;
}

std::vector<int> indexKeys(std::string_view text, std::string_view section, int count) {
    std::vector<int> indices;
    walkSection(text, section, [&](const Line&, const ParsedLine& parsed) {
        const std::string_view name = upToNul(parsed.name);
        const bool decimal =
            parsed.kind == LineKind::Value && !name.empty() && name.size() <= 10 &&
            (name.size() == 1 || name.front() != '0') &&
            std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!decimal) return true;
        const auto index = parseInteger(name);
        if (index && *index < count) indices.push_back(*index);
        return true;
    });
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

std::optional<int> parseInteger(std::string_view value) {
    bool negative = false;
    if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    unsigned base = 10;
    if (value.substr(0, 2) == "0x" || value.substr(0, 2) == "0X") {
        base = 16;
        value.remove_prefix(2);
    } else if (value.substr(0, 1) == "$") {
        base = 16;
        value.remove_prefix(1);
    }
    if (value.empty()) return std::nullopt;
    // Decimal stops at 2^31 (2^31 itself only with a minus sign); hexadecimal takes 32 bits.
    const std::uint64_t limit =
        base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t number = 0;
    for (const char c : value) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = unsigned(c - '0');
        else if (base == 16 && lower(c) >= 'a' && lower(c) <= 'f')
            digit = unsigned(lower(c) - 'a' + 10);
        else
            return std::nullopt;
        number = number * base + digit;
        if (number > limit) return std::nullopt;
    }
    const auto bits = static_cast<std::uint32_t>(number);
    const auto magnitude = static_cast<std::int32_t>(bits);
    return negative ? static_cast<int>(0u - bits) : static_cast<int>(magnitude);
}

std::string quotedForReading(std::string_view value) {
    const bool changedByReading = trimBlanks(value) != value || unquoted(value) != value;
    return changedByReading ? "\"" + std::string(value) + "\"" : std::string(value);
}

void setValue(std::string& text, std::string_view section, std::string_view key,
              std::string_view value) {
    const std::string cleanKey = sanitized(trimBlanks(key));
    const std::string newLine = cleanKey + "=" + sanitized(value);
    const std::string lineBreak(lineBreakOf(text));

    std::optional<Line> existing;
    const auto place = walkSection(text, section, [&](const Line& line, const ParsedLine& parsed) {
        if (parsed.kind != LineKind::Value || !sameName(upToNul(parsed.name), cleanKey))
            return true;
        existing = line;
        return false;
    });
    if (existing) {
        text.replace(existing->begin, existing->contentEnd - existing->begin, newLine);
        return;
    }
    if (place) {
        const std::size_t at = place->lastFilledEnd;
        const bool needsBreakBefore = !endsWithLineBreak(std::string_view(text).substr(0, at));
        text.insert(at, (needsBreakBefore ? lineBreak : "") + newLine + lineBreak);
        return;
    }
    if (!text.empty() && !endsWithLineBreak(text)) text += lineBreak;
    text += "[" + sanitized(trimBlanks(section)) + "]" + lineBreak + newLine + lineBreak;
}

void eraseSection(std::string& text, std::string_view section) {
    while (const auto place =
               walkSection(text, section, [](const Line&, const ParsedLine&) { return true; })) {
        text.erase(place->header.begin, place->bodyEnd - place->header.begin);
    }
}

} // namespace platform::ini
