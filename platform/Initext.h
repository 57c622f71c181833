#pragma once
// INI text, read and edited in memory. The rules are those of Windows profile files:
// - a line "[name]" opens a section (the name runs to the last "]" on the line); a line that
//   starts with "[" but has no "]" opens nothing and is an ordinary line;
// - a line "key=value" holds a value; the key runs to the first "="; a line without "=",
//   and a line whose first visible character is ";", holds no value;
// - section and key names match without regard to letter case (ASCII letters only);
// - the first matching section holds the values, and in it the first matching key wins;
// - blanks and control characters around names and values are dropped; a value wholly enclosed
//   in one pair of double or single quotes loses them; a value is cut to kMaxValueLength;
// - lines end with CR LF, LF or a lone CR; a UTF-8 byte-order mark before the first line is
//   skipped (and kept when the text is edited); a NUL byte ends a name or value where it stands.
// Edits keep every other line byte for byte.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::ini {

constexpr std::size_t kMaxValueLength = 2047;
// Key names are handed out as one block of names with one terminating zero each, plus a final
// zero; a name that does not fit whole is left out with every name after it.
constexpr std::size_t kKeyNamesBlockSize = 16384;

// Whether two section or key names match (ASCII letters without regard to case).
bool sameName(std::string_view a, std::string_view b);

// The value of `key` in `section`, or nothing when the section or key is missing.
std::optional<std::string> findValue(std::string_view text, std::string_view section,
                                     std::string_view key);

// Every key of `section` with its value, in file order and as findValue reads them (duplicates
// included): what a reader of many keys indexes once instead of searching the text per key.
std::vector<std::pair<std::string, std::string>> sectionValues(std::string_view text,
                                                               std::string_view section);

// The key names of `section` in file order, duplicates included, within kKeyNamesBlockSize.
std::vector<std::string> keyNames(std::string_view text, std::string_view section);

// The numbers below `count` that `section` holds as key names written in decimal without sign
// or leading zeros, ascending and each once: exactly the keys that reading "0", "1", ...
// count - 1 one by one would find, without trying every number below a huge count. No block
// limit applies, since reading a key by its name has none.
std::vector<int> indexKeys(std::string_view text, std::string_view section, int count);

// Signed decimal, or hexadecimal after "0x", "0X" or "$" (up to 32 bits, read as a signed
// number, so "$FFFFFFFF" is -1). A leading "-" or "+" is allowed. Anything else, overflow and
// trailing characters included, gives nothing.
std::optional<int> parseInteger(std::string_view value);

// `value` in the form that reads back as `value`: in double quotes when reading would otherwise
// drop blanks or control characters at either end, or a pair of quotes around it; else as it is.
std::string quotedForReading(std::string_view value);

// Sets `key` in `section` to `value`: the first matching key line is rewritten in place; a new
// key goes after the last non-blank line of the first matching section; a new section goes at
// the end. Names and values end at a NUL, as they would in a C string, and line breaks in them
// become blanks, so that a value can never turn into a line of its own.
void setValue(std::string& text, std::string_view section, std::string_view key,
              std::string_view value);

// Removes every section called `section`, from its header to the next section header.
void eraseSection(std::string& text, std::string_view section);

} // namespace platform::ini
