// Add/Update Disk from the main window: a folder mapped to a drive is
// scanned into the selected catalog and shown in the tree.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>

#include "system/drives/MediaTypes.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/TestInput.h"

namespace kv::test {
namespace {

// The texts of the tree control's items below item, depth first.
void TreeTexts(HWND tree, HTREEITEM item, std::vector<std::string>& out) {
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        char buf[128] = {};
        TVITEMA it{};
        it.mask = TVIF_TEXT;
        it.hItem = item;
        it.pszText = buf;
        it.cchTextMax = sizeof buf;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
        out.push_back(buf);
        TreeTexts(tree, TreeView_GetChild(tree, item), out);
    }
}

TEST_F(ShellTest, AddDiskScansAMappedFolderIntoTheSelectedCatalog) {
    const std::string folder = scratch.file("medium");
    std::filesystem::create_directories(std::filesystem::path(folder) / "sub");
    std::ofstream(std::filesystem::path(folder) / "one.txt") << "1";
    std::ofstream(std::filesystem::path(folder) / "sub" / "two.txt") << "22";
    scanMachine = [folder](AddDiskServices& dialog, AddUpdateServices& scan) {
        dialog.logicalDrives = [] { return 1u << ('T' - 'A'); };
        dialog.checkDriveReady = [](char) { return true; };
        dialog.mediaType = [](char) { return MediaType::HardDisk; };
        dialog.initDiskRecord = [](char, TDiskRec& disk) {
            disk.label = "SCANNED";
            disk.volume.serialNumber = 0x2468ACE0;
        };
        scan.initDiskRecord = dialog.initDiskRecord;
        scan.mediumRoot = [folder](char) { return folder; };
        scan.ejectMedia = nullptr;
    };
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ASSERT_EQ(main.forest().roots().size(), 1u);
    Node& catalog = *main.forest().roots()[0];
    ASSERT_FALSE(RecordAs<TCatalogRec>(catalog.record())->modified);

    bool scripted = false;
    {
        // The script waits for the dialog's modal loop, then picks drive T and presses OK.
        std::vector<std::unique_ptr<uitest::TimerAction>> timers;
        std::function<void()> script = [&] {
            TAddDiskForm* form = main.addDiskForm();
            if (!form || !IsWindowVisible(form->hwnd())) {
                timers.push_back(std::make_unique<uitest::TimerAction>(30, script));
                return;
            }
            EXPECT_EQ(form->DatabaseList.text(), "one.ctf");
            if (form->driveButtons.size() == 1u) {
                form->SelectDriveByLetter('T');
                EXPECT_EQ(form->DiskName.text(), "SCANNED");
                scripted = true;
            }
            // A dialog left open would hold the test.
            SendMessageA((scripted ? form->OKBtn : form->CancelBtn).hwnd(), BM_CLICK, 0, 0);
        };
        timers.push_back(std::make_unique<uitest::TimerAction>(30, script));
        main.RunCommand(CommandId::AddDisk, CommandSource::MainMenu);
    }
    ASSERT_TRUE(scripted);
    EXPECT_EQ(main.addDiskForm(), nullptr);
    EXPECT_TRUE(prompt.asked.empty()) << prompt.asked[0].text;

    Node* disk = nullptr;
    for (const auto& child : catalog.children())
        if (child->text() == "SCANNED") disk = child.get();
    ASSERT_TRUE(disk);
    EXPECT_TRUE(RecordAs<TCatalogRec>(catalog.record())->modified);
    // The tree shows the new disk, selected, and the list its contents.
    std::vector<std::string> texts;
    TreeTexts(main.tree.hwnd(), TreeView_GetRoot(main.tree.hwnd()), texts);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "SCANNED"), texts.end());
    EXPECT_EQ(main.browse().tree().selected(), disk);
    EXPECT_EQ(SendMessageA(main.list.hwnd(), LVM_GETITEMCOUNT, 0, 0), 2);
}

}  // namespace
}  // namespace kv::test
