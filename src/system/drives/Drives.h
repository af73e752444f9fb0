#pragma once
// What the system tells about drives: media type, space and geometry, volume
// data, readiness; ejecting media and writing a new volume serial number.
// Answered by the Windows build only.
#include <cstdint>
#include <string>

#include "system/drives/BootSectorSerial.h"
#include "system/drives/DriveInfo.h"
#include "system/drives/MediaTypes.h"

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

bool EjectMedia(char letter);

// Writes a new serial number into a FAT volume's boot sector; the message says
// why not otherwise. Never writes anything to other volumes.
SerialPatchResult SetVolumeSerial(char letter, std::uint32_t serial);

// The drives the system has: bit 0 is A:.
std::uint32_t LogicalDrives();

// Whether the drive holds a readable medium now; asks nothing.
bool CheckDriveReady(char letter);

// The moment of cataloguing in the catalog's date form (local time).
double CatalogNow();

}  // namespace kv
