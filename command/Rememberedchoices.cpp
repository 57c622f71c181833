#include "command/Rememberedchoices.h"

#include "platform/Inifile.h"
#include "platform/Initext.h"

#include <algorithm>

namespace {

constexpr const char* kCountSection = "Choices";
constexpr const char* kQueries = "Typed";
constexpr const char* kTitles = "Started";

} // namespace

RememberedChoices::RememberedChoices(std::string fileName) : fileName_(std::move(fileName)) {}

std::string RememberedChoices::chosenFor(std::string_view query) {
    load();
    const auto found = std::find_if(choices_.begin(), choices_.end(),
                                    [&](const auto& choice) { return choice.first == query; });
    return found == choices_.end() ? std::string() : found->second;
}

void RememberedChoices::remember(std::string_view query, std::string_view title) {
    if (query.empty() || title.empty()) return;
    load();
    add(std::string(query), std::string(title));
    save();
}

// Read once, at the first need: the file is the program's own, and nobody else writes it
// while the program runs.
void RememberedChoices::load() {
    if (loaded_) return;
    loaded_ = true;
    const platform::IniSnapshot file(fileName_);
    const int count = file.readInteger(kCountSection, "Count", 0);
    for (const int index : file.readIndexKeys(kQueries, count)) {
        const std::string key = std::to_string(index);
        std::string query = file.readString(kQueries, key, "");
        std::string title = file.readString(kTitles, key, "");
        if (query.empty() || title.empty()) continue;
        add(std::move(query), std::move(title));
    }
}

// The newest choice for a query replaces any earlier one (a file edited by hand may hold a
// query twice: the later line is the newer), and the oldest go beyond the limit.
void RememberedChoices::add(std::string query, std::string title) {
    choices_.erase(std::remove_if(choices_.begin(), choices_.end(),
                                  [&](const auto& choice) { return choice.first == query; }),
                   choices_.end());
    choices_.emplace_back(std::move(query), std::move(title));
    if (choices_.size() > kLimit) choices_.erase(choices_.begin());
}

void RememberedChoices::save() const {
    platform::IniBatch batch(fileName_);
    batch.eraseSection(kCountSection).eraseSection(kQueries).eraseSection(kTitles);
    batch.writeInteger(kCountSection, "Count", static_cast<int>(choices_.size()));
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        const std::string key = std::to_string(i);
        batch.writeString(kQueries, key, platform::ini::quotedForReading(choices_[i].first));
        batch.writeString(kTitles, key, platform::ini::quotedForReading(choices_[i].second));
    }
    try {
        batch.commit();
    } catch (const platform::IniWriteError&) {
        // A read-only folder: the choice still counts until the program ends.
    }
}
