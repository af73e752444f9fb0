#include "system/drives/MediaTypes.h"

#include <algorithm>

namespace kv {

namespace {

constexpr std::array<const char*, 16> kNames = {
    "Floppy 5.25\" DD", "Floppy 5.25\" HD", "Floppy 3.5\" DD", "Floppy 8\" SD",  "Floppy 8\" DD",
    "Hard disk",        "Tape drive",       "Floppy 3.5\" HD", "Optical drive", "Floppy 3.5\" EHD",
    "CD-ROM",           "Network drive",    "RAM disk",        "Removable drive", "iomega ZIP 100",
    "iomega JAZ 1GB",
};

constexpr std::uint8_t kVirtualFlag = 0x80;

struct NtPreference {
    std::uint32_t ntType;
    std::uint8_t code;
};
// Best first: a drive reporting several takes the first it has.
constexpr NtPreference kNtPreference[] = {
    {4, MediaType::Floppy35EHD}, {3, MediaType::Floppy35EHD}, {2, MediaType::Floppy35HD},
    {5, MediaType::Floppy35DD},  {1, MediaType::Floppy525HD}, {6, MediaType::Floppy525DD},
    {7, MediaType::Floppy525DD}, {8, MediaType::Floppy525DD}, {9, MediaType::Floppy525DD},
    {10, MediaType::Floppy525DD},
};

bool isPlainOrCartridge(std::uint8_t c) { return c >= MediaType::Removable && c <= MediaType::Jaz1GB; }

char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (asciiUpper(text[i]) != asciiUpper(prefix[i]))
            return false;
    return true;
}

}  // namespace

std::string MediaTypeName(std::uint8_t code, std::uint8_t flags) {
    if (code >= kNames.size())
        return "Unknown";
    std::string name = kNames[code];
    return (flags & kVirtualFlag) ? "Virtual " + name : name;
}

bool SameMediaType(std::uint8_t a, std::uint8_t b) {
    if (a == b)
        return true;
    return isPlainOrCartridge(a) && isPlainOrCartridge(b) &&
           (a == MediaType::Removable || b == MediaType::Removable);
}

bool IsWideFloppy(std::uint8_t code) {
    return code == MediaType::Floppy525DD || code == MediaType::Floppy525HD || code == MediaType::Floppy8SD ||
           code == MediaType::Floppy8DD;
}

bool IsSmallFloppy(std::uint8_t code) {
    return code == MediaType::Floppy35DD || code == MediaType::Floppy35HD || code == MediaType::Floppy35EHD;
}

std::uint8_t MediaTypeFromNtMediaTypes(std::span<const std::uint32_t> reported) {
    for (const auto& pref : kNtPreference)
        if (std::find(reported.begin(), reported.end(), pref.ntType) != reported.end())
            return pref.code;
    return MediaType::Unknown;
}

std::uint8_t MediaTypeFromScsiProduct(std::string_view productId) {
    if (startsWithNoCase(productId, "ZIP 100"))
        return MediaType::Zip100;
    if (startsWithNoCase(productId, "JAZ 1GB"))
        return MediaType::Jaz1GB;
    return MediaType::Removable;
}

int DriveIndex(char letter) {
    const char up = asciiUpper(letter);
    return up >= 'A' && up <= 'Z' ? up - 'A' : -1;
}

std::uint8_t MediaTypeCache::get(char letter) const {
    const int i = DriveIndex(letter);
    return i < 0 ? MediaType::Unknown : codes_[static_cast<std::size_t>(i)];
}

void MediaTypeCache::set(char letter, std::uint8_t code) {
    const int i = DriveIndex(letter);
    if (i >= 0)
        codes_[static_cast<std::size_t>(i)] = code;
}

}  // namespace kv
