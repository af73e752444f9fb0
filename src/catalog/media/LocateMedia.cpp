#include "catalog/media/LocateMedia.h"

#include "system/drives/MediaTypes.h"

namespace kv {

namespace {

constexpr std::uint8_t kVirtualFlag = 0x80;

bool mayHold(std::uint8_t diskType, std::uint8_t driveType) {
    if (SameMediaType(diskType, driveType))
        return true;
    if (IsWideFloppy(diskType))
        return IsWideFloppy(driveType);
    return IsSmallFloppy(diskType) && IsSmallFloppy(driveType);
}

bool isFixedKind(std::uint8_t type) {
    return type == MediaType::HardDisk || type == MediaType::Network || type == MediaType::RamDisk;
}

bool search(const MediumIdentity& wanted, const std::vector<char>& candidates, DriveSystem& system, char& letter) {
    for (char drive : candidates) {
        if (!system.isReady(drive))
            continue;
        if (MediumMatches(wanted, system.readMedium(drive), drive, system)) {
            letter = drive;
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<char> CandidateDrives(std::uint8_t diskType, std::uint32_t drives, DriveSystem& system) {
    std::vector<char> result;
    for (int i = 0; i < 26; ++i) {
        const char letter = static_cast<char>('A' + i);
        if ((drives & (1u << i)) && mayHold(diskType, system.mediaType(letter)))
            result.push_back(letter);
    }
    return result;
}

bool MediumMatches(const MediumIdentity& wanted, const MediumIdentity& found, char letter, DriveSystem& system) {
    // A fresh record carries the drive's code, so a floppy matches in any drive of its width.
    if (wanted.serialNumber != found.serialNumber || wanted.label != found.label ||
        !mayHold(wanted.mediaType, found.mediaType))
        return false;
    if (wanted.isVirtual)
        return system.pathExists(std::string(1, letter) + ":" + wanted.virtualPath);
    if (wanted.compressed)
        return true;
    return wanted.totalBytes == found.totalBytes;
}

LocateResult LocateMedium(const MediumIdentity& wanted, bool allowManual, DriveSystem& system,
                          MediaPrompts& prompts, char& letter) {
    const std::vector<char> candidates = CandidateDrives(wanted.mediaType, system.logicalDrives(), system);
    if (candidates.empty()) {
        if (allowManual)
            prompts.showInformation("Sorry, there is no such device installed that could accept this media type.",
                                    "No such device");
        return LocateResult::NotFound;
    }
    const std::string mediaText = MediaTypeName(wanted.mediaType, wanted.isVirtual ? kVirtualFlag : 0);
    for (;;) {
        if (search(wanted, candidates, system, letter))
            return LocateResult::Found;
        if (isFixedKind(wanted.mediaType)) {
            std::string text = "The media you requested (" + mediaText +
                               ") was not found\r\nand does not seem to be removable.";
            if (allowManual)
                text += " Please select \rthe appropriate drive yourself if available.";
            prompts.showInformation(text, "Non-Removable Media");
            return allowManual ? LocateResult::ManualSelect : LocateResult::NotFound;
        }
        switch (prompts.askInsertMedia(wanted.label, "(Media type: " + mediaText + ")", allowManual)) {
        case InsertMediaAnswer::Retry: break;
        case InsertMediaAnswer::ManualSelect: return LocateResult::ManualSelect;
        case InsertMediaAnswer::Cancel: return LocateResult::NotFound;
        }
    }
}

}  // namespace kv
