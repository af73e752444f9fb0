#include <gtest/gtest.h>

#include "archive/ArchiveContext.h"
#include "archive/ExtractionUiWin32.h"
#include "archive/TempExtraction.h"
#include "scan/AddUpdateDiskWin32.h"
#include "system/drives/MediaTypes.h"
#include "tests/scan/ScanTree.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestInput.h"
#include "ui/Application.h"

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

    // Drive T, OK; a dialog left open would hold the test.
    std::function<void()> pickT(TAddDiskForm& form) {
        return [&form] {
            form.SelectDriveByLetter('T');
            SendMessageA(form.OKBtn.hwnd(), BM_CLICK, 0, 0);
            if (form.modalResult() != ui::mrOk) SendMessageA(form.CancelBtn.hwnd(), BM_CLICK, 0, 0);
        };
    }

    AddUpdateResult addWith(TAddDiskForm& form, const std::function<void()>& script) {
        form.catalogs = {&catalog};
        whenShown(form, script);
        AddUpdateResult r = AddUpdateDisk(form, services, nullptr, ScanOptions{}, false);
        timers.clear();
        return r;
    }

    // The script runs once the dialog shows: on a busy machine the timer may come due
    // in a pump before the dialog's own loop, where a click on OK would be lost and the
    // dialog would then wait for ever.
    void whenShown(TAddDiskForm& form, std::function<void()> script) {
        timers.push_back(std::make_unique<uitest::TimerAction>(30, [this, &form, script] {
            if (!form.hwnd() || !IsWindowVisible(form.hwnd())) return whenShown(form, script);
            script();
        }));
    }
    std::vector<std::unique_ptr<uitest::TimerAction>> timers;
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
    const AddUpdateResult r = addWith(form, pickT(form));
    EXPECT_TRUE(r.accepted);
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(catalog.children().size(), 0u);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, kScanTerminatedText);
}

// A new disk like a catalogued one gets a new serial first; a write that
// fails ends the scan as any failure does, and nothing is catalogued.
TEST_F(AddDiskFlow, AFailedSerialWriteEndsTheScan) {
    TAddDiskForm form(dialog);
    ASSERT_TRUE(addWith(form, pickT(form)).completed);
    services.allowSerialChange = true;
    services.askSerialChange = false;
    int writes = 0;
    services.setVolumeSerial = [&](char letter, std::uint32_t) {
        EXPECT_EQ(letter, 'T');
        ++writes;
        return SerialPatchResult{false, "Not a FAT volume"};
    };
    prompt.answers = {PromptAnswer::No};  // "Update Old Data?": add as a new disk
    const AddUpdateResult r = addWith(form, pickT(form));
    EXPECT_EQ(writes, 1);
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(r.disk, nullptr);
    EXPECT_EQ(catalog.children().size(), 1u);
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[1].text, kScanTerminatedText);
}

// The drive is checked once more right before the scan: a medium gone ends
// the command without a word. While the scan runs the status says so.
TEST_F(AddDiskFlow, TheDriveIsCheckedAgainAndTheStatusShowsTheScan) {
    std::vector<std::string> status;
    services.showStatus = [&](const std::string& text, bool busy) { status.push_back(text + (busy ? " (busy)" : "")); };
    services.checkDriveReady = [](char) { return false; };
    TAddDiskForm form(dialog);
    AddUpdateResult r = addWith(form, pickT(form));
    EXPECT_TRUE(r.accepted);
    EXPECT_FALSE(r.completed);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_TRUE(status.empty());
    EXPECT_EQ(catalog.children().size(), 0u);

    services.checkDriveReady = [](char) { return true; };
    r = addWith(form, pickT(form));
    EXPECT_TRUE(r.completed);
    EXPECT_EQ(status, (std::vector<std::string>{"Scanning disk for data... (busy)", ""}));
}

// Description files of archives are extracted into a folder of the scan's
// own: a FILE_ID.DIZ left in the temporary folder is neither read nor
// erased, and nothing of the scan stays behind.
TEST_F(AddDiskFlow, ArchiveDescriptionsAreExtractedIntoAFolderOfTheScansOwn) {
    test::PutFile(test::fs::path(tree) / "pack.zip", test::StoredZip({{"FILE_ID.DIZ", "From the zip"}, {"a.txt", "a"}}));
    const test::fs::path temp = dir.file("temp");
    test::PutFile(temp / "FILE_ID.DIZ", "Stale");
    arc::WindowsExtractionUi ui;
    arc::TempExtraction extraction(*archives, ui);
    services.extraction = &extraction;
    services.extractDir = temp.string();
    TAddDiskForm form(dialog);
    const AddUpdateResult r = addWith(form, pickT(form));
    ASSERT_TRUE(r.completed);
    const std::string dump = test::Dump(*r.disk);
    EXPECT_NE(dump.find("From the zip"), std::string::npos) << dump;
    EXPECT_EQ(dump.find("Stale"), std::string::npos) << dump;
    std::vector<std::string> left;
    for (const auto& e : test::fs::directory_iterator(temp)) left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"FILE_ID.DIZ"});
    std::ifstream stale(temp / "FILE_ID.DIZ", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stale), {}), "Stale");
    EXPECT_TRUE(extraction.ExtractedFiles.empty());
}

// Help over the dialog pops up the topic of the control under the mouse.
TEST_F(AddDiskFlow, HelpPopsUpTheTopicOfTheControlUnderTheMouse) {
    ui::Application& app = ui::Application::instance();
    std::vector<std::pair<UINT, ULONG_PTR>> shown;
    app.helpFile = "Korvalder.hlp";
    app.helpHandler = [&](HWND, const std::string&, UINT command, ULONG_PTR topic) {
        shown.emplace_back(command, topic);
        return true;
    };
    TAddDiskForm form(dialog);
    addWith(form, [&] {
        for (HWND control : {form.AdvancedBtn.hwnd(), form.driveButtons[1]->button.hwnd(), form.VirtualRootLabel.hwnd(),
                             form.DiskName.hwnd()}) {
            RECT r;
            GetWindowRect(control, &r);
            HELPINFO info{};
            info.cbSize = sizeof info;
            info.iContextType = HELPINFO_WINDOW;
            info.hItemHandle = control;
            info.MousePos = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            SendMessageA(form.hwnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        }
        SendMessageA(form.CancelBtn.hwnd(), BM_CLICK, 0, 0);
    });
    app.helpHandler = nullptr;
    app.helpFile.clear();
    const std::vector<std::pair<UINT, ULONG_PTR>> expected = {
        {HELP_CONTEXTPOPUP, 10013}, {HELP_CONTEXTPOPUP, 10012}, {HELP_CONTEXTPOPUP, 10003}, {HELP_CONTEXTPOPUP, 10000}};
    EXPECT_EQ(shown, expected);
}

}  // namespace
}  // namespace kv
