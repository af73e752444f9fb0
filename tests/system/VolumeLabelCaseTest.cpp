#include "system/drives/VolumeLabelCase.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(VolumeLabelCase, CapitalsAreLoweredAndTheFirstLetterRaised) {
    const std::pair<std::string, std::string> cases[] = {
        {"MY DISK", "My disk"}, {"myDisk", "MyDisk"}, {"", ""},          {"1ST BACKUP", "1st backup"},
        {"X", "X"},             {"\xC9T\xC9", "\xC9t\xE9"}, {"Mixed Case", "Mixed Case"},
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
