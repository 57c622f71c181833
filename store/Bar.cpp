#include "store/Bar.h"

#include "platform/Files.h"
#include "platform/Inifile.h"
#include "platform/Initext.h"
#include "platform/Text.h"
#include "store/Modelwatcher.h"
#include "store/Vcltools.h"
#include "store/Wintools.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_set>

namespace {

constexpr const char* kLinkSection = "Link";
constexpr const char* kTitlesSection = "Titles";
// Attribute bits a scanned shortcut may carry: read-only, hidden, system, volume label,
// directory, archive. A match with any other bit is not taken.
constexpr std::uint32_t kScannedAttributes = 0x3F;

using LinkList = std::vector<std::unique_ptr<IconArea>>;

// Whether the system may find a file under `name` that a folder listing shows spelled otherwise:
// letters beyond A to Z fold by the file system's own table, and a name ending in a dot or blank
// is opened without them. An ASCII name the listing lacks is not there.
bool MaySpellAnotherListedName(std::string_view name) {
    const bool beyondAscii = std::any_of(name.begin(), name.end(),
                                         [](char c) { return static_cast<unsigned char>(c) > 127; });
    return beyondAscii || (!name.empty() && (name.back() == '.' || name.back() == ' '));
}

// The first place of `entry` in `links`, or the end when it is not there (or null).
LinkList::iterator PositionOf(LinkList& links, const IconArea* entry) {
    return std::find_if(links.begin(), links.end(),
                        [entry](const auto& link) { return link.get() == entry; });
}

} // namespace

Bar::Bar(ModelWatcher* watcher, std::string dataFolder, std::string name)
    : Watcher(watcher), DataFolder(std::move(dataFolder)), Name(std::move(name)) {
    NameFont.name = "Verdana";
    Load();
}

std::string Bar::GetFolderPath() const {
    return DataFolder + "\\" + Name;
}

std::string Bar::GetConfigFileName() const {
    return GetFolderPath() + "\\config.txt";
}

std::string Bar::GetSettingsFileName() const {
    return GetFolderPath() + "\\settings.txt";
}

bool Bar::Rename(const std::string& newName) {
    if (!platform::renameFile(GetFolderPath(), DataFolder + "\\" + newName)) return false;
    Name = newName;
    return true;
}

void Bar::Load() {
    LoadLinks();
    LoadSettings();
}

void Bar::LoadLinks() {
    const platform::IniSnapshot config(GetConfigFileName());
    if (!config.valueExists(kLinkSection, "Count")) {
        ScanLinkFiles();
        return;
    }
    const int count = config.readInteger(kLinkSection, "Count", -1);
    if (count > 0) ReadLinkList(config, count);
}

// Titles go by the index in the file, so a skipped index does not shift later titles.
void Bar::ReadLinkList(const platform::IniSnapshot& config, int count) {
    // One listing answers for nearly every entry: a file system call per entry would cost a
    // tenth of a millisecond each under Wine. Only a name the listing may show spelled otherwise
    // is asked for on its own.
    std::unordered_set<std::string> listedFiles;
    for (const auto& file : platform::listFolder(GetFolderPath(), "*"))
        if (!(file.attributes & platform::FileAttribute::Directory))
            listedFiles.insert(platform::lowerAscii(file.name));
    for (const int index : config.readIndexKeys(kLinkSection, count)) {
        const std::string key = std::to_string(index);
        const std::string fileName = config.readString(kLinkSection, key, "");
        // A name leading out of the category folder would let RemoveLink delete a file there.
        if (!platform::isPlainName(fileName)) continue;
        if (!listedFiles.count(platform::lowerAscii(fileName)) &&
            !(MaySpellAnotherListedName(fileName) &&
              platform::fileExists(GetFolderPath() + "\\" + fileName)))
            continue;
        auto entry = std::make_unique<IconArea>(this, fileName);
        const std::string title(platform::trimBlanks(config.readString(kTitlesSection, key, "")));
        if (!title.empty()) entry->SetTitle(title);
        Links.push_back(std::move(entry));
    }
}

void Bar::ScanLinkFiles() {
    for (const auto& match : platform::listFolder(GetFolderPath(), "*.lnk"))
        if ((match.attributes & ~kScannedAttributes) == 0)
            Links.push_back(std::make_unique<IconArea>(this, match.name));
}

