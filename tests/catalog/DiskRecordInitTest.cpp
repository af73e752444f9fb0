#include "catalog/media/DiskRecordInit.h"

#include <gtest/gtest.h>

#include "ModelFixture.h"
#include "catalog/media/LocateItemMedia.h"
#include "system/drives/MediaTypes.h"

namespace kv::test {
namespace {

TDriveInfo zipDrive() {
    TDriveInfo info;
    info.letter = 'E';
    info.label = "Backup";
    info.fileSystem = "FAT";
    info.serialNumber = 0x1234ABCD;
    info.maxNameLength = 255;
    info.bytesPerSector = 512;
    info.sectorsPerCluster = 4;
    info.totalClusters = 48000;
    info.freeClusters = 1000;
    return info;
}

TEST(DiskRecordInit, FreshRecordTakesTheVolumeAndForgetsTheOld) {
    TDiskRec disk;
    disk.flags = ItemFlags::Disk | ItemFlags::VirtualDisk | ItemFlags::HasDescriptions;
    disk.virtualPath = "\\Old\\";
    disk.description = "old";
    disk.sectionPos = 100;
    disk.changed = false;
    disk.volume.fileCount = 9;
    disk.otherClusters = 5;
    disk.indexWord(ResultSlot::UserList) = 3;

    TDriveInfo info = zipDrive();
    info.compressed = true;
    FillDiskRecord(disk, info, MediaType::Zip100, 45000.5);
    EXPECT_EQ(disk.flags, 0x33);  // disk, in the search scope, compressed
    EXPECT_EQ(disk.sectionPos, -1);
    EXPECT_EQ(disk.header.sectionSize, -1);
    EXPECT_EQ(disk.header.folderTreeOffset, -1);
    EXPECT_EQ(disk.header.rootListOffset, -1);
    EXPECT_EQ(disk.header.rootListSize, -1);
    EXPECT_EQ(disk.header.rootFileCount, 0u);
    EXPECT_TRUE(disk.changed);
    EXPECT_TRUE(disk.loaded);
    EXPECT_EQ(disk.volume.mediaType, MediaType::Zip100);
    EXPECT_EQ(disk.volume.skipFlags, 0);
    EXPECT_EQ(disk.volume.fileCount, 0u);
    EXPECT_EQ(disk.volume.catalogued, 45000.5);
    EXPECT_EQ(disk.volume.serialNumber, 0x1234ABCDu);
    EXPECT_EQ(disk.volume.maxNameLength, 255u);
    EXPECT_EQ(disk.volume.totalClusters, 48000u);
    EXPECT_EQ(disk.otherClusters, 0u);
    EXPECT_EQ(disk.label, "Backup");
    EXPECT_EQ(disk.fileSystem, "FAT");
    EXPECT_TRUE(disk.virtualPath.empty());
    EXPECT_TRUE(disk.description.empty());
    EXPECT_EQ(disk.indexWord(ResultSlot::UserList), kNotListed);

    const MediumIdentity m = MediumIdentityOf(disk);
    EXPECT_EQ(m.totalBytes, 48000ull * 4 * 512);
    EXPECT_TRUE(m.compressed);
    EXPECT_FALSE(m.isVirtual);
}

class OneDrive : public DriveSystem {
public:
    MediumIdentity medium;
    std::uint32_t logicalDrives() override { return 1u << 4; }
    std::uint8_t mediaType(char) override { return MediaType::Zip100; }
    bool isReady(char) override { return true; }
    MediumIdentity readMedium(char) override { return medium; }
    bool pathExists(const std::string&) override { return false; }
};

class NoPrompts : public MediaPrompts {
public:
    void showInformation(const std::string&, const std::string&) override { ADD_FAILURE(); }
    InsertMediaAnswer askInsertMedia(const std::string&, const std::string&, bool) override {
        ++asked;
        return InsertMediaAnswer::Cancel;
    }
    int asked = 0;
};

TEST(DiskRecordInit, ItemsFindTheDriveOfTheirDisk) {
    ModelFixture m;
    FillDiskRecord(m.diskRec(), zipDrive(), MediaType::Removable, 1.0);
    TDiskRec fresh;
    FillDiskRecord(fresh, zipDrive(), MediaType::Zip100, 2.0);
    OneDrive drives;
    drives.medium = MediumIdentityOf(fresh);
    NoPrompts prompts;

    char letter = 0;
    const ItemHead* fileInC = ModelFixture::folderRec(*m.c).files.first();
    EXPECT_EQ(LocateMedia(fileInC, letter, false, drives, prompts), LocateResult::Found);
    EXPECT_EQ(letter, 'E');
    EXPECT_EQ(LocateMedia(&m.catalogRec(), letter, false, drives, prompts), LocateResult::NotFound);
    EXPECT_EQ(LocateMedia(nullptr, letter, false, drives, prompts), LocateResult::NotFound);

    drives.medium.totalBytes += 512;  // another cartridge of the same name and serial
    EXPECT_EQ(LocateMedia(&m.diskRec(), letter, false, drives, prompts), LocateResult::NotFound);
    EXPECT_EQ(prompts.asked, 1);
}

}  // namespace
}  // namespace kv::test
