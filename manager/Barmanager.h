#pragma once
// The owner of every category, in display order, and of the appearance settings shared by all of
// them. The list of categories is kept in the data folder's config.txt, the appearance in its
// settings.txt.

#include "manager/Iconloader.h"
#include "manager/Layout.h"
#include "platform/Font.h"
#include "store/Modelwatcher.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Bar;
class IconArea;

// The numbers are the stored values.
enum class IconSizeType : std::int32_t { Small = 16, Large = 32 };
enum class BarLayout : std::uint8_t { IconsLeft = 0, NameLeft = 1 };
enum class BarNameAlignment : std::uint8_t { Left = 0, Center = 1, Right = 2 };

// It is the watcher of its categories, and tells the windows watching it in turn.
class BarManager : private ModelWatcher {
public:
    // Loads every category of `dataFolder` (which ends with a separator) and the appearance,
    // leaving the entries' targets and icons to iconLoader(), which is not started here.
    explicit BarManager(std::string dataFolder);
    ~BarManager();
    BarManager(const BarManager&) = delete;
    BarManager& operator=(const BarManager&) = delete;

    // Reads the entries' targets and icons in idle time once started.
    IconLoader& iconLoader() { return *iconLoader_; }

    // A watcher stays registered until removed; it must be removed before it is destroyed.
    void addWatcher(ModelWatcher* watcher);
    void removeWatcher(ModelWatcher* watcher);

    int barCount() const { return int(bars.size()); }
    Bar* barAt(int index) const { return bars[std::size_t(index)].get(); }

    // Each returns failure (null or false) without changing anything when the file system
    // refuses, when the name is not a single folder name, or when another category has it
    // already, in any letter case of any script; a successful change is saved to config.txt at
    // once.
    Bar* createBar(const std::string& name);
    bool renameBar(Bar* bar, const std::string& newName);
    // Deletes the category's folder with everything in it and takes it out of the list.
    bool deleteBar(Bar* bar);
    // Puts `moved` just above `target`, or just below it when `target` is the next row;
    // with no target, at the end.
    bool moveBar(Bar* moved, Bar* target);

    void setBarLayout(std::uint8_t value) { barLayout = value; }
    // The size the icons are drawn at in the category window: 16 or 32 pixels.
    int iconPixelSize() const;

    void loadAppearance();
    void saveAppearance();
    void loadBarList();
    void saveBarList();

    // What the layout (manager/Layout.h) reads of the appearance.
    layout::Appearance appearance() const;

private:
    std::string configFileName() const;
    std::string settingsFileName() const;
    // Whether a category other than `except` has the name, without regard to letter case.
    bool hasBar(const std::string& name, const Bar* except = nullptr) const;
    // The place of `bar` in the list, or the end when it is not there.
    std::vector<std::unique_ptr<Bar>>::iterator positionOf(const Bar* bar);
    void appendBar(const std::string& name);
    void entryRemoving(const IconArea& entry) override;
    void categoryRemoving(const Bar& category) override;

    std::unique_ptr<IconLoader> iconLoader_;

public:
    std::vector<std::unique_ptr<Bar>> bars; // in display order
    std::string dataFolder;
    std::int32_t iconSizeType = std::int32_t(IconSizeType::Large); // 16 or 32 once loaded
    std::int32_t showIconTitle = false;
    platform::Font iconTitleFont;
    platform::Font barNameFont;
    std::uint8_t barLayout = std::uint8_t(BarLayout::NameLeft);
    std::uint8_t barNameAlignment = std::uint8_t(BarNameAlignment::Center);

private:
    std::vector<ModelWatcher*> watchers_;
};
