#pragma once
// The machine's drives as the catalog sees them: LocateMedia over the drive
// queries, a disk record for the medium in a drive, readiness with a question.
// Built for Windows only, where the drive queries are answered.
#include <cstdint>
#include <string>

#include "catalog/media/LocateMedia.h"
#include "catalog/model/ItemHead.h"
#include "catalog/model/ItemRecords.h"
#include "ui/UserPrompt.h"

namespace kv {

class SystemDrives : public DriveSystem {
public:
    std::uint32_t logicalDrives() override;
    std::uint8_t mediaType(char letter) override;
    bool isReady(char letter) override;
    MediumIdentity readMedium(char letter) override;
    bool pathExists(const std::string& path) override;
};

// A disk record for the medium in the drive, not yet scanned.
void InitDiskRecord(char letter, TDiskRec& disk);

// Asks Retry/Cancel while the drive is not ready.
bool CheckDriveReady(char letter, ui::UserPrompt* prompt);

// LocateMedia over the machine's drives, asking through prompt. The search
// reads every candidate drive: callers show the hourglass (ui::ScopedHourglass).
LocateResult LocateMedia(const ItemHead* item, char& letter, bool allowManual, ui::UserPrompt& prompt);

}  // namespace kv
