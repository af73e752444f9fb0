#pragma once
// What the system tells about drives: media type, space and geometry, volume
// data, readiness; ejecting media and writing a new volume serial number.
#include <cstdint>
#include <string>

#include "catalog/BootSectorSerial.h"
#include "catalog/DriveInfo.h"
#include "catalog/ItemRecords.h"
#include "catalog/LocateMedia.h"
#include "catalog/MediaTypes.h"
#include "ui/UserPrompt.h"

namespace kv {

// The program-wide cache of media types, one entry per drive letter.
MediaTypeCache& SharedMediaTypes();

// A MediaType code, MediaType::Unknown when nothing could be learnt.
std::uint8_t GetMediaType(char letter);

// Fills the space and geometry of info (letter and file system set); true when
// the system answered. SkipQuery makes the geometry up from the total bytes.
bool GetDriveSpace(TDriveInfo& info, bool skipQuery);

// Volume data and space of a drive; "(unknown)" and "unknown" when the volume
// cannot be read.
TDriveInfo ReadVolumeInfo(char letter);

// A disk record for the medium in the drive, not yet scanned.
void InitDiskRecord(char letter, TDiskRec& disk);

bool EjectMedia(char letter);

// Writes a new serial number into a FAT volume's boot sector; the message says
// why not otherwise. Never writes anything to other volumes.
SerialPatchResult SetVolumeSerial(char letter, std::uint32_t serial);

// With prompt set, asks Retry/Cancel while the drive is not ready.
bool CheckDriveReady(char letter, ui::UserPrompt* prompt = nullptr);

// A drive root ("C:\") is looked up among the logical drives; anything else
// must exist as a file or folder (a trailing backslash is ignored).
bool PathExists(const std::string& path);

// With a trailing backslash; ".\" when the system does not say.
std::string GetTempDir();
std::string GetWindowsDir();

// The machine's drives as LocateMedia sees them.
class SystemDrives : public DriveSystem {
public:
    std::uint32_t logicalDrives() override;
    std::uint8_t mediaType(char letter) override { return GetMediaType(letter); }
    bool isReady(char letter) override { return CheckDriveReady(letter); }
    MediumIdentity readMedium(char letter) override;
    bool pathExists(const std::string& path) override { return PathExists(path); }
};

// LocateMedia over the machine's drives, asking through prompt. The search
// reads every candidate drive: callers show the hourglass (ui::ScopedHourglass).
LocateResult LocateMedia(const ItemHead* item, char& letter, bool allowManual, ui::UserPrompt& prompt);

}  // namespace kv
