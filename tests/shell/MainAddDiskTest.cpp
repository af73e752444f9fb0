// Add/Update Disk from the main window: a folder mapped to a drive is
// scanned into the selected catalog and shown in the tree.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>

#include "archive/ArchiveContext.h"
#include "archive/ExtractionUiWin32.h"
#include "archive/TempExtraction.h"
#include "catalog/model/ItemFlags.h"
#include "shell/app/ParamsFile.h"
#include "shell/app/SingleInstanceWin32.h"
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

// Runs start; meanwhile, once the window find names shows, runs script
// (which closes it). True when the script ran.
bool WhenShown(const std::function<HWND()>& find, const std::function<void()>& script,
               const std::function<void()>& start) {
    bool ran = false;
    std::vector<std::unique_ptr<uitest::TimerAction>> timers;
    std::function<void()> poll = [&] {
        HWND h = find();
        if (ran) return;
        if (!h || !IsWindowVisible(h)) {
            timers.push_back(std::make_unique<uitest::TimerAction>(30, poll));
            return;
        }
        ran = true;
        script();
    };
    timers.push_back(std::make_unique<uitest::TimerAction>(30, poll));
    start();
    return ran;
}

// Drive T: is a folder with two files; the catalog one.ctf is open.
class MappedDrive : public ShellTest {
protected:
    MappedDrive() {
        std::filesystem::create_directories(std::filesystem::path(folder) / "sub");
        std::ofstream(std::filesystem::path(folder) / "one.txt") << "1";
        std::ofstream(std::filesystem::path(folder) / "sub" / "two.txt") << "22";
        scanMachine = [this](AddDiskServices& dialog, AddUpdateServices& scan) {
            dialog.logicalDrives = [] { return 1u << ('T' - 'A'); };
            dialog.checkDriveReady = [](char) { return true; };
            dialog.mediaType = [](char) { return MediaType::HardDisk; };
            dialog.initDiskRecord = [](char, TDiskRec& disk) {
                disk.label = "SCANNED";
                disk.volume.serialNumber = 0x2468ACE0;
                disk.volume.mediaType = MediaType::HardDisk;
            };
            dialog.locateMedia = [](Node*) { return std::optional<char>('T'); };
            scan.initDiskRecord = dialog.initDiskRecord;
            scan.mediumRoot = [this](char) { return folder; };
            scan.ejectMedia = nullptr;
        };
        locateMedium = [](const ItemHead*) { return std::optional<char>('T'); };
        mediumRoot = [this](char) { return exportRoot.empty() ? folder : exportRoot; };
        // A new disk that looks like a catalogued one keeps its serial, unasked.
        settings.Update([](Settings& s) { s.allowSerialChange = false; });
        commandLine = {catalogFile("one.ctf")};
    }

    MainForm& start() {
        MainForm& main = makeMain();
        main.RunIdleOnce();
        return main;
    }
    Node& catalog() { return *main->forest().roots()[0]; }
    // The disks of the medium (the catalog holds one of its own besides).
    std::vector<Node*> scanned() {
        std::vector<Node*> disks;
        for (const auto& child : catalog().children())
            if (child->text().starts_with("SCANNED")) disks.push_back(child.get());
        return disks;
    }

    HWND addDiskWindow() { return main->addDiskForm() ? main->addDiskForm()->hwnd() : nullptr; }

    // Add/Update Disk from the main menu: drive T, OK.
    Node* addDisk() {
        const std::size_t before = catalog().children().size();
        EXPECT_TRUE(WhenShown([this] { return addDiskWindow(); },
                              [this] {
                                  TAddDiskForm& form = *main->addDiskForm();
                                  form.SelectDriveByLetter('T');
                                  SendMessageA(form.OKBtn.hwnd(), BM_CLICK, 0, 0);
                                  // A dialog left open would hold the test.
                                  if (form.modalResult() != ui::mrOk) SendMessageA(form.CancelBtn.hwnd(), BM_CLICK, 0, 0);
                              },
                              [this] { main->RunCommand(CommandId::AddDisk, CommandSource::MainMenu); }));
        return catalog().children().size() > before ? catalog().children().back().get() : nullptr;
    }

    static TFileRec* fileNamed(Node& disk, const std::string& name) {
        auto* rec = RecordAs<TDiskRec>(disk.record());
        for (TFileRec* f = rec ? rec->files.first() : nullptr; f; f = f->next())
            if (f->name() == name) return f;
        return nullptr;
    }

    std::string folder = scratch.file("medium");
    // Where Export Descriptions reaches the medium, when not the folder.
    std::string exportRoot;
};

