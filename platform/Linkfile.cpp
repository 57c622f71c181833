#include "platform/Linkfile.h"

#include <algorithm>
#include <cstdint>

namespace platform::linkfile {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
// The shell-link class, 00021401-0000-0000-C000-000000000046, in its stored byte order.
constexpr unsigned char kLinkClassId[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                            0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::size_t kClassIdOffset = 4;
constexpr std::size_t kFlagsOffset = 20;
constexpr std::size_t kShowCommandOffset = 60;

namespace LinkFlag {
constexpr std::uint32_t HasTargetIdList = 0x001;
constexpr std::uint32_t HasLinkInfo = 0x002;
constexpr std::uint32_t HasName = 0x004;
constexpr std::uint32_t IsUnicode = 0x080;
constexpr std::uint32_t ForceNoLinkInfo = 0x100;
} // namespace LinkFlag

constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kVolumeIdSize = 0x11; // the fixed part and an empty label
constexpr std::uint32_t kDriveFixed = 3;
constexpr std::uint32_t kShowNormal = 1;

void putU16(std::string& out, std::uint32_t value) {
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

void putU32(std::string& out, std::uint32_t value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

void putU32At(std::string& out, std::size_t at, std::uint32_t value) {
    std::string bytes;
    putU32(bytes, value);
    out.replace(at, 4, bytes);
}

std::string linkInfo(const std::string& target) {
    const std::uint32_t volumeIdOffset = kLinkInfoHeaderSize;
    const std::uint32_t basePathOffset = volumeIdOffset + kVolumeIdSize;
    const auto suffixOffset = static_cast<std::uint32_t>(basePathOffset + target.size() + 1);
    std::string info;
    putU32(info, suffixOffset + 1); // LinkInfoSize
    putU32(info, kLinkInfoHeaderSize);
    putU32(info, kVolumeIdAndLocalBasePath);
    putU32(info, volumeIdOffset);
    putU32(info, basePathOffset);
    putU32(info, 0); // no network location
    putU32(info, suffixOffset);
    putU32(info, kVolumeIdSize);
    putU32(info, kDriveFixed);
    putU32(info, 0);    // serial number
    putU32(info, 0x10); // label offset: the label follows the fixed part
    info += '\0';       // empty label
    info += target;
    info += '\0';
    info += '\0'; // empty common path suffix
    return info;
}

// Bounds-checked little-endian reads from one block of bytes.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool has(std::size_t at, std::size_t count) const {
        return at <= bytes_.size() && count <= bytes_.size() - at;
    }
    std::optional<std::uint32_t> u16(std::size_t at) const {
        if (!has(at, 2)) return std::nullopt;
        return byte(at) | byte(at + 1) << 8;
    }
    std::optional<std::uint32_t> u32(std::size_t at) const {
        if (!has(at, 4)) return std::nullopt;
        return byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | byte(at + 3) << 24;
    }
    // The zero-terminated string at `at`; nothing when no zero ends it inside the block.
    std::optional<std::string> cString(std::size_t at) const {
        if (at >= bytes_.size()) return std::nullopt;
        const auto end = bytes_.find('\0', at);
        if (end == std::string_view::npos) return std::nullopt;
        return std::string(bytes_.substr(at, end - at));
    }
    std::string_view slice(std::size_t at, std::size_t count) const {
        return bytes_.substr(at, count);
    }

private:
    std::uint32_t byte(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }
    std::string_view bytes_;
};

std::optional<std::string> readLinkInfoTarget(const Reader& info) {
    const auto flags = info.u32(8);
    const auto basePathOffset = info.u32(16);
    const auto suffixOffset = info.u32(24);
    if (!flags || !basePathOffset || !suffixOffset) return std::nullopt;
    if (!(*flags & kVolumeIdAndLocalBasePath)) return std::string();
    const auto basePath = info.cString(*basePathOffset);
    if (!basePath) return std::nullopt;
    if (*suffixOffset == 0) return basePath;
    const auto suffix = info.cString(*suffixOffset);
    if (!suffix) return std::nullopt;
    return *basePath + *suffix;
}

std::string narrowed(std::string_view utf16) {
    std::string text;
    for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) {
        const unsigned unit =
            static_cast<unsigned char>(utf16[i]) | static_cast<unsigned char>(utf16[i + 1]) << 8;
        text += unit < 0x100 ? char(unit) : '?';
    }
    return text;
}

} // namespace

std::string encode(const LinkContent& content) {
    const std::string description = content.description.substr(0, 0xFFFF);
    std::uint32_t flags = 0;
    if (!content.target.empty()) flags |= LinkFlag::HasLinkInfo;
    if (!description.empty()) flags |= LinkFlag::HasName;

    std::string out(kHeaderSize, '\0');
    putU32At(out, 0, kHeaderSize);
    std::copy(std::begin(kLinkClassId), std::end(kLinkClassId), out.begin() + kClassIdOffset);
    putU32At(out, kFlagsOffset, flags);
    putU32At(out, kShowCommandOffset, kShowNormal);
    if (flags & LinkFlag::HasLinkInfo) out += linkInfo(content.target);
    if (flags & LinkFlag::HasName) {
        putU16(out, static_cast<std::uint32_t>(description.size()));
        out += description;
    }
    putU32(out, 0); // terminal block
    return out;
}

std::optional<LinkContent> decode(std::string_view bytes) {
    const Reader file(bytes);
    if (file.u32(0) != kHeaderSize || !file.has(0, kHeaderSize)) return std::nullopt;
    const std::string_view classId(reinterpret_cast<const char*>(kLinkClassId),
                                   sizeof kLinkClassId);
    if (bytes.substr(kClassIdOffset, classId.size()) != classId) return std::nullopt;
    const std::uint32_t flags = *file.u32(kFlagsOffset);
    std::size_t at = kHeaderSize;

    if (flags & LinkFlag::HasTargetIdList) {
        const auto idListSize = file.u16(at);
        if (!idListSize || !file.has(at + 2, *idListSize)) return std::nullopt;
        at += 2 + *idListSize;
    }

    LinkContent content;
    if ((flags & LinkFlag::HasLinkInfo) && !(flags & LinkFlag::ForceNoLinkInfo)) {
        const auto infoSize = file.u32(at);
        if (!infoSize || *infoSize < kLinkInfoHeaderSize || !file.has(at, *infoSize))
            return std::nullopt;
        const auto target = readLinkInfoTarget(Reader(file.slice(at, *infoSize)));
        if (!target) return std::nullopt;
        content.target = *target;
        at += *infoSize;
    }

    if (flags & LinkFlag::HasName) {
        const auto count = file.u16(at);
        const std::size_t unitSize = (flags & LinkFlag::IsUnicode) ? 2 : 1;
        if (!count || !file.has(at + 2, *count * unitSize)) return std::nullopt;
        const std::string_view stored = file.slice(at + 2, *count * unitSize);
        // Some writers count a terminating zero into the string; it ends the text.
        const std::string description = unitSize == 2 ? narrowed(stored) : std::string(stored);
        content.description = description.substr(0, description.find('\0'));
    }
    return content;
}

} // namespace platform::linkfile
