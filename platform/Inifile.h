#pragma once
// INI files on disk. Every operation opens the file, does its one job and leaves it: nothing is
// cached, so an edit made by another program is seen by the next read. The text rules are those
// of Initext.h. A missing or unreadable file reads as empty, so every read gives the caller's
// default. Writes replace the file as one step (see platform::replaceFile), and a write that
// fails throws IniWriteError.

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

class IniWriteError : public std::runtime_error {
public:
    explicit IniWriteError(const std::string& fileName);
};

class IniFile {
public:
    explicit IniFile(std::string fileName);

    const std::string& fileName() const { return fileName_; }

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Not a 32-bit number (see ini::parseInteger): the default.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // Read as an integer, any non-zero value meaning true.
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;
    // The key names in file order, within the block limit of ini::kKeyNamesBlockSize.
    std::vector<std::string> readKeyNames(std::string_view section) const;
    // The list indices of `section` below `count`, as ini::indexKeys gives them.
    std::vector<int> readIndexKeys(std::string_view section, int count) const;
    // Whether `key` is among readKeyNames(section), whatever its value.
    bool valueExists(std::string_view section, std::string_view key) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);
    void writeBool(std::string_view section, std::string_view key, bool value); // "1" or "0"
    void eraseSection(std::string_view section);

private:
    std::string fileName_;
};

// A file's text read once, for reads that belong together (loading a category reads dozens of
// keys, and a file open costs far more than a look-up): each read answers as IniFile's would
// have at the moment the snapshot was taken.
class IniSnapshot {
public:
    explicit IniSnapshot(const std::string& fileName);

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;
    std::vector<std::string> readKeyNames(std::string_view section) const;
    std::vector<int> readIndexKeys(std::string_view section, int count) const;
    bool valueExists(std::string_view section, std::string_view key) const;

private:
    // The section's values by key name in lower case, the first of equal names kept; made at the
    // first read of the section, so that reading a list of n keys costs n look-ups, not n scans.
    const std::unordered_map<std::string, std::string>& indexOf(std::string_view section) const;

    std::optional<std::string> text_; // none when the file could not be read
    mutable bool searched_ = false;
    mutable std::unordered_map<std::string, std::unordered_map<std::string, std::string>> sections_;
};

// Erase and write steps applied to one file as a single replacement, with the same result as
// running them one by one through IniFile. Nothing touches the file before commit().
class IniBatch {
public:
    explicit IniBatch(std::string fileName);

    IniBatch& writeString(std::string_view section, std::string_view key, std::string_view value);
    IniBatch& writeInteger(std::string_view section, std::string_view key, int value);
    IniBatch& writeBool(std::string_view section, std::string_view key, bool value);
    IniBatch& eraseSection(std::string_view section);

    // Reads the file once, applies every step in order and replaces the file; throws
    // IniWriteError when the file cannot be replaced, leaving it as it was.
    void commit();

private:
    std::string fileName_;
    std::vector<std::function<void(std::string&)>> steps_;
};

} // namespace platform
