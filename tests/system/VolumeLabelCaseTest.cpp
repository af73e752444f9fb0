#include "system/drives/VolumeLabelCase.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(VolumeLabelCase, CapitalsAreLoweredAndTheFirstLetterRaised) {
    const std::pair<std::string, std::string> cases[] = {
        {"MY DISK", "My disk"}, {"myDisk", "MyDisk"}, {"", ""},          {"1ST BACKUP", "1st backup"},
        {"X", "X"},             {"\xC9T\xC9", "\xC9t\xE9"}, {"Mixed Case", "Mixed Case"},
        {"README.TXT", "Readme.txt"},
        {"\\DOS\\UTIL", "\\dos\\util"},
        {"ReadMe", "ReadMe"},
        {"MY Disk", "MY Disk"},
        {"1ST DISK_2", "1st disk_2"},
        {"123", "123"},
        {"\xC4PFEL", "\xC4pfel"},  // Windows-1252 letters
        {"\xC4PFEl", "\xC4PFEl"},
        {"STRA\xDF" "E", "STRA\xDF" "E"},  // sharp s is a lower-case letter
    };
    for (const auto& [in, out] : cases) {
        std::string label = in;
        RecaseVolumeLabel(label, cp1252CaseMap());
        EXPECT_EQ(label, out) << in;
    }
}

TEST(VolumeLabelCase, AnswerIsCutAndUpperCased) {
    TDriveInfo info;
    RawVolumeInfo raw{std::string(40, 'A'), "ntfs-long-name", 0xDEADBEEF, 255, 0x8000};
    ApplyVolumeInfo(info, raw, cp1252CaseMap());
    EXPECT_EQ(info.label, "A" + std::string(31, 'a'));
    EXPECT_EQ(info.fileSystem, "NTFS-LON");
    EXPECT_EQ(info.serialNumber, 0xDEADBEEFu);
    EXPECT_EQ(info.maxNameLength, 255u);
    EXPECT_TRUE(info.compressed);

    ApplyVolumeInfo(info, std::nullopt, cp1252CaseMap());
    EXPECT_EQ(info.label, "(unknown)");
    EXPECT_EQ(info.fileSystem, "unknown");
    EXPECT_EQ(info.serialNumber, 0u);
    EXPECT_FALSE(info.compressed);
}

}  // namespace
}  // namespace kv
