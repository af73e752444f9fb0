#include "catalog/media/LocateMedia.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>

#include "system/drives/MediaTypes.h"

namespace kv {
namespace {

struct FakeDrive {
    FakeDrive(std::uint8_t type = MediaType::HardDisk, bool ready = true, MediumIdentity medium = {})
        : type(type), ready(ready), medium(std::move(medium)) {}
    std::uint8_t type;
    bool ready;
    MediumIdentity medium;
};

class FakeDrives : public DriveSystem {
public:
    std::map<char, FakeDrive> drives;
    std::set<std::string> paths;
    std::vector<char> read;

    std::uint32_t logicalDrives() override {
        std::uint32_t mask = 0;
        for (const auto& [letter, d] : drives)
            mask |= 1u << (letter - 'A');
        return mask;
    }
    std::uint8_t mediaType(char letter) override { return drives.at(letter).type; }
    bool isReady(char letter) override { return drives.at(letter).ready; }
    MediumIdentity readMedium(char letter) override {
        read.push_back(letter);
        return drives.at(letter).medium;
    }
    bool pathExists(const std::string& path) override { return paths.count(path) != 0; }
};

class ScriptedMediaPrompts : public MediaPrompts {
public:
    std::vector<std::pair<std::string, std::string>> shown;
    std::vector<std::string> insertLines;
    std::deque<InsertMediaAnswer> answers;
    std::function<void()> onInsert;

    void showInformation(const std::string& text, const std::string& caption) override {
        shown.emplace_back(text, caption);
    }
    InsertMediaAnswer askInsertMedia(const std::string& label, const std::string& line, bool) override {
        insertLines.push_back(label + "|" + line);
        if (onInsert)
            onInsert();
        const InsertMediaAnswer a = answers.empty() ? InsertMediaAnswer::Cancel : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return a;
    }
};

MediumIdentity medium(std::uint8_t type, std::uint32_t serial, std::string label, std::uint64_t total) {
    MediumIdentity m;
    m.mediaType = type;
    m.serialNumber = serial;
    m.label = std::move(label);
    m.totalBytes = total;
    return m;
}

std::string letters(const std::vector<char>& v) { return std::string(v.begin(), v.end()); }

TEST(LocateMedia, CandidatesByKind) {
    FakeDrives sys;
    sys.drives = {{'A', {MediaType::Floppy35HD}},  {'B', {MediaType::Floppy525HD}}, {'C', {MediaType::HardDisk}},
                  {'D', {MediaType::Floppy35EHD}}, {'E', {MediaType::Zip100}},      {'F', {MediaType::Jaz1GB}},
                  {'G', {MediaType::Removable}},   {'H', {MediaType::Floppy8DD}},   {'I', {MediaType::CdRom}}};
    const std::uint32_t all = sys.logicalDrives();
    EXPECT_EQ(letters(CandidateDrives(MediaType::Floppy35DD, all, sys)), "AD");
    EXPECT_EQ(letters(CandidateDrives(MediaType::Floppy525DD, all, sys)), "BH");
    EXPECT_EQ(letters(CandidateDrives(MediaType::Removable, all, sys)), "EFG");
    EXPECT_EQ(letters(CandidateDrives(MediaType::Zip100, all, sys)), "EG");
    EXPECT_EQ(letters(CandidateDrives(MediaType::Jaz1GB, all, sys)), "FG");
    EXPECT_EQ(letters(CandidateDrives(MediaType::CdRom, all, sys)), "I");
    EXPECT_EQ(letters(CandidateDrives(MediaType::CdRom, all & ~(1u << 8), sys)), "");
}

TEST(LocateMedia, MatchNeedsSerialLabelAndCompatibleType) {
    FakeDrives sys;
    const MediumIdentity wanted = medium(MediaType::Removable, 7, "Backup", 1000);
    EXPECT_TRUE(MediumMatches(wanted, medium(MediaType::Zip100, 7, "Backup", 1000), 'E', sys));
    EXPECT_FALSE(MediumMatches(wanted, medium(MediaType::Zip100, 8, "Backup", 1000), 'E', sys));
    EXPECT_FALSE(MediumMatches(wanted, medium(MediaType::Zip100, 7, "backup", 1000), 'E', sys));
    EXPECT_FALSE(MediumMatches(wanted, medium(MediaType::HardDisk, 7, "Backup", 1000), 'E', sys));
    EXPECT_FALSE(MediumMatches(wanted, medium(MediaType::Zip100, 7, "Backup", 999), 'E', sys));
}

TEST(LocateMedia, VirtualNeedsItsFolderAndCompressedIgnoresSize) {
    FakeDrives sys;
    MediumIdentity virt = medium(MediaType::HardDisk, 7, "Data", 1000);
    virt.isVirtual = true;
    virt.virtualPath = "\\Photos\\";
    const MediumIdentity drive = medium(MediaType::HardDisk, 7, "Data", 5000);
    EXPECT_FALSE(MediumMatches(virt, drive, 'D', sys));
    sys.paths.insert("D:\\Photos\\");
    EXPECT_TRUE(MediumMatches(virt, drive, 'D', sys));
    EXPECT_FALSE(MediumMatches(virt, drive, 'E', sys));

    MediumIdentity packed = medium(MediaType::HardDisk, 7, "Data", 1000);
    packed.compressed = true;
    EXPECT_TRUE(MediumMatches(packed, drive, 'D', sys));
}

TEST(LocateMedia, FindsTheFirstReadyMatchingDrive) {
    FakeDrives sys;
    const MediumIdentity wanted = medium(MediaType::Floppy35DD, 42, "Games", 737280);
    MediumIdentity inDriveD = wanted;
    inDriveD.mediaType = MediaType::Floppy35EHD;  // a fresh record has the drive's code
    sys.drives = {{'A', {MediaType::Floppy35HD, false, wanted}},
                  {'B', {MediaType::Floppy35HD, true, medium(MediaType::Floppy35HD, 1, "Other", 737280)}},
                  {'C', {MediaType::HardDisk, true, wanted}},
                  {'D', {MediaType::Floppy35EHD, true, inDriveD}},
                  {'E', {MediaType::Floppy35HD, true, wanted}}};
    ScriptedMediaPrompts prompts;
    char letter = 0;
    EXPECT_EQ(LocateMedium(wanted, true, sys, prompts, letter), LocateResult::Found);
    EXPECT_EQ(letter, 'D');
    EXPECT_EQ(std::string(sys.read.begin(), sys.read.end()), "BD");  // not ready A and hard disk C never read
    EXPECT_TRUE(prompts.insertLines.empty());
}

TEST(LocateMedia, FloppyMatchesOnlyWithinItsWidth) {
    FakeDrives sys;
    const MediumIdentity wanted = medium(MediaType::Floppy35DD, 42, "Games", 737280);
    MediumIdentity found = wanted;
    for (std::uint8_t type : {MediaType::Floppy35HD, MediaType::Floppy35EHD})
        EXPECT_TRUE(MediumMatches(wanted, (found.mediaType = type, found), 'A', sys)) << int(type);
    for (std::uint8_t type : {MediaType::Floppy525HD, MediaType::HardDisk, MediaType::Removable})
        EXPECT_FALSE(MediumMatches(wanted, (found.mediaType = type, found), 'A', sys)) << int(type);
}

TEST(LocateMedia, NoCandidateSaysSoOnlyWhenManualIsAllowed) {
    FakeDrives sys;
    sys.drives = {{'C', {MediaType::HardDisk}}};
    ScriptedMediaPrompts prompts;
    char letter = 0;
    EXPECT_EQ(LocateMedium(medium(MediaType::Tape, 1, "T", 1), false, sys, prompts, letter), LocateResult::NotFound);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(LocateMedium(medium(MediaType::Tape, 1, "T", 1), true, sys, prompts, letter), LocateResult::NotFound);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].first, "Sorry, there is no such device installed that could accept this media type.");
    EXPECT_EQ(prompts.shown[0].second, "No such device");
}

