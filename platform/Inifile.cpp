#include "platform/Inifile.h"

#include "platform/Files.h"
#include "platform/Initext.h"

namespace platform {

IniWriteError::IniWriteError(const std::string& fileName)
    : std::runtime_error("Unable to write to " + fileName) {}

IniFile::IniFile(std::string fileName) : fileName_(std::move(fileName)) {}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const auto text = readFile(fileName_);
    if (!text) return std::string(defaultValue);
    return ini::findValue(*text, section, key).value_or(std::string(defaultValue));
}

int IniFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
    return ini::parseInteger(readString(section, key, "")).value_or(defaultValue);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::vector<std::string> IniFile::readKeyNames(std::string_view section) const {
    const auto text = readFile(fileName_);
    return text ? ini::keyNames(*text, section) : std::vector<std::string>{};
}

std::vector<int> IniFile::readIndexKeys(std::string_view section, int count) const {
    const auto text = readFile(fileName_);
    return text ? ini::indexKeys(*text, section, count) : std::vector<int>{};
}

bool IniFile::valueExists(std::string_view section, std::string_view key) const {
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

void IniBatch::commit() {
    std::string text = readFile(fileName_).value_or(std::string());
    for (const auto& step : steps_)
        step(text);
    if (!replaceFile(fileName_, text)) throw IniWriteError(fileName_);
}

} // namespace platform
