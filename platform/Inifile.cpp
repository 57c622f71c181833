#include "platform/Inifile.h"

#include "platform/Files.h"
#include "platform/Initext.h"
#include "platform/Storedtext.h"
#include "platform/Text.h"

namespace platform {

IniWriteError::IniWriteError(const std::string& fileName)
    : std::runtime_error("Unable to write to " + fileName) {}

IniFile::IniFile(std::string fileName) : fileName_(std::move(fileName)) {}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    return IniSnapshot(fileName_).readString(section, key, defaultValue);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
    return IniSnapshot(fileName_).readInteger(section, key, defaultValue);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return IniSnapshot(fileName_).readBool(section, key, defaultValue);
}

std::vector<std::string> IniFile::readKeyNames(std::string_view section) const {
    return IniSnapshot(fileName_).readKeyNames(section);
}

std::vector<int> IniFile::readIndexKeys(std::string_view section, int count) const {
    return IniSnapshot(fileName_).readIndexKeys(section, count);
}

bool IniFile::valueExists(std::string_view section, std::string_view key) const {
    return IniSnapshot(fileName_).valueExists(section, key);
}

IniSnapshot::IniSnapshot(const std::string& fileName) : text_(readStoredText(fileName)) {}

const std::unordered_map<std::string, std::string>&
IniSnapshot::indexOf(std::string_view section) const {
    const std::string name = lowerAscii(section);
    auto found = sections_.find(name);
    if (found != sections_.end()) return found->second;
    std::unordered_map<std::string, std::string> index;
    if (text_)
        for (auto& [key, value] : ini::sectionValues(*text_, section))
            index.emplace(lowerAscii(key), std::move(value));
    return sections_.emplace(name, std::move(index)).first->second;
}

std::string IniSnapshot::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    // A single read (all IniFile makes of a snapshot) is cheaper as a search that stops at its
    // key; the index pays off from the second.
    if (!searched_) {
        searched_ = true;
        if (!text_) return std::string(defaultValue);
        return ini::findValue(*text_, section, key).value_or(std::string(defaultValue));
    }
    const auto& index = indexOf(section);
    const auto found = index.find(lowerAscii(key));
    return found != index.end() ? found->second : std::string(defaultValue);
}

int IniSnapshot::readInteger(std::string_view section, std::string_view key,
                             int defaultValue) const {
    return ini::parseInteger(readString(section, key, "")).value_or(defaultValue);
}

bool IniSnapshot::readBool(std::string_view section, std::string_view key,
                           bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::vector<std::string> IniSnapshot::readKeyNames(std::string_view section) const {
    return text_ ? ini::keyNames(*text_, section) : std::vector<std::string>{};
}

std::vector<int> IniSnapshot::readIndexKeys(std::string_view section, int count) const {
    return text_ ? ini::indexKeys(*text_, section, count) : std::vector<int>{};
}

bool IniSnapshot::valueExists(std::string_view section, std::string_view key) const {
    for (const std::string& name : readKeyNames(section))
        if (ini::sameName(name, key)) return true;
    return false;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    IniBatch(fileName_).writeString(section, key, value).commit();
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
    IniBatch(fileName_).writeInteger(section, key, value).commit();
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    IniBatch(fileName_).writeBool(section, key, value).commit();
}

void IniFile::eraseSection(std::string_view section) {
    IniBatch(fileName_).eraseSection(section).commit();
}

IniBatch::IniBatch(std::string fileName) : fileName_(std::move(fileName)) {}

IniBatch& IniBatch::writeString(std::string_view section, std::string_view key,
                                std::string_view value) {
    steps_.push_back([s = std::string(section), k = std::string(key),
                      v = std::string(value)](std::string& text) { ini::setValue(text, s, k, v); });
    return *this;
}

IniBatch& IniBatch::writeInteger(std::string_view section, std::string_view key, int value) {
    return writeString(section, key, std::to_string(value));
}

IniBatch& IniBatch::writeBool(std::string_view section, std::string_view key, bool value) {
    return writeString(section, key, value ? "1" : "0");
}

IniBatch& IniBatch::eraseSection(std::string_view section) {
    steps_.push_back([s = std::string(section)](std::string& text) { ini::eraseSection(text, s); });
    return *this;
}

// A file an earlier version wrote in the ANSI code page is written back whole in UTF-8: one file
// never mixes the two.
void IniBatch::commit() {
    std::string text = readStoredText(fileName_).value_or(std::string());
    for (const auto& step : steps_)
        step(text);
    if (!replaceFile(fileName_, text)) throw IniWriteError(fileName_);
}

} // namespace platform
