#pragma once
// One category: a folder of shortcut files inside the data folder, the ordered list of its icon
// entries and its appearance settings. Where it is drawn is the category window's business.
//
// The folder holds config.txt (section Link: Count and the file names by index; section Titles:
// the titles by the same index; the older section Config is only read) and settings.txt
// (sections Background and BarNameFont). The folder and the stored list are reconciled only when
// the category is loaded; after that every change of the list is saved at once. Paths are never
// cached, so a rename is followed by every later access.

#include "platform/Color.h"
#include "platform/Font.h"
#include "store/Iconarea.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ModelWatcher;
namespace platform {
class IniSnapshot;
}

class Bar {
public:
    // Loads the category from its folder, which must exist already; writes nothing. The entries
    // are left unread from the shell (see IconArea::ShellState). `watcher`, when given, is told
    // before an entry is destroyed.
    Bar(ModelWatcher* watcher, std::string dataFolder, std::string name);
    Bar(const Bar&) = delete;
    Bar& operator=(const Bar&) = delete;

    std::string GetFolderPath() const;       // DataFolder + "\" + Name
    std::string GetConfigFileName() const;   // the folder + "\config.txt"
    std::string GetSettingsFileName() const; // the folder + "\settings.txt"
    const std::string& GetName() const { return Name; }
    // Renames the folder; false, with nothing changed, when the system refuses.
    bool Rename(const std::string& newName);

    void Load(); // LoadLinks, then LoadSettings
    // The stored list when config.txt has a Count (whatever its value), else a scan of the folder.
    void LoadLinks();
    // Replaces sections Link and Titles of config.txt with the list, in one step; throws
    // platform::IniWriteError when the file cannot be written.
    void SaveLinks();
    void LoadSettings();
    // Writes every key of settings.txt in one step; throws platform::IniWriteError on failure.
    void SaveSettings();

    int GetLinkCount() const { return static_cast<int>(Links.size()); }
    // Throws std::out_of_range for an index outside the list.
    IconArea* GetLink(int index) const;
    // The name a new shortcut for `sourcePath` gets in this folder: the source's file name, with
    // ".lnk" added unless it has that extension, and on a clash (with a file or a folder) its
    // base + " copyN.lnk" for the first free N from 0.
    std::string NewLinkFileName(const std::string& sourcePath) const;
    // Makes a new shortcut to `sourcePath` in the folder and inserts an entry for it before
    // `before` (at the end when null or not in the list), then saves the list. The entry is
    // added even when the shortcut could not be written, and it is read from the shell at once.
    IconArea* AddLink(const std::string& sourcePath, IconArea* before);
    // Inserts an entry for the shortcut file `linkFileName`, already in the folder, as AddLink.
    IconArea* InsertLinkFile(const std::string& linkFileName, IconArea* before);
    // Deletes the entry's shortcut file (a failure does not stop it), drops and destroys the
    // entry and saves the list. An entry of another category is left alone.
    void RemoveLink(IconArea* entry);
    platform::Color GetColor() const { return Color; }
    void SetColor(platform::Color color) { Color = color; }

    ModelWatcher* Watcher;
    std::string DataFolder;
    std::string Name;
    std::vector<std::unique_ptr<IconArea>> Links;
    platform::Color Color = platform::Colors::White;
    std::uint8_t BackgroundStyle = 2;
    platform::Font NameFont;
    bool UseOwnNameFont = false;
    bool UseBackgroundImage = false;

private:
    void ReadLinkList(const platform::IniSnapshot& config, int count);
    void ScanLinkFiles();
};

// Moves `entry` of `source` before `before` of `destination` (at the end when null). Within one
// category only the list changes; false when `before` is the entry itself. Between categories
// the shortcut file itself is copied into the destination under the name NewLinkFileName gives,
// so the entry opens what it opened before, and the old file and entry are removed; false, with
// nothing changed, when the copy fails. Both lists are saved.
bool MoveLink(Bar* source, IconArea* entry, Bar* destination, IconArea* before);
