#include "system/drives/DriveGeometry.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

constexpr std::int64_t MB = 1024 * 1024;
constexpr std::int64_t GB = 1024 * MB;

TEST(DriveGeometry, MadeUpFromTotalBytes) {
    struct Case {
        const char* fs;
        std::int64_t total;
        std::uint32_t bps, spc;
    };
    const Case cases[] = {
        {"FAT32", 40 * GB, 512, 64},
        {"FAT32", 256 * MB - 1, 512, 1},
        {"FAT32", 256 * MB, 512, 8},
        {"FAT32", 8 * GB, 512, 8},
        {"FAT32", 8 * GB + 1, 512, 16},
        {"FAT32", 16 * GB + 1, 512, 32},
        {"CDFS", 650 * MB, 2048, 1},
        {"NTFS", 33554431, 512, 1},
        {"NTFS", 33554432, 512, 2},
        {"NTFS", 67108862, 512, 2},
        {"NTFS", 67108863, 512, 4},
        {"FAT", 1457664, 512, 1},
        {"unknown", 0, 512, 1},
    };
    for (const auto& c : cases) {
        TDriveInfo info;
        info.fileSystem = c.fs;
        info.totalBytes = c.total;
        MakeUpGeometry(info);
        EXPECT_EQ(info.bytesPerSector, c.bps) << c.fs << " " << c.total;
        EXPECT_EQ(info.sectorsPerCluster, c.spc) << c.fs << " " << c.total;
    }
}

TEST(DriveGeometry, ClusterCountsRoundInSixtyFourBits) {
    TDriveInfo info;
    info.fileSystem = "FAT32";
    info.totalBytes = 40 * GB;
    info.freeBytes = 10 * GB + 16 * 1024;  // exactly half a cluster over
    MakeUpGeometry(info);
    EXPECT_EQ(info.totalClusters, 40 * GB / (64 * 512));
    EXPECT_EQ(info.freeClusters, 10 * GB / (64 * 512));  // tie goes to even
    EXPECT_EQ(std::uint64_t{info.totalClusters} * info.sectorsPerCluster * info.bytesPerSector,
              static_cast<std::uint64_t>(info.totalBytes));
}

TEST(DriveGeometry, RoundClustersTiesToEvenAndNeverWraps) {
    EXPECT_EQ(RoundClusters(5, 2), 2u);
    EXPECT_EQ(RoundClusters(7, 2), 4u);
    EXPECT_EQ(RoundClusters(1023, 512), 2u);
    EXPECT_EQ(RoundClusters(767, 512), 1u);
    EXPECT_EQ(RoundClusters(-512, 512), 0u);
    EXPECT_EQ(RoundClusters(512, 0), 0u);
    EXPECT_EQ(RoundClusters(INT64_MAX, 1), UINT32_MAX);
}

TEST(DriveGeometry, AbsurdSizesKeepTheClusterWithinThirtyTwoBits) {
    for (const char* fs : {"FAT32", "NTFS"}) {
        TDriveInfo info;
        info.fileSystem = fs;
        info.totalBytes = INT64_MAX;
        info.freeBytes = -1;
        MakeUpGeometry(info);
        EXPECT_LE(std::uint64_t{info.sectorsPerCluster} * info.bytesPerSector, std::uint64_t{UINT32_MAX}) << fs;
        EXPECT_EQ(info.freeClusters, 0u);
    }
}

}  // namespace
}  // namespace kv