// "Update Disk Image" of the tree's popup re-scans the disk it was opened on
// (found on its drive, no questions) and carries its descriptions over; a
// second start's catalogs wait for the scan's end.
TEST_F(MappedDrive, UpdateDiskFromThePopupRescansThatDiskKeepingItsDescriptions) {
    MainForm& main = start();
    Node* disk = addDisk();
    ASSERT_TRUE(disk);
    TFileRec* one = fileNamed(*disk, "one.txt");
    ASSERT_TRUE(one);
    one->description.assign("kept");
    std::ofstream(std::filesystem::path(folder) / "three.txt") << "333";

    const std::string other = catalogFile("two.ctf");
    const int number = 4377;
    const std::string params = ParamsFileName(ParamsTempFolder(), number);
    std::ofstream(params, std::ios::binary) << ParamsFileText({other});
    struct Erase {
        std::string path;
        ~Erase() { std::filesystem::remove(path); }
    } erase{params};

    main.browse().tree().select(disk);
    ui::MenuItem* update = main.tree.popupMenu->Items().Find("TreeMenuUpdateDisk");
    ASSERT_TRUE(update);
    const bool scripted = WhenShown([this] { return addDiskWindow(); },
                                    [&] {
                                        TAddDiskForm& form = *main.addDiskForm();
                                        EXPECT_EQ(form.caption(), "Update Disk");
                                        EXPECT_FALSE(form.state.addMode);
                                        // The disk's drive is chosen already.
                                        EXPECT_TRUE(form.SelectedDriveButton && form.SelectedDriveButton->letter == 'T');
                                        PostMessageA(main.hwnd(), kPassParamsMessage, number, 0);
                                        form.DefaultCheck.setChecked(true);
                                        form.BrowseArchiveCheck.setChecked(false);
                                        SendMessageA(form.OKBtn.hwnd(), BM_CLICK, 0, 0);
                                        if (form.modalResult() != ui::mrOk)
                                            SendMessageA(form.CancelBtn.hwnd(), BM_CLICK, 0, 0);
                                    },
                                    [&] { update->Click(); });
    ASSERT_TRUE(scripted);
    EXPECT_TRUE(prompt.asked.empty()) << prompt.asked[0].text;

    ASSERT_EQ(scanned().size(), 1u);
    Node& updated = *scanned()[0];
    EXPECT_NE(&updated, disk);
    EXPECT_EQ(updated.text(), "SCANNED");
    TFileRec* kept = fileNamed(updated, "one.txt");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->description.view(), "kept");
    EXPECT_TRUE(fileNamed(updated, "three.txt"));
    EXPECT_EQ(main.DriveLetter, 'T');
    // "Save as default" took the boxes into the settings.
    EXPECT_FALSE(settings.Get().browseArchives);
    EXPECT_TRUE(settings.Modified());

    // The hand-over came during the command and opens only now.
    EXPECT_EQ(main.forest().roots().size(), 1u);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    EXPECT_EQ(main.forest().roots().size(), 2u);
}

// A medium like two catalogued disks opens the selection: one of the
// program's item lists while it shows; its popup's "Update This Disk"
// updates the disk of the focused row.
TEST_F(MappedDrive, TwoMatchingDisksAreChosenFromTheSelectionWindow) {
    MainForm& main = start();
    ASSERT_TRUE(addDisk());
    prompt.answers = {ui::PromptAnswer::No};  // "Update Old Data?": add a new disk
    ASSERT_TRUE(addDisk());
    ASSERT_EQ(scanned().size(), 2u);
    Node* first = scanned()[0];
    Node* second = scanned()[1];
    fileNamed(*second, "one.txt")->description.assign("second's");

    auto selectWindow = [] {
        HWND h = FindWindowA("KvDiskSelectForm", nullptr);
        return dynamic_cast<TDiskSelectForm*>(h ? ui::Wnd::fromHandle(h) : nullptr);
    };
    bool selected = false;
    ASSERT_TRUE(WhenShown([this] { return addDiskWindow(); },
                          [&] {
                              main.addDiskForm()->SelectDriveByLetter('T');
                              WhenShown([&] { return selectWindow() ? selectWindow()->hwnd() : nullptr; },
                                        [&] {
                                            TDiskSelectForm& form = *selectWindow();
                                            ASSERT_EQ(form.Candidates.size(), 2u);
                                            EXPECT_EQ(main.ItemListKindOf(form.DisksListView), ItemListKind::DiskSelect);
                                            // Put the second disk in the focused row.
                                            const int row = form.Candidates[0] == second ? 0 : 1;
                                            LVITEMA none{};
                                            none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
                                            SendMessageA(form.DisksListView.hwnd(), LVM_SETITEMSTATE, -1,
                                                         reinterpret_cast<LPARAM>(&none));
                                            LVITEMA focus{};
                                            focus.stateMask = focus.state = LVIS_SELECTED | LVIS_FOCUSED;
                                            SendMessageA(form.DisksListView.hwnd(), LVM_SETITEMSTATE, row,
                                                         reinterpret_cast<LPARAM>(&focus));
                                            EXPECT_EQ(main.GetListItemRecord(form.DisksListView, -1), second->record());
                                            ASSERT_TRUE(form.DiskUpdateMenu);
                                            form.DiskUpdateMenu->Click();
                                            selected = true;
                                        },
                                        [&] { SendMessageA(main.addDiskForm()->OKBtn.hwnd(), BM_CLICK, 0, 0); });
                          },
                          [&] { main.RunCommand(CommandId::AddDisk, CommandSource::MainMenu); }));
    ASSERT_TRUE(selected);
    // The chosen disk was replaced with its description carried over; the other stays.
    const std::vector<Node*> after = scanned();
    ASSERT_EQ(after.size(), 2u);
    EXPECT_NE(std::find(after.begin(), after.end(), first), after.end());
    Node* replaced = after[0] == first ? after[1] : after[0];
    ASSERT_TRUE(replaced && replaced != second);
    EXPECT_EQ(fileNamed(*replaced, "one.txt")->description.view(), "second's");
}

