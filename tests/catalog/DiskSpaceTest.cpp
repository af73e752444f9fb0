#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "catalog/model/DiskSpace.h"

namespace kv {
namespace {

std::unique_ptr<TDiskRec> Disk(std::uint32_t total, std::uint32_t free, std::uint32_t other, bool isVirtual) {
    auto disk = std::make_unique<TDiskRec>();
    TDiskRec& d = *disk;
    d.volume.bytesPerSector = 512;
    d.volume.sectorsPerCluster = 8;  // 4096-byte clusters
    d.volume.totalClusters = total;
    d.volume.freeClusters = free;
    d.otherClusters = other;
    SetFlag(d.flags, ItemFlags::VirtualDisk, isVirtual);
    return disk;
}

TEST(DiskSpace, FiguresFromClusterCounts) {
    struct Case {
        const char* what;
        std::uint32_t total, free, other;
        bool isVirtual;
        std::int64_t totalC, freeC, usedC, otherC;  // expected, in clusters
    };
    const Case cases[] = {
        {"normal", 1000, 300, 0, false, 1000, 300, 700, 0},
        {"virtual", 1000, 300, 200, true, 500, 0, 500, 200},
        {"free and other above total", 100, 80, 50, true, 0, 0, 0, 50},
        {"free above total", 100, 4000000000u, 0, false, 100, 4000000000, 0, 0},
        {"large volume", 4000000000u, 0, 0, false, 4000000000, 0, 4000000000, 0},
    };
    const std::int64_t cluster = 4096;
    for (const Case& c : cases) {
        const auto disk = Disk(c.total, c.free, c.other, c.isVirtual);
        const TDiskRec& d = *disk;
        EXPECT_EQ(GetDiskSpace(d, DiskSpaceKind::Total), FixedSize::fromBytes(c.totalC * cluster)) << c.what;
        EXPECT_EQ(GetDiskSpace(d, DiskSpaceKind::Free), FixedSize::fromBytes(c.freeC * cluster)) << c.what;
        EXPECT_EQ(GetDiskSpace(d, DiskSpaceKind::Used), FixedSize::fromBytes(c.usedC * cluster)) << c.what;
        EXPECT_EQ(GetDiskSpace(d, DiskSpaceKind::Other), FixedSize::fromBytes(c.otherC * cluster)) << c.what;
        EXPECT_EQ(GetDiskSpace(d, static_cast<DiskSpaceKind>(9)), FixedSize{}) << c.what;
    }
}

TEST(DiskSpace, GeometryFromADamagedFileSaturates) {
    auto disk = Disk(0xFFFFFFFF, 0, 0, false);
    TDiskRec& d = *disk;
    d.volume.bytesPerSector = 0xFFFFFFFF;
    d.volume.sectorsPerCluster = 0xFFFFFFFF;
    EXPECT_EQ(GetDiskSpace(d, DiskSpaceKind::Total).raw, std::numeric_limits<std::int64_t>::max());
    d.volume.bytesPerSector = 0;
    EXPECT_EQ(GetDiskSpace(d, DiskSpaceKind::Total).raw, 0);
}

}  // namespace
}  // namespace kv