TEST(LocateMedia, MissingFixedDiskIsReportedNotAskedFor) {
    FakeDrives sys;
    sys.drives = {{'C', {MediaType::HardDisk, true, medium(MediaType::HardDisk, 1, "Sys", 10)}}};
    ScriptedMediaPrompts prompts;
    char letter = 0;
    MediumIdentity wanted = medium(MediaType::HardDisk, 2, "Old", 10);
    wanted.isVirtual = true;
    EXPECT_EQ(LocateMedium(wanted, false, sys, prompts, letter), LocateResult::NotFound);
    EXPECT_EQ(LocateMedium(wanted, true, sys, prompts, letter), LocateResult::ManualSelect);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].first,
              "The media you requested (Virtual Hard disk) was not found\r\nand does not seem to be removable.");
    EXPECT_EQ(prompts.shown[1].first,
              "The media you requested (Virtual Hard disk) was not found\r\nand does not seem to be removable."
              " Please select \rthe appropriate drive yourself if available.");
    EXPECT_EQ(prompts.shown[1].second, "Non-Removable Media");
    EXPECT_TRUE(prompts.insertLines.empty());
}

TEST(LocateMedia, InsertMediaRetriesUntilTheDiskIsThere) {
    FakeDrives sys;
    sys.drives = {{'E', {MediaType::Zip100, true, medium(MediaType::Zip100, 1, "Other", 100)}}};
    const MediumIdentity wanted = medium(MediaType::Removable, 9, "Archive 3", 100);
    ScriptedMediaPrompts prompts;
    prompts.answers = {InsertMediaAnswer::Retry, InsertMediaAnswer::Retry};
    int asked = 0;
    prompts.onInsert = [&] {
        if (++asked == 2)
            sys.drives['E'].medium = medium(MediaType::Zip100, 9, "Archive 3", 100);
    };
    char letter = 0;
    EXPECT_EQ(LocateMedium(wanted, true, sys, prompts, letter), LocateResult::Found);
    EXPECT_EQ(letter, 'E');
    ASSERT_EQ(prompts.insertLines.size(), 2u);
    EXPECT_EQ(prompts.insertLines[0], "Archive 3|(Media type: Removable drive)");

    prompts.insertLines.clear();
    sys.drives['E'].medium.serialNumber = 10;
    prompts.answers = {InsertMediaAnswer::ManualSelect};
    EXPECT_EQ(LocateMedium(wanted, true, sys, prompts, letter), LocateResult::ManualSelect);
    prompts.answers = {InsertMediaAnswer::Cancel};
    EXPECT_EQ(LocateMedium(wanted, true, sys, prompts, letter), LocateResult::NotFound);
}

}  // namespace
}  // namespace kv
