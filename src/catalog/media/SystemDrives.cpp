#include "catalog/media/SystemDrives.h"

#include "catalog/media/DiskRecordInit.h"
#include "catalog/media/LocateItemMedia.h"
#include "system/drives/Drives.h"
#include "system/files/FileQueries.h"

namespace kv {

std::uint32_t SystemDrives::logicalDrives() { return LogicalDrives(); }

std::uint8_t SystemDrives::mediaType(char letter) { return GetMediaType(letter); }

bool SystemDrives::isReady(char letter) { return CheckDriveReady(letter); }

MediumIdentity SystemDrives::readMedium(char letter) {
    TDiskRec disk;
    InitDiskRecord(letter, disk);
    return MediumIdentityOf(disk);
}

bool SystemDrives::pathExists(const std::string& path) { return PathExists(path); }

void InitDiskRecord(char letter, TDiskRec& disk) {
    const std::uint8_t mediaType = GetMediaType(letter);
    FillDiskRecord(disk, ReadVolumeInfo(letter), mediaType, CatalogNow());
}

bool CheckDriveReady(char letter, ui::UserPrompt* prompt) {
    for (;;) {
        if (CheckDriveReady(letter))
            return true;
        if (!prompt)
            return false;
        const ui::PromptAnswer a =
            prompt->ask({"Drive " + std::string(1, letter) + ": is not ready !", "Drive Not Ready",
                         ui::PromptButtons::RetryCancel, ui::PromptIcon::Stop});
        if (a != ui::PromptAnswer::Retry)
            return false;
    }
}

LocateResult LocateMedia(const ItemHead* item, char& letter, bool allowManual, ui::UserPrompt& prompt) {
    SystemDrives drives;
    PromptMediaPrompts prompts(prompt);
    return LocateMedia(item, letter, allowManual, drives, prompts);
}

}  // namespace kv
