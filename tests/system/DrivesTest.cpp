// Runs through tools/wine-test-drive: drive T: is a folder with the label
// "KORVALDER T", the serial 1a2b3c4d and a folder Photos; Q: is no drive.
#include "system/drives/Drives.h"
#include "catalog/media/SystemDrives.h"
#include "system/files/FileQueries.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "catalog/media/DiskRecordInit.h"
#include "catalog/media/LocateItemMedia.h"
#include "tests/support/ScriptedPrompt.h"

namespace kv {
namespace {

TEST(Drives, MediaTypesOfFixedDrivesAndNoDrive) {
    EXPECT_EQ(GetMediaType('C'), MediaType::HardDisk);
    EXPECT_EQ(SharedMediaTypes().get('C'), MediaType::HardDisk);
    EXPECT_EQ(GetMediaType('t'), MediaType::HardDisk);
    EXPECT_EQ(GetMediaType('Q'), MediaType::Unknown);
    EXPECT_EQ(GetMediaType('?'), MediaType::Unknown);
}

TEST(Drives, VolumeDataOfTheMappedDrive) {
    const TDriveInfo info = ReadVolumeInfo('T');
    EXPECT_EQ(info.label, "Korvalder t");
    EXPECT_EQ(info.serialNumber, 0x1A2B3C4Du);
    EXPECT_FALSE(info.fileSystem.empty());
    EXPECT_GT(info.bytesPerSector, 0u);
    EXPECT_GT(info.sectorsPerCluster, 0u);
    EXPECT_GT(info.totalClusters, 0u);
    const std::uint64_t cluster = std::uint64_t{info.bytesPerSector} * info.sectorsPerCluster;
    EXPECT_NEAR(double(cluster * info.totalClusters), double(info.totalBytes), double(cluster));

    const TDriveInfo none = ReadVolumeInfo('Q');
    EXPECT_EQ(none.label, "(unknown)");
    EXPECT_EQ(none.fileSystem, "unknown");
}

TEST(Drives, DiskRecordOfTheMappedDrive) {
    TDiskRec disk;
    InitDiskRecord('T', disk);
    EXPECT_EQ(disk.flags & 0xEF, 0x23);
    EXPECT_EQ(disk.label, "Korvalder t");
    EXPECT_EQ(disk.volume.serialNumber, 0x1A2B3C4Du);
    EXPECT_EQ(disk.volume.mediaType, MediaType::HardDisk);
    EXPECT_GT(disk.volume.catalogued, 40000.0);  // some day after 2009

    // The disk is found again on T: among the machine's drives.
    SystemDrives drives;
    struct NoQuestions : MediaPrompts {
        void showInformation(const std::string& text, const std::string&) override { ADD_FAILURE() << text; }
        InsertMediaAnswer askInsertMedia(const std::string&, const std::string&, bool) override {
            ADD_FAILURE();
            return InsertMediaAnswer::Cancel;
        }
    } prompts;
    char letter = 0;
    EXPECT_EQ(LocateMedium(MediumIdentityOf(disk), false, drives, prompts, letter), LocateResult::Found);
    EXPECT_EQ(letter, 'T');
}

TEST(Drives, MissingMediumIsReportedThroughThePrompt) {
    TDiskRec disk;
    InitDiskRecord('T', disk);
    ui::ScriptedPrompt prompt;
    char letter = 0;
    EXPECT_EQ(LocateMedia(&disk, letter, true, prompt), LocateResult::NotFound);  // a record on no node
    EXPECT_TRUE(prompt.asked.empty());

    SystemDrives drives;
    PromptMediaPrompts prompts(prompt);
    MediumIdentity wanted = MediumIdentityOf(disk);
    wanted.serialNumber ^= 1;
    EXPECT_EQ(LocateMedium(wanted, true, drives, prompts, letter), LocateResult::ManualSelect);
    wanted.mediaType = MediaType::Zip100;
    EXPECT_EQ(LocateMedium(wanted, true, drives, prompts, letter), LocateResult::NotFound);
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[0].caption, "Non-Removable Media");
    EXPECT_EQ(prompt.asked[0].icon, ui::PromptIcon::Information);
    EXPECT_EQ(prompt.asked[1].caption, "No such device");
}

TEST(Drives, PathsAndReadiness) {
    EXPECT_TRUE(PathExists("T:\\"));
    EXPECT_TRUE(PathExists("T:\\Photos\\"));
    EXPECT_TRUE(PathExists("T:\\Photos\\one.jpg"));
    EXPECT_FALSE(PathExists("T:\\Missing\\"));
    EXPECT_FALSE(PathExists("Q:\\"));
    EXPECT_FALSE(PathExists(""));

    EXPECT_TRUE(CheckDriveReady('T'));
    EXPECT_FALSE(CheckDriveReady('Q'));
    ui::ScriptedPrompt prompt{ui::PromptAnswer::Retry, ui::PromptAnswer::Cancel};
    EXPECT_FALSE(CheckDriveReady('Q', &prompt));
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[0].text, "Drive Q: is not ready !");
    EXPECT_EQ(prompt.asked[0].caption, "Drive Not Ready");
    EXPECT_EQ(prompt.asked[0].buttons, ui::PromptButtons::RetryCancel);
    EXPECT_EQ(prompt.asked[0].icon, ui::PromptIcon::Stop);
}

TEST(Drives, SystemFolders) {
    const std::string temp = GetTempDir();
    ASSERT_GT(temp.size(), 3u);
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(PathExists(temp));
    const std::string windows = GetWindowsDir();
    EXPECT_EQ(windows.back(), '\\');
    EXPECT_TRUE(PathExists(windows + "system32\\"));
}

TEST(Drives, NoDeviceBehindTheLetterChangesNothing) {
    const SerialPatchResult r = SetVolumeSerial('T', 0x11111111);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.empty());
    EXPECT_EQ(ReadVolumeInfo('T').serialNumber, 0x1A2B3C4Du);
    EXPECT_FALSE(SetVolumeSerial('Q', 1).ok);
    EXPECT_FALSE(EjectMedia('Q'));
}

}  // namespace
}  // namespace kv
