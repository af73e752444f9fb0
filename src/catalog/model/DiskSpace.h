#pragma once
// The space figures of a catalogued disk, from its cluster counts.
#include "base/FixedSize.h"
#include "catalog/model/ItemRecords.h"

namespace kv {

enum class DiskSpaceKind { Total = 0, Free = 1, Used = 2, Other = 3 };

// Bytes as a fixed-point value; never negative, even for inconsistent counts
// (free plus other clusters above the total), and saturated instead of overflowing.
FixedSize GetDiskSpace(const TDiskRec& disk, DiskSpaceKind what);

}  // namespace kv