void Bar::SaveLinks() {
    platform::IniBatch config(GetConfigFileName());
    config.eraseSection(kLinkSection)
        .eraseSection(kTitlesSection)
        .writeInteger(kLinkSection, "Count", GetLinkCount());
    for (int index = 0; index < GetLinkCount(); ++index) {
        const IconArea& entry = *Links[index];
        const std::string key = std::to_string(index);
        // A name such as " copy0.lnk" must not lose its blank on the way back.
        config.writeString(kLinkSection, key,
                           platform::ini::quotedForReading(ExtractFileName(entry.LinkFileName)));
        config.writeString(kTitlesSection, key, platform::ini::quotedForReading(entry.GetTitle()));
    }
    config.commit();
}

void Bar::LoadSettings() {
    const int oldColor = platform::IniSnapshot(GetConfigFileName())
                             .readInteger("Config", "Color", platform::Colors::White);
    const platform::IniSnapshot settings(GetSettingsFileName());
    Color = settings.readInteger("Background", "BackgoundColor", oldColor);
    UseBackgroundImage = settings.readBool("Background", "UseBackgroundImage", true);
    BackgroundStyle = ReadLowByte(settings, "Background", "BackgroundImageStyle", 0);
    UseOwnNameFont = settings.readBool("BarNameFont", "UseOwnBarNameFont", false);
    ReadFont(settings, "BarNameFont", NameFont, NameFont);
}

void Bar::SaveSettings() {
    platform::IniBatch settings(GetSettingsFileName());
    settings.writeBool("Background", "UseBackgroundImage", UseBackgroundImage)
        .writeInteger("Background", "BackgroundImageStyle", BackgroundStyle)
        .writeInteger("Background", "BackgoundColor", Color)
        .writeBool("BarNameFont", "UseOwnBarNameFont", UseOwnNameFont);
    WriteFont(settings, "BarNameFont", NameFont);
    settings.commit();
}

IconArea* Bar::GetLink(int index) const {
    return Links.at(static_cast<std::size_t>(index)).get();
}

std::string Bar::NewLinkFileName(const std::string& sourcePath) const {
    std::string name = ExtractFileName(sourcePath);
    const std::string base = StripFileExt(name);
    // The extension compares as INI names do: ASCII letters without regard to case.
    if (!platform::ini::sameName(std::string_view(name).substr(base.size()), ".lnk"))
        name += ".lnk";
    const std::string linkBase = StripFileExt(name);
    // A folder of that name clashes too: no shortcut could be written in its place.
    for (int copy = 0; platform::fileAttributes(GetFolderPath() + "\\" + name); ++copy)
        name = linkBase + " copy" + std::to_string(copy) + ".lnk";
    return name;
}

IconArea* Bar::AddLink(const std::string& sourcePath, IconArea* before) {
    const std::string fileName = NewLinkFileName(sourcePath);
    CreateShortcut(sourcePath, GetFolderPath() + "\\" + fileName, "");
    return InsertLinkFile(fileName, before);
}

IconArea* Bar::InsertLinkFile(const std::string& linkFileName, IconArea* before) {
    auto entry = std::make_unique<IconArea>(this, linkFileName);
    // One entry, and the user is waiting to see it: no reason to leave it to the idle loader.
    entry->LoadNow();
    IconArea* added = entry.get();
    Links.insert(PositionOf(Links, before), std::move(entry));
    SaveLinks();
    return added;
}

void Bar::RemoveLink(IconArea* entry) {
    const auto position = PositionOf(Links, entry);
    if (position == Links.end()) return;
    platform::deleteFile(entry->GetLinkPath());
    if (Watcher) Watcher->entryRemoving(*entry);
    Links.erase(position);
    SaveLinks();
}

namespace {

bool MoveWithinBar(Bar& bar, IconArea* entry, IconArea* before) {
    if (before == entry) return false;
    const auto position = PositionOf(bar.Links, entry);
    if (position == bar.Links.end()) return false;
    auto moved = std::move(*position);
    bar.Links.erase(position);
    bar.Links.insert(PositionOf(bar.Links, before), std::move(moved));
    bar.SaveLinks();
    return true;
}

} // namespace

// Between categories the file is copied rather than pointed at: a new shortcut whose target is
// the old shortcut file would open nothing once that file is removed.
bool MoveLink(Bar* source, IconArea* entry, Bar* destination, IconArea* before) {
    if (source == destination) return MoveWithinBar(*source, entry, before);
    if (PositionOf(source->Links, entry) == source->Links.end()) return false;
    const std::string oldPath = entry->GetLinkPath();
    const std::string fileName = destination->NewLinkFileName(oldPath);
    if (!platform::copyFile(oldPath, destination->GetFolderPath() + "\\" + fileName)) return false;
    destination->InsertLinkFile(fileName, before);
    source->RemoveLink(entry);
    return true;
}
