#include "controls/IconRules.h"

#include <charconv>

#include "system/drives/MediaTypes.h"

namespace kv {

namespace {

constexpr std::uint8_t kVirtualFlag = 0x80;

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string_view baseName(std::string_view path) {
    const auto slash = path.find_last_of("\\/:");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

int GetDriveIcon(const ItemIcons& icons, std::uint8_t mediaType, std::uint8_t flags) {
    if (flags & kVirtualFlag)
        return icons.virtualDisk;
    if (IsWideFloppy(mediaType))
        return icons.floppy525;
    if (IsSmallFloppy(mediaType))
        return icons.floppy35;
    switch (mediaType) {
    case MediaType::Tape: return icons.tape;
    case MediaType::Optical:
    case MediaType::CdRom: return icons.cdRom;
    case MediaType::Network: return icons.network;
    case MediaType::RamDisk: return icons.ramDisk;
    case MediaType::Removable: return icons.removable;
    case MediaType::Zip100: return icons.zipDrive;
    case MediaType::Jaz1GB: return icons.jazDrive;
    default: return icons.hardDisk;
    }
}

std::optional<IconLocation> ParseIconLocation(std::string_view text) {
    text = trim(text);
    IconLocation loc;
    std::string_view indexPart;
    if (!text.empty() && text.front() == '"') {
        const auto close = text.find('"', 1);
        if (close == std::string_view::npos)
            return std::nullopt;
        loc.file = std::string(text.substr(1, close - 1));
        std::string_view rest = trim(text.substr(close + 1));
        if (!rest.empty()) {
            if (rest.front() != ',')
                return std::nullopt;
            indexPart = trim(rest.substr(1));
        }
    } else {
        // A comma followed by no number belongs to the file name.
        const auto comma = text.rfind(',');
        int ignored = 0;
        const std::string_view tail = comma == std::string_view::npos ? std::string_view{} : trim(text.substr(comma + 1));
        const auto [ptr, ec] = std::from_chars(tail.data(), tail.data() + tail.size(), ignored);
        const bool numbered = !tail.empty() && ec == std::errc() && ptr == tail.data() + tail.size();
        loc.file = std::string(trim(numbered ? text.substr(0, comma) : text));
        if (numbered)
            indexPart = tail;
    }
    if (loc.file.empty())
        return std::nullopt;
    if (!indexPart.empty()) {
        const char* end = indexPart.data() + indexPart.size();
        auto [ptr, ec] = std::from_chars(indexPart.data(), end, loc.index);
        if (ec != std::errc() || ptr != end)
            return std::nullopt;
    }
    return loc;
}

int ExtensionIconCache::addIcon(std::string_view fileName) {
    const std::string name = upperAscii(baseName(fileName));
    if (name == "SETUP.EXE" || name == "INSTALL.EXE")
        return icons_.setup;
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot + 1 == name.size())
        return icons_.unknownFile;
    return resolve(name.substr(dot + 1)).index;
}

const ExtensionIconCache::Entry& ExtensionIconCache::resolve(const std::string& key) {
    if (auto it = entries_.find(key); it != entries_.end())
        return it->second;
    Entry entry{icons_.unknownFile, resolver_.typeName(key)};
    if (entry.typeName.empty())
        entry.typeName = "(unknown)";
    if (key == "EXE")
        entry.index = icons_.application;
    else if (key != "ICO" && key != "CUR")
        entry.index = resolver_.addIcon(key).value_or(icons_.unknownFile);
    return entries_.emplace(key, std::move(entry)).first->second;
}

std::optional<int> ExtensionIconCache::findExt(std::string_view ext) const {
    if (auto it = entries_.find(upperAscii(ext)); it != entries_.end())
        return it->second.index;
    return std::nullopt;
}

std::string ExtensionIconCache::typeName(std::string_view ext) const {
    if (auto it = entries_.find(upperAscii(ext)); it != entries_.end())
        return it->second.typeName;
    return {};
}

}  // namespace kv
