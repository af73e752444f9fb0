#pragma once
// Geometry for drives that report none we can trust (CDs, the extended size
// call, disks imported without it): sector and cluster sizes made up from the
// total bytes, and cluster counts to match.
#include <cstdint>

#include "system/drives/DriveInfo.h"

namespace kv {

// Fills bytes per sector, sectors per cluster and the cluster counts of info
// from its file-system name and its total and free bytes.
void MakeUpGeometry(TDriveInfo& info);

// value / divisor rounded to the nearest whole number, ties to even; negative
// values give 0 and results above 32 bits saturate. Every cluster count the
// program derives from bytes goes through here, so stored and fresh counts agree.
std::uint32_t RoundClusters(std::int64_t value, std::uint64_t divisor);

}  // namespace kv
