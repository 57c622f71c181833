#include "manager/Barmanager.h"

#include "platform/Files.h"
#include "platform/Inifile.h"
#include "platform/Initext.h"
#include "platform/Textcompare.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "store/Vcltools.h"
#include "store/Wintools.h"

#include <algorithm>

namespace {

platform::Font verdana(int size) {
    platform::Font font;
    font.name = "Verdana";
    font.size = size;
    return font;
}

// What a stored number that names no choice means is decided here, as it loads, so that the
// window, the painter and the settings dialog all show the same: an unknown icon size is small,
// an unknown layout has the icons left (where a new category has them), an alignment past the
// last is right. The file keeps what it holds until the setting is saved for a change.
std::int32_t knownIconSize(int stored) {
    const bool known = stored == std::int32_t(IconSizeType::Small) ||
                       stored == std::int32_t(IconSizeType::Large);
    return known ? stored : std::int32_t(IconSizeType::Small);
}

std::uint8_t knownBarLayout(std::uint8_t stored) {
    return stored == std::uint8_t(BarLayout::NameLeft) ? stored : std::uint8_t(BarLayout::IconsLeft);
}

std::uint8_t knownNameAlignment(std::uint8_t stored) {
    return std::min(stored, std::uint8_t(BarNameAlignment::Right));
}

} // namespace

BarManager::BarManager(std::string folder)
    : iconLoader_(std::make_unique<IconLoader>(*this)), dataFolder(std::move(folder)),
      iconTitleFont(verdana(7)), barNameFont(verdana(8)) {
    loadBarList();
    loadAppearance();
}

BarManager::~BarManager() = default;

void BarManager::addWatcher(ModelWatcher* watcher) {
    watchers_.push_back(watcher);
}

void BarManager::removeWatcher(ModelWatcher* watcher) {
    watchers_.erase(std::remove(watchers_.begin(), watchers_.end(), watcher), watchers_.end());
}

void BarManager::entryRemoving(const IconArea& entry) {
    iconLoader_->forget(entry);
    for (ModelWatcher* watcher : watchers_)
        watcher->entryRemoving(entry);
}

void BarManager::categoryRemoving(const Bar& category) {
    iconLoader_->forget(category);
    for (ModelWatcher* watcher : watchers_)
        watcher->categoryRemoving(category);
}

std::string BarManager::configFileName() const {
    return dataFolder + "config.txt";
}

std::string BarManager::settingsFileName() const {
    return dataFolder + "settings.txt";
}

Bar* BarManager::createBar(const std::string& name) {
    if (!platform::isPlainName(name) || hasBar(name) ||
        !platform::createFolder(dataFolder + "\\" + name))
        return nullptr;
    auto bar = std::make_unique<Bar>(static_cast<ModelWatcher*>(this), dataFolder, name);
    bar->SaveLinks();
    bars.push_back(std::move(bar));
    saveBarList();
    return bars.back().get();
}

bool BarManager::renameBar(Bar* bar, const std::string& newName) {
    if (!bar || !platform::isPlainName(newName) || hasBar(newName, bar) || !bar->Rename(newName))
        return false;
    saveBarList();
    return true;
}

bool BarManager::deleteBar(Bar* bar) {
    const auto found = positionOf(bar);
    if (found == bars.end()) return false;
    const std::string folder = bar->GetFolderPath();
    if (platform::folderExists(folder) && !DeleteFolderTree(folder)) return false;
    categoryRemoving(*bar);
    bars.erase(found);
    saveBarList();
    return true;
}

std::vector<std::unique_ptr<Bar>>::iterator BarManager::positionOf(const Bar* bar) {
    return std::find_if(bars.begin(), bars.end(),
                        [bar](const auto& owned) { return owned.get() == bar; });
}

bool BarManager::moveBar(Bar* moved, Bar* target) {
    if (moved == target) return false;
    const auto from = positionOf(moved);
    if (from == bars.end()) return false;
    if (from + 1 != bars.end() && (from + 1)->get() == target) {
        std::iter_swap(from, from + 1);
    } else {
        auto taken = std::move(*from);
        bars.erase(from);
        bars.insert(target ? positionOf(target) : bars.end(), std::move(taken));
    }
    saveBarList();
    return true;
}

int BarManager::iconPixelSize() const {
    return iconSizeType == std::int32_t(IconSizeType::Small) ? 16 : 32;
}

void BarManager::loadAppearance() {
    const platform::IniSnapshot settings(settingsFileName());
    showIconTitle = settings.readBool("Appearance", "ShowIconTitle", false);
    iconSizeType = knownIconSize(settings.readInteger("Appearance", "IconSizeType", 16));
    barLayout = knownBarLayout(ReadLowByte(settings, "Appearance", "BarLayout", 1));
    barNameAlignment = knownNameAlignment(ReadLowByte(settings, "Appearance", "BarNameAlignment", 1));
    ReadFont(settings, "IconTitleFont", iconTitleFont, iconTitleFont);
}

void BarManager::saveAppearance() {
    platform::IniBatch settings(settingsFileName());
    settings.writeBool("Appearance", "ShowIconTitle", showIconTitle != 0)
        .writeInteger("Appearance", "IconSizeType", iconSizeType)
        .writeInteger("Appearance", "BarLayout", barLayout)
        .writeInteger("Appearance", "BarNameAlignment", barNameAlignment);
    WriteFont(settings, "IconTitleFont", iconTitleFont);
    settings.commit();
}

// Two rows on one folder would overwrite each other's list, and deleting one would delete the
// other's shortcuts; folder names match without regard to letter case.
bool BarManager::hasBar(const std::string& name, const Bar* except) const {
    return std::any_of(bars.begin(), bars.end(), [&](const auto& bar) {
        return bar.get() != except && platform::sameText(bar->GetName(), name);
    });
}

void BarManager::appendBar(const std::string& name) {
    bars.push_back(std::make_unique<Bar>(static_cast<ModelWatcher*>(this), dataFolder, name));
}

void BarManager::loadBarList() {
    const platform::IniSnapshot config(configFileName());
    if (config.valueExists("Bar", "Count")) {
        // Only the listed indices are read: a huge Count must not mean billions of reads.
        const int count = config.readInteger("Bar", "Count", -1);
        for (const int i : config.readIndexKeys("Bar", count)) {
            const std::string name = config.readString("Bar", std::to_string(i), "");
            // A name that is not a single folder name would reach outside the data folder.
            if (platform::isPlainName(name) && platform::folderExists(dataFolder + "\\" + name) &&
                !hasBar(name))
                appendBar(name);
        }
        return;
    }
    for (const auto& entry : platform::listFolder(dataFolder, "*"))
        if (entry.attributes == platform::FileAttribute::Directory) appendBar(entry.name);
}

void BarManager::saveBarList() {
    platform::IniBatch config(configFileName());
    config.eraseSection("Bar").writeInteger("Bar", "Count", barCount());
    for (int i = 0; i < barCount(); ++i)
        config.writeString("Bar", std::to_string(i),
                           platform::ini::quotedForReading(bars[std::size_t(i)]->GetName()));
    config.commit();
}

layout::Appearance BarManager::appearance() const {
    return {iconSizeType == std::int32_t(IconSizeType::Small), iconPixelSize(), showIconTitle != 0,
            iconTitleFont, barNameFont, barNameAlignment,
            barLayout == std::uint8_t(BarLayout::NameLeft)};
}

