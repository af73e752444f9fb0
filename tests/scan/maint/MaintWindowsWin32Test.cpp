// The maintenance windows driven as a user would: values shown, edits made,
// buttons pressed; what they change read back from the records.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "archive/ArchiveContext.h"
#include "archive/TempExtraction.h"
#include "scan/catmanager/CatManagerFormWin32.h"
#include "scan/categories/CategoriesFormWin32.h"
#include "scan/categories/SetCatFormWin32.h"
#include "scan/descassist/DescAssistFormWin32.h"
#include "scan/dosimport/ImportFormWin32.h"
#include "scan/properties/AdvDiskFormWin32.h"
#include "scan/properties/PropertiesFormWin32.h"
#include "system/drives/MediaTypes.h"
#include "tests/catalog/ModelFixture.h"
#include "tests/scan/ScanTree.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestInput.h"

namespace kv {
namespace {

void Click(ui::Button& button) { SendMessageA(button.hwnd(), BM_CLICK, 0, 0); }

// Catalog "Cat" (categories Games 2 and Tools 5, flags Red and Blue) with disk
// D: 1000 clusters of 512 bytes, 250 free; a ZIP in A holding one member.
struct Shelf : test::ModelFixture {
    Node* zip = nullptr;
    TFileRec* member = nullptr;
    Shelf() {
        catalogRec().categories = {{"Games", 2}, {"Tools", 5}};
        catalogRec().flagNames = {"Red", "", "Blue"};
        TDiskRec& d = diskRec();
        d.volume.mediaType = MediaType::HardDisk;
        d.volume.bytesPerSector = 512;
        d.volume.sectorsPerCluster = 1;
        d.volume.totalClusters = 1000;
        d.volume.freeClusters = 250;
        d.volume.serialNumber = 0x1A2B3C4D;
        d.fileSystem = "FAT";
        zip = &folder(*a, "tools.zip");
        SetFlag(folderRec(*zip).flags, ItemFlags::Archive, true);
        member = &test::AddFile(folderRec(*zip), "readme.txt");
        SetFlag(member->flags, ItemFlags::Archive, true);
        member->stored.size = 1000;
        member->stored.accessed = 600;       // packed size
        member->stored.created = 0xCAFE01;   // CRC
        member->stored.category = 0x25;      // Tools, Red
    }
};

TEST(PropertiesWindow, AMemberShowsItsPackingAndGivesBackTheEdits) {
    Shelf s;
    TPropertiesForm form({});
    form.FillPropertiesForm(s.zip, s.member);
    bool ok = false;
    uitest::TimerAction act(50, [&] {
        EXPECT_EQ(form.Pages.activePage(), static_cast<int>(PropertyPage::File));
        EXPECT_EQ(form.row(PropertyPage::File, 0).value.text(), "Compressed TXT file");
        EXPECT_EQ(form.row(PropertyPage::File, 2).caption.text(), "Compressed Size:");
        EXPECT_EQ(form.row(PropertyPage::File, 2).value.text(), "600 B  (ratio: 40 %)");
        EXPECT_EQ(form.row(PropertyPage::File, 4).caption.text(), "File CRC:");
        EXPECT_EQ(form.row(PropertyPage::File, 4).value.text(), "00CAFE01");
        EXPECT_EQ(form.row(PropertyPage::File, 5).value.text(), "D (Hard disk)");
        EXPECT_EQ(form.row(PropertyPage::File, 6).value.text(), "\\A\\tools.zip");
        EXPECT_EQ(form.Pages.pageCaption(static_cast<int>(PropertyPage::Folder)), "Archive file");
        EXPECT_EQ(form.row(PropertyPage::Folder, 0).value.text(), "Compressed file (ZIP)");
        TPropertiesForm::Sheet& file = form.sheet(PropertyPage::File);
        EXPECT_EQ(file.CategoryList.items(), (std::vector<std::string>{"(none)", "Games", "Tools"}));
        EXPECT_EQ(file.CategoryList.itemIndex(), 2);
        ASSERT_EQ(file.FlagsPopup.Items().Count(), 2);
        EXPECT_TRUE(file.FlagsPopup.Items().Items(0).Checked());
        // Games, Red off, Blue on; a new description.
        file.CategoryList.setItemIndex(1);
        file.FlagsPopup.Items().Items(0).Click();
        file.FlagsPopup.Items().Items(1).Click();
        file.Memo.setText("A member\r\nline two");
        Click(form.OKBtn);
    });
    ok = form.Run();
    EXPECT_TRUE(ok);
    EXPECT_EQ(form.ChosenCategoryByte(), 0x82);
    EXPECT_EQ(form.ChosenDescription(), "A member\r\nline two");

    // A catalog without categories or flags offers none.
    s.catalogRec().categories.clear();
    s.catalogRec().flagNames = {};
    form.FillPropertiesForm(s.a, nullptr);
    uitest::TimerAction esc(50, [&] {
        TPropertiesForm::Sheet& folder = form.sheet(PropertyPage::Folder);
        EXPECT_EQ(form.Pages.activePage(), static_cast<int>(PropertyPage::Folder));
        EXPECT_EQ(folder.CategoryList.items(), std::vector<std::string>{"(no categories defined)"});
        EXPECT_FALSE(folder.CategoryList.enabled());
        EXPECT_FALSE(folder.FlagsBtn.enabled());
        uitest::postKey(folder.Memo.hwnd(), VK_ESCAPE);
    });
    EXPECT_FALSE(form.Run());
}

TEST(PropertiesWindow, DiskAndCatalogPagesAndTheAdvancedInfo) {
    Shelf s;
    TPropertiesForm form({});
    form.FillPropertiesForm(s.disk, nullptr);
    std::vector<ui::PieSlice> slices;
    std::string title, lost;
    uitest::TimerAction act(50, [&] {
        EXPECT_EQ(form.row(PropertyPage::Disk, 0).value.text(), "Hard disk");
        EXPECT_EQ(form.row(PropertyPage::Disk, 2).value.text(), "1A2B-3C4D");
        EXPECT_EQ(form.row(PropertyPage::Disk, 3).value.text(), "500 kB");
        EXPECT_EQ(form.row(PropertyPage::Disk, 5).value.text(), "Cat");
        uitest::TimerAction inner(50, [&] {
            TAdvDiskForm* adv = form.advancedForm();
            if (adv) {
                EXPECT_FALSE(form.sheet(PropertyPage::Disk).DiskAdvButton.enabled());
                slices = adv->PieChart.slices();
                lost = adv->values[7].text();
                uitest::postKey(adv->OKBtn.hwnd(), VK_ESCAPE);
            }
        });
        form.ShowAdvanced();
        Click(form.CancelBtn);
    });
    EXPECT_FALSE(form.Run());
    ASSERT_EQ(slices.size(), 2u);
    EXPECT_EQ(slices[0].label, "Free: 125 kB");
    EXPECT_EQ(slices[1].label, "Used: 375 kB");
    EXPECT_EQ(slices[1].value, 75);
    EXPECT_EQ(lost, "375 kB");

    form.FillPropertiesForm(s.catalog, nullptr);
    uitest::TimerAction cat(50, [&] {
        EXPECT_EQ(form.Pages.activePage(), static_cast<int>(PropertyPage::Catalog));
        EXPECT_EQ(form.row(PropertyPage::Catalog, 1).value.text(), "1");
        EXPECT_EQ(form.row(PropertyPage::Catalog, 7 + 1).value.text(), "1 (total 500 kB)");
        Click(form.CancelBtn);
    });
    EXPECT_FALSE(form.Run());
}

class QuietUi final : public arc::IExtractionUi {
public:
    void ShowWait(const std::string&, const std::string&) override {}
    bool Progress(int) override { return false; }
    void CloseWait() override {}
    void ShowError(const std::string&, const std::string&) override {}
    bool Ask(const std::string&, const std::string&) override { return false; }
};

TEST(DescAssistWindow, FindsDescriptionFilesOnTheMediumAlsoInsideAZip) {
    namespace fs = std::filesystem;
    test::ScratchFolder scratch;
    const fs::path medium = scratch.file("medium");
    test::PutFile(medium / "A" / "notes.txt", "Plain notes");
    test::PutFile(medium / "A" / "tools.zip", test::StoredZip({{"readme.txt", "Zip says hi\0there"}}));
    fs::create_directories(scratch.file("extract"));
    Shelf s;
    test::AddFile(s.folderRec(*s.a), "notes.txt");
    auto archives = arc::ArchiveContext::System();
    QuietUi quiet;
    arc::TempExtraction extraction(*archives, quiet);
    ui::ScriptedPrompt prompt{ui::PromptAnswer::No};

    DescAssistServices d;
    d.prompt = &prompt;
    d.search.patterns = {"readme.txt", "*.TXT"};
    d.search.subfolders = true;
    d.search.maxLevels = 2;
    int located = 0;
    d.locateMedia = [&](const ItemHead*, bool) -> std::optional<char> {
        ++located;
        return 'X';
    };
    d.mediumRoot = [&](char) { return medium.string(); };
    d.readFile = [](const std::string& path, std::size_t limit) -> std::optional<std::string> {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        std::string bytes(limit, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(limit));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        return bytes;
    };
    d.extractMember = [&](const std::string& archive, const std::string& member) -> std::optional<std::string> {
        const std::string folder = scratch.file("extract");
        if (!extraction.ExtractDescFile(9, archive, folder, member)) return std::nullopt;
        return folder + "\\" + member;
    };
    d.descriptionOf = [](const ItemHead& item) { return RecordAs<TFolderRec>(&item)->description; };
    s.folderRec(*s.a).description = "Folder A";
    TDescAssistForm form(d);
    form.PrepareDescAssistant(s.a, nullptr);
    EXPECT_EQ(located, 1);
    EXPECT_TRUE(form.FilesSearched);
    uitest::TimerAction act(50, [&] {
        EXPECT_EQ(form.DescMemo.text(), "Folder A");
        EXPECT_EQ(form.FilesCombo.items(),
                  (std::vector<std::string>{".\\tools.zip\\readme.txt", "a1.txt", "a2.txt", "notes.txt", ".\\B\\C\\c1.txt"}));
        EXPECT_EQ(form.FileMemo.text().substr(0, 11), "Zip says hi");
        EXPECT_FALSE(form.SearchBtn.enabled());
        form.FilesCombo.setItemIndex(3);
        form.LoadDescFile();
        EXPECT_EQ(form.FileMemo.text(), "Plain notes");
        form.FilesCombo.setItemIndex(1);  // not on the medium
        form.LoadDescFile();
        EXPECT_EQ(form.FileMemo.text(), kDescReadError);
        // Cancel after an edit asks; No keeps the window open.
        form.DescMemo.setText("Folder A, described");
        form.DescMemo.setModified(true);
        Click(form.CancelBtn);
    });
    uitest::TimerAction later(400, [&] {
        EXPECT_TRUE(IsWindowVisible(form.hwnd()));
        Click(form.OKBtn);
    });
    ASSERT_TRUE(form.Run());
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "Discard description changes?");
    EXPECT_EQ(prompt.asked[0].caption, "Close Form");
    EXPECT_EQ(form.DescMemo.text(), "Folder A, described");

