#include "catalog/model/DiskSpace.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kv {

namespace {
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

std::int64_t SaturatingMul(std::int64_t a, std::int64_t b) {
    if (a == 0 || b == 0)
        return 0;
    return a > kMax / b ? kMax : a * b;
}

std::int64_t Clusters(const TDiskRec& disk, DiskSpaceKind what) {
    const std::int64_t total = disk.volume.totalClusters;
    const std::int64_t free = disk.volume.freeClusters;
    const std::int64_t other = disk.otherClusters;
    const std::int64_t used = total - free - other;
    switch (what) {
    case DiskSpaceKind::Total: return disk.isVirtual() ? used : total;
    case DiskSpaceKind::Free: return disk.isVirtual() ? 0 : free;
    case DiskSpaceKind::Used: return used;
    case DiskSpaceKind::Other: return other;
    }
    return 0;
}
}  // namespace

FixedSize GetDiskSpace(const TDiskRec& disk, DiskSpaceKind what) {
    const std::int64_t clusters = std::max<std::int64_t>(Clusters(disk, what), 0);
    const std::int64_t clusterBytes =
        SaturatingMul(disk.volume.sectorsPerCluster, disk.volume.bytesPerSector);
    const std::int64_t bytes = SaturatingMul(clusters, clusterBytes);
    return FixedSize::fromRaw(SaturatingMul(bytes, FixedSize::kScale));
}

}  // namespace kv
