#include "scan/DiskMatching.h"

#include <cstdio>

#include "base/text/AnsiCase.h"
#include "catalog/model/DiskSpace.h"
#include "system/SystemCaseMap.h"
#include "system/drives/MediaTypes.h"

namespace kv {

bool DriveFitsUpdate(std::uint8_t driveMediaType, std::uint8_t diskMediaType) {
    return SameMediaType(driveMediaType, diskMediaType) ||
           (IsWideFloppy(driveMediaType) && IsWideFloppy(diskMediaType)) ||
           (IsSmallFloppy(driveMediaType) && IsSmallFloppy(diskMediaType));
}

namespace {

bool SameIdentity(const TDiskRec& medium, const TDiskRec& disk) {
    return medium.volume.serialNumber == disk.volume.serialNumber && medium.label == disk.label &&
           SameMediaType(medium.volume.mediaType, disk.volume.mediaType);
}

// Folders of Windows media are named without regard to case.
bool SameRoot(const std::string& a, const std::string& b) {
    const CaseMap& map = systemCaseMap();
    return a.size() == b.size() && upperCase(a, map) == upperCase(b, map);
}

bool Compressed(const TDiskRec& disk) { return HasFlag(disk.flags, ItemFlags::Archive); }

bool SameTotal(const TDiskRec& a, const TDiskRec& b) {
    return GetDiskSpace(a, DiskSpaceKind::Total) == GetDiskSpace(b, DiskSpaceKind::Total);
}

}  // namespace

std::vector<Node*> FindMatchingDisks(const Node& catalog, const MediumChoice& medium) {
    std::vector<Node*> out;
    if (!medium.volume) return out;
    const bool virtualChosen = !medium.virtualRoot.empty();
    for (const auto& child : catalog.children()) {
        const auto* disk = RecordAs<TDiskRec>(child->record());
        if (!disk || disk == medium.volume || !SameIdentity(*medium.volume, *disk)) continue;
        if (disk->isVirtual() != virtualChosen) continue;
        if (virtualChosen) {
            // Two virtual disks of one drive are told apart by their roots.
            if (!SameRoot(disk->virtualPath, medium.virtualRoot)) continue;
            if (medium.folderExists &&
                !medium.folderExists(std::string(1, medium.letter) + ":" + medium.virtualRoot))
                continue;
        } else if (!Compressed(*disk) && !SameTotal(*medium.volume, *disk)) {
            continue;
        }
        out.push_back(child.get());
    }
    return out;
}

bool MediaMatchesDisk(const MediumChoice& medium, const TDiskRec& updated) {
    if (!medium.volume || !SameIdentity(*medium.volume, updated)) return false;
    if (!medium.virtualRoot.empty()) return SameRoot(updated.virtualPath, medium.virtualRoot) || Compressed(updated);
    return Compressed(updated) || SameTotal(*medium.volume, updated);
}

std::string SerialText(std::uint32_t serial) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X-%04X", static_cast<unsigned>(serial >> 16),
                  static_cast<unsigned>(serial & 0xFFFF));
    return text;
}

std::string DriveStatusText(const MediumChoice& medium, bool addMode, bool matched) {
    if (!medium.volume) return "No drive selected";
    const TDiskRec& v = *medium.volume;
    const std::uint8_t flags = medium.virtualRoot.empty() ? v.flags : static_cast<std::uint8_t>(v.flags | ItemFlags::VirtualDisk);
    std::string text = MediaTypeName(v.volume.mediaType, flags) + " (" + medium.letter + ":), ";
    if (addMode)
        return text + "Serial num: " + SerialText(v.volume.serialNumber) +
               (matched ? ", already exists in catalog" : ", not found in catalog");
    return text + (matched ? "media match confirmed, ready to update" : "does NOT match the media selected for update");
}

}  // namespace kv
