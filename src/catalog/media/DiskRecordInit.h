#pragma once
// A new disk record made from what the drive queries returned.
#include <cstdint>

#include "system/drives/DriveInfo.h"
#include "catalog/model/ItemRecords.h"
#include "catalog/media/LocateMedia.h"

namespace kv {

// Resets every field of disk to the state of a disk not yet scanned and takes
// the volume's label, file system, serial, name length and geometry from info.
// The tree node and the file list are left alone: a fresh record has neither.
void FillDiskRecord(TDiskRec& disk, const TDriveInfo& info, std::uint8_t mediaType, double catalogued);

// What LocateMedia compares of a catalogued disk.
MediumIdentity MediumIdentityOf(const TDiskRec& disk);

}  // namespace kv