    // A medium not in a drive: no search until "Get Files", which asks for it.
    d.locateMedia = [&](const ItemHead*, bool ask) -> std::optional<char> {
        if (!ask) return std::nullopt;
        return 'X';
    };
    TDescAssistForm absent(d);
    absent.PrepareDescAssistant(s.a, nullptr);
    EXPECT_FALSE(absent.FilesSearched);
    EXPECT_TRUE(absent.SearchBtn.enabled());
    absent.SearchBtnClick();
    EXPECT_TRUE(absent.FilesSearched);
    EXPECT_EQ(absent.FilesCombo.count(), 5);
}

TEST(CategoriesWindow, EditsCommitOnOkAndEveryCatalogComesBackOnCancel) {
    Shelf one, two;
    one.folderRec(*one.a).stored.category = 0x22;  // Games, flag 1
    ui::ScriptedPrompt prompt{ui::PromptAnswer::Yes, ui::PromptAnswer::Yes};
    std::vector<Node*> catalogs = {one.catalog, two.catalog};
    {
        TCategoriesForm form({&prompt, {}, {}});
        uitest::TimerAction act(50, [&] {
            EXPECT_EQ(form.CategoryList.items(), (std::vector<std::string>{"Games", "Tools"}));
            EXPECT_EQ(form.FlagEdits[0].text(), "Red");
            EXPECT_TRUE(form.RemoveFlags[0].enabled());
            EXPECT_FALSE(form.RemoveFlags[1].enabled());
            form.CategoryList.setItemIndex(0);
            form.DeleteBtnClick();  // asks: Yes
            form.CategoryEdit.setText("Music");
            form.AddBtnClick();
            EXPECT_EQ(form.CategoryList.items(), (std::vector<std::string>{"Music", "Tools"}));
            form.RemoveFlags[0].setChecked(true);
            form.RemoveFlagsClick(0);  // asks: Yes
            Click(form.OKBtn);
        });
        ASSERT_TRUE(form.Run(catalogs, one.a));
    }
    EXPECT_EQ(one.catalogRec().categories, (std::vector<CategoryEntry>{{"Music", 1}, {"Tools", 5}}));
    // The record lost its old category and flag before any could carry the new code.
    EXPECT_EQ(one.folderRec(*one.a).stored.category, 0x00);
    EXPECT_TRUE(one.catalogRec().modified);

    one.catalogRec().modified = false;
    two.catalogRec().modified = false;
    ui::ScriptedPrompt discard{ui::PromptAnswer::Yes};
    TCategoriesForm form({&discard, {}, {}});
    uitest::TimerAction act(50, [&] {
        form.CategoryEdit.setText("Films");
        form.AddBtnClick();
        form.CatalogCombo.setItemIndex(1);
        form.CatalogComboChange();
        form.FlagEdits[1].setText("Green");
        form.FlagEditExit(1);
        Click(form.CancelBtn);
    });
    EXPECT_FALSE(form.Run(catalogs, nullptr));
    EXPECT_EQ(discard.asked.at(0).text, "Do you really want to discard all changes?");
    EXPECT_EQ(one.catalogRec().categories.size(), 2u);
    EXPECT_EQ(two.catalogRec().flagNames[1], "");
    EXPECT_FALSE(one.catalogRec().modified);
    EXPECT_FALSE(two.catalogRec().modified);
}

TEST(SetCategoriesWindow, ItemsOfTwoCatalogsGetTheChosenNames) {
    Shelf one, two;
    two.catalogRec().categories = {{"Games", 9}};
    two.catalogRec().flagNames = {"Blue", "", ""};
    std::vector<ItemHead*> items = {one.a->record(), two.member};
    ui::ScriptedPrompt prompt{ui::PromptAnswer::Yes};
    TSetCatForm form(prompt);
    uitest::TimerAction act(50, [&] {
        EXPECT_EQ(form.HeadLabel.text(), "Changing categories and flags for 2 selected items");
        ASSERT_EQ(form.CategoryList.count(), 3);
        EXPECT_EQ(form.CategoryList.item(2).text, "* Tools");
        EXPECT_TRUE(IsWindowVisible(form.WarningLabel.hwnd()));
        EXPECT_FALSE(form.OkBtn.enabled());
        form.CategoryList.setChecked(1, true);  // Games
        form.FlagsList.setState(1, ui::CheckState::Checked);  // Blue
        form.OkBtn.setEnabled(true);
        Click(form.OkBtn);
    });
    EXPECT_TRUE(form.Run(items));
    EXPECT_EQ(prompt.asked.at(0).caption, "Apply Changes");
    EXPECT_EQ(one.folderRec(*one.a).stored.category, 0x82);  // Games 2, Blue is flag 3
    EXPECT_EQ(two.member->stored.category, 0x29);            // Games 9, Red kept, Blue is flag 1

    // Nothing defined anywhere: the offer to set categories up.
    Shelf bare;
    bare.catalogRec().categories.clear();
    bare.catalogRec().flagNames = {};
    ui::ScriptedPrompt yes{ui::PromptAnswer::Yes};
    TSetCatForm empty(yes);
    std::vector<ItemHead*> one_item = {bare.a->record()};
    EXPECT_FALSE(empty.Run(one_item));
    EXPECT_TRUE(empty.OpenSetup);
    EXPECT_EQ(yes.asked.at(0).caption, "No Data Defined");
}

TEST(CatalogManagerWindow, MovesCopiesRenamesAndDeletesDisks) {
    Shelf one, two;
    one.forest.remove(*one.catalog);  // one forest holds both catalogs
    test::ModelFixture& f = two;
    Node& other = f.forest.addRoot("Other");
    test::Attach(other, std::make_unique<TCatalogRec>());
    ui::ScriptedPrompt prompt{ui::PromptAnswer::Ok};
    CatManagerServices services;
    services.prompt = &prompt;
    services.askText = [](const std::string& caption, const std::string& label, const std::string&) {
        EXPECT_EQ(caption, "Rename Disk");
        EXPECT_EQ(label, "Rename disk \"D (2)\" to:");
        return std::optional<std::string>("D");
    };
    int changed = 0;
    services.catalogsChanged = [&] { ++changed; };
    TCatManagerForm form(services);
    uitest::TimerAction act(50, [&] {
        EXPECT_EQ(form.CatalogCombos[0].itemIndex(), 0);
        EXPECT_EQ(form.CatalogCombos[1].itemIndex(), 1);
        EXPECT_EQ(form.MoveBtn.text(), "Move >>");
        EXPECT_TRUE(form.MoveBtn.enabled());
        EXPECT_EQ(form.StatusBar.simpleText(), "Left pane: 1 disks, total capacity 500 kB (0 selected, 0 B)");
        form.DiskLists[0].setSelected(0, true);
        Click(form.CopyBtn);
        EXPECT_EQ(form.DiskLists[1].items(), std::vector<std::string>{"D"});
        form.DiskLists[0].setSelected(0, true);
        Click(form.CopyBtn);
        EXPECT_EQ(form.DiskLists[1].items(), (std::vector<std::string>{"D", "D (2)"}));
        form.PaneEnter(1);
        EXPECT_EQ(form.MoveBtn.text(), "<< Move");
        form.DiskLists[1].setSelected(0, false);
        form.DiskLists[1].setSelected(1, true);
        form.DiskLists[1].setItemIndex(1);
        form.RenameBtnClick();  // "D" again: made unique
        EXPECT_EQ(form.DiskLists[1].items(), (std::vector<std::string>{"D", "D (2)"}));
        form.DiskLists[1].setSelected(1, true);
        form.DiskLists[1].setItemIndex(1);
        Click(form.MoveBtn);
        EXPECT_EQ(form.DiskLists[0].items(), (std::vector<std::string>{"D", "D (2)"}));
        form.PaneEnter(0);
        form.DiskLists[0].setSelected(0, true);
        form.DiskLists[0].setSelected(1, true);
        form.DeleteBtnClick(true);
        EXPECT_TRUE(form.DiskLists[0].items().empty());
        Click(form.DoneBtn);
    });
    form.Run({f.catalog, &other}, f.a);
    EXPECT_EQ(prompt.asked.at(0).caption, "Delete");
    EXPECT_EQ(other.children().size(), 1u);
    EXPECT_EQ(f.catalog->children().size(), 0u);
    EXPECT_EQ(changed, 4);
}

TEST(CatalogManagerWindow, DisksDraggedOntoTheOtherListMove) {
    Shelf s;
    Node& other = s.forest.addRoot("Other");
    test::Attach(other, std::make_unique<TCatalogRec>());
    TCatManagerForm form({});
    uitest::TimerAction act(50, [&] {
        ui::ListBox& left = form.DiskLists[0];
        left.setSelected(0, true);
        RECT item{};
        SendMessageA(left.hwnd(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
        left.onMouseDown(left, ui::MouseButton::Left, 0, item.left + 5, item.top + 2);
        EXPECT_TRUE(form.drag().armed());
        RECT r{};
        GetWindowRect(form.DiskLists[1].hwnd(), &r);
        const POINT over{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        form.drag().begin(nullptr, {0, 0}, over);
        form.drag().move(over);
        EXPECT_EQ(form.drag().acceptingTarget(), form.DiskLists[1].hwnd());
        form.drag().drop(over);
        EXPECT_EQ(form.DiskLists[1].items(), std::vector<std::string>{"D"});
        EXPECT_TRUE(form.DiskLists[0].items().empty());
        Click(form.DoneBtn);
    });
    form.Run({s.catalog, &other}, s.a);
    EXPECT_EQ(other.children().size(), 1u);
    EXPECT_TRUE(s.catalog->children().empty());
}

TEST(ImportWindow, ListsDatabasesAndReadsTheirNames) {
    std::unique_ptr<IFileSystem> files = MakeSystemFileSystem();
    TImportForm form(*files);
    std::optional<std::string> chosen;
    uitest::TimerAction act(50, [&] {
        EXPECT_EQ(form.FileListBox.items(), (std::vector<std::string>{"BAD.DSK", "NOFIL.DSK", "SAMPLE.DSK"}));
        form.FileListBox.setItemIndex(0);
        form.FileListBoxChange();
        EXPECT_EQ(form.CountLabel.text(), "(invalid Ostrandel database)");
        EXPECT_FALSE(form.OKBtn.enabled());
        form.FileListBox.setItemIndex(2);
        form.FileListBoxChange();
        EXPECT_EQ(form.NameLabel.text(), "Old shelf");
        EXPECT_EQ(form.CountLabel.text(), "Disks in database: 4");
        form.FileListBoxDblClick();
    });
    chosen = form.Choose(std::string(KV_FIXTURES_DIR) + "/ostrandel");
    ASSERT_TRUE(chosen);
    EXPECT_NE(chosen->find("SAMPLE.DSK"), std::string::npos);
}

}  // namespace
}  // namespace kv