// Export Descriptions writes the disk's descriptions into its medium's root.
TEST_F(MappedDrive, ExportDescriptionsWritesTheMediumsDescriptionFile) {
    MainForm& main = start();
    Node* disk = addDisk();
    ASSERT_TRUE(disk);
    fileNamed(*disk, "one.txt")->description.assign("the first file");
    SetFlag(RecordAs<TDiskRec>(disk->record())->flags, ItemFlags::HasDescriptions, true);
    main.browse().tree().select(disk);
    ASSERT_TRUE(WhenShown([&] { return main.exportDescForm() ? main.exportDescForm()->hwnd() : nullptr; },
                          [&] { SendMessageA(main.exportDescForm()->ExportBtn.hwnd(), BM_CLICK, 0, 0); },
                          [&] { main.RunCommand(CommandId::ExportDesc, CommandSource::TreePopup); }));
    EXPECT_EQ(main.exportDescForm(), nullptr);
    EXPECT_TRUE(prompt.asked.empty()) << prompt.asked[0].text;
    std::ifstream in(std::filesystem::path(folder) / "Descript.ion", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("one.txt the first file"), std::string::npos) << text;

    // A medium that takes no writes is named before anything is chosen.
    exportRoot = folder + "\\missing";
    EXPECT_FALSE(WhenShown([&] { return main.exportDescForm() ? main.exportDescForm()->hwnd() : nullptr; },
                           [&] { SendMessageA(main.exportDescForm()->CancelBtn.hwnd(), BM_CLICK, 0, 0); },
                           [&] { main.RunCommand(CommandId::ExportDesc, CommandSource::TreePopup); }));
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "Can't Write to Media");
}

TEST_F(MappedDrive, AddDiskScansAMappedFolderIntoTheSelectedCatalog) {
    MainForm& main = start();
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

// A folder of the medium that cannot be read (no access here) is catalogued
// empty, the rest of the medium in full, and the scan ends naming it.
TEST_F(MappedDrive, AnUnreadableFolderIsCataloguedEmptyAndNamedAtTheEnd) {
    std::filesystem::create_directories(std::filesystem::path(folder) / "locked");
    std::ofstream(std::filesystem::path(folder) / "locked" / "three.txt") << "333";
    files.listFault = [](const std::string& listed) {
        if (listed.ends_with("\\locked")) throw EListFolderError("Cannot list folder \"" + listed + "\"", false);
    };
    start();
    Node* disk = addDisk();
    ASSERT_TRUE(disk);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "Scan incomplete");
    EXPECT_EQ(prompt.asked[0].icon, ui::PromptIcon::Warning);
    EXPECT_EQ(prompt.asked[0].text,
              "1 folder could not be read and was catalogued as empty:\r\n\r\n" + folder + "\\locked");
    const auto& rec = *RecordAs<TDiskRec>(disk->record());
    EXPECT_EQ(rec.volume.skipFlags & 1, 1);
    EXPECT_EQ(rec.volume.fileCount, 2u);
    std::vector<std::string> folders;
    for (const auto& child : disk->children()) {
        folders.push_back(child->text());
        if (child->text() == "locked") {
            EXPECT_EQ(RecordAs<TFolderRec>(child->record())->files.size(), 0u);
        }
    }
    EXPECT_EQ(folders, (std::vector<std::string>{"locked", "sub"}));
}

// The new disk takes its place in the user's disk order, not by name.
TEST_F(MappedDrive, TheNewDiskIsSortedByTheUsersDiskOrder) {
    MainForm& main = start();
    main.browse().browser().setSortSettings({0, 0, true});
    ASSERT_TRUE(addDisk());
    std::vector<std::string> disks;
    for (const auto& child : catalog().children())
        disks.push_back(child->text());
    EXPECT_EQ(disks, (std::vector<std::string>{"SCANNED", "D"}));
}

// A damaged member is reported, whichever command extracted it, for as long
// as the main window is there to ask.
TEST_F(ShellTest, ACrcFailureOfAnExtractionIsReported) {
    std::unique_ptr<arc::ArchiveContext> archives = arc::ArchiveContext::System();
    arc::WindowsExtractionUi ui;
    arc::TempExtraction temp(*archives, ui);
    extraction = &temp;
    makeMain();
    ASSERT_TRUE(temp.OnCrcFailed);
    temp.OnCrcFailed("a.txt");
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "CRC check failed on extracting a.txt");
    EXPECT_EQ(prompt.asked[0].caption, "Warning");
    EXPECT_EQ(prompt.asked[0].icon, ui::PromptIcon::Stop);
    main.reset();
    EXPECT_FALSE(temp.OnCrcFailed);
}

}  // namespace
}  // namespace kv::test
