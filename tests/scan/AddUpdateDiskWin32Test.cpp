#include <gtest/gtest.h>

#include "archive/ArchiveContext.h"
#include "scan/AddUpdateDiskWin32.h"
#include "system/drives/MediaTypes.h"
#include "tests/scan/ScanTree.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestInput.h"

namespace kv {
namespace {

using ui::PromptAnswer;

struct AddDiskFlow : ::testing::Test {
    test::TempDir dir;
    std::string tree = dir.file("tree");
    std::unique_ptr<IFileSystem> files = MakeSystemFileSystem();
    std::unique_ptr<arc::ArchiveContext> archives = arc::ArchiveContext::System();
    ui::ScriptedPrompt prompt;
    Forest forest;
    Node& catalog = test::NewCatalog(forest);
    AddUpdateServices services;
    AddDiskServices dialog;

    AddDiskFlow() {
        test::PutFile(test::fs::path(tree) / "one.txt", "1");
        test::PutFile(test::fs::path(tree) / "sub" / "two.txt", "22");
        dialog.prompt = &prompt;
        dialog.logicalDrives = [] { return (1u << ('C' - 'A')) | (1u << ('T' - 'A')); };
        dialog.checkDriveReady = [](char) { return true; };
        dialog.initDiskRecord = Volume;
        services.prompt = &prompt;
        services.files = files.get();
        services.archives = archives.get();
        services.initDiskRecord = Volume;
        services.mediumRoot = [this](char) { return tree; };
    }

    static void Volume(char, TDiskRec& disk) {
        disk.label = "TESTDISK";
        disk.volume.serialNumber = 0x12345678;
        disk.volume.totalClusters = 1000;
        disk.volume.freeClusters = 500;
        disk.volume.bytesPerSector = 512;
        disk.volume.sectorsPerCluster = 1;
    }

    AddUpdateResult addWith(TAddDiskForm& form, const std::function<void()>& script) {
        form.catalogs = {&catalog};
        uitest::TimerAction act(30, script);
        return AddUpdateDisk(form, services, nullptr, ScanOptions{}, false);
    }
};

TEST_F(AddDiskFlow, DriveButtonOkScansAndAMatchingMediumAsksToUpdate) {
    TAddDiskForm form(dialog);
    ASSERT_EQ(form.driveButtons.size(), 2u);
    const AddUpdateResult first = addWith(form, [&] {
        EXPECT_FALSE(form.OKBtn.enabled());
        form.SelectDriveByLetter('t');
        EXPECT_TRUE(form.OKBtn.enabled());
        EXPECT_EQ(form.DiskName.text(), "TESTDISK");
        SendMessageA(form.OKBtn.hwnd(), BM_CLICK, 0, 0);
    });
    ASSERT_TRUE(first.completed);
    EXPECT_EQ(first.letter, 'T');
    ASSERT_NE(first.disk, nullptr);
    EXPECT_EQ(first.disk->text(), "TESTDISK");
    EXPECT_NE(test::Dump(*first.disk).find("FILE \\sub\\two.txt"), std::string::npos);
    RecordAs<TDiskRec>(first.disk->record())->files.first()->description.assign("kept");

    // The same medium again: "Update Old Data?" Yes replaces the disk and carries its text over.
    prompt.answers = {PromptAnswer::Yes};
    const AddUpdateResult second = addWith(form, [&] {
        form.SelectDriveByLetter('T');
        SendMessageA(form.OKBtn.hwnd(), BM_CLICK, 0, 0);
    });
    ASSERT_TRUE(second.completed);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "Update Old Data?");
    ASSERT_EQ(catalog.children().size(), 1u);
    EXPECT_NE(test::Dump(*second.disk).find("desc=kept"), std::string::npos) << test::Dump(*second.disk);

    // Clicking the selected drive again deselects it; Cancel ends the command.
    const AddUpdateResult cancelled = addWith(form, [&] {
        form.SelectDriveByLetter('T');
        form.SelectDriveByLetter('T');
        EXPECT_FALSE(form.OKBtn.enabled());
        SendMessageA(form.CancelBtn.hwnd(), BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(cancelled.accepted);
    EXPECT_EQ(catalog.children().size(), 1u);
}

TEST_F(AddDiskFlow, DriveButtonsShowTheIconAndKindOfTheirDrive) {
    dialog.mediaType = [](char letter) { return letter == 'C' ? MediaType::HardDisk : MediaType::CdRom; };
    std::string asked;
    dialog.driveIcon = [&](char letter) -> HICON {
        asked += letter;
        return letter == 'T' ? CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION))) : nullptr;
    };
    TAddDiskForm form(dialog);
    EXPECT_EQ(asked, "CT");
    ASSERT_EQ(form.driveButtons.size(), 2u);
    const DriveButton& c = *form.driveButtons[0];
    const DriveButton& t = *form.driveButtons[1];
    EXPECT_EQ(c.button.hint, "Hard disk (C:)");
    EXPECT_EQ(t.button.hint, "CD-ROM (T:)");
    EXPECT_EQ(c.button.numGlyphs(), 0);
    ASSERT_EQ(t.button.numGlyphs(), 1);
    const SIZE size = ui::bitmapSize(t.glyph.get());
    EXPECT_EQ(size.cx, 32);
    EXPECT_EQ(size.cy, 32);
}

TEST_F(AddDiskFlow, AFailingScanReportsAndLeavesNoDisk) {
    TAddDiskForm form(dialog);
    services.mediumRoot = [this](char) { return tree + "\\missing"; };
    const AddUpdateResult r = addWith(form, [&] {
        form.SelectDriveByLetter('T');
        SendMessageA(form.OKBtn.hwnd(), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(r.accepted);
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(catalog.children().size(), 0u);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, kScanTerminatedText);
}

}  // namespace
}  // namespace kv
