#include "system/drives/DriveGeometry.h"

#include <limits>

namespace kv {

namespace {

constexpr std::int64_t kFat32SmallLimit = 268435456;      // 256 MB
constexpr std::int64_t kFat32FirstThreshold = 8589934592;  // 8 GB
constexpr std::int64_t kOtherFirstThreshold = 33554431;
// Keeps the cluster size within 32 bits whatever size a drive claims.
constexpr std::uint32_t kMaxSectorsPerCluster = 1u << 22;

std::uint32_t doubledWhileAbove(std::int64_t total, std::uint32_t sectors, std::int64_t threshold) {
    while (total > threshold && sectors < kMaxSectorsPerCluster) {
        sectors *= 2;
        threshold *= 2;
    }
    return sectors;
}

}  // namespace

std::uint32_t RoundClusters(std::int64_t value, std::uint64_t divisor) {
    if (value <= 0 || divisor == 0)
        return 0;
    const auto v = static_cast<std::uint64_t>(value);
    std::uint64_t q = v / divisor;
    const std::uint64_t r = v % divisor;
    const std::uint64_t rest = divisor - r;
    if (r > rest || (r == rest && (q & 1) != 0))
        ++q;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(q > kMax ? kMax : q);
}

void MakeUpGeometry(TDriveInfo& info) {
    const std::int64_t total = info.totalBytes;
    if (info.fileSystem == "FAT32") {
        info.bytesPerSector = 512;
        info.sectorsPerCluster = total < kFat32SmallLimit ? 1 : doubledWhileAbove(total, 8, kFat32FirstThreshold);
    } else if (info.fileSystem == "CDFS") {
        info.bytesPerSector = 2048;
        info.sectorsPerCluster = 1;
    } else {
        info.bytesPerSector = 512;
        info.sectorsPerCluster = doubledWhileAbove(total, 1, kOtherFirstThreshold);
    }
    const std::uint64_t clusterBytes = std::uint64_t{info.bytesPerSector} * info.sectorsPerCluster;
    info.totalClusters = RoundClusters(total, clusterBytes);
    info.freeClusters = RoundClusters(info.freeBytes, clusterBytes);
}

}  // namespace kv
