// Compare to Media from the main window over a folder standing for the
// medium: the question, the compare window's categories, rows added to the
// user list from it, and the user list emptied when the catalog closes.
#include <windows.h>
#include <commctrl.h>

#include <fstream>

#include "catalog/file/CatalogLoad.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/TestInput.h"

namespace kv::test {
namespace {

void Put(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

TEST_F(ShellTest, CompareToMediaShowsTheDifferencesAndFeedsTheUserList) {
    const std::string medium = scratch.file("medium");
    CreateDirectoryA(medium.c_str(), nullptr);
    CreateDirectoryA((medium + "\\A").c_str(), nullptr);
    Put(medium + "\\A\\a1.txt", "grown since");
    Put(medium + "\\brand-new.txt", "new");
    locateMedium = [](const ItemHead*) { return std::optional<char>('T'); };
    mediumRoot = [medium](char) { return medium; };
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    Node& catalog = *main.forest().roots()[0];
    Node& disk = *catalog.children()[0];
    main.browse().tree().select(&disk);
    main.UpdateCommands(kUpdateAllCommands);
    ASSERT_TRUE(main.commandStates()[CommandId::Compare].enabled);

    // Cancel asks and does nothing more.
    prompt.answers = {ui::PromptAnswer::Cancel};
    main.RunCommand(CommandId::Compare, CommandSource::TreePopup);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "Compare to media");
    EXPECT_NE(prompt.asked[0].text.find("\"" + disk.text() + "\" in catalog to original media, please confirm."),
              std::string::npos);

    // The user list is open beside the compare window.
    main.RunCommand(CommandId::UserList, CommandSource::MainMenu);
    TUserListForm* list = main.userListFormIfAny();
    ASSERT_NE(list, nullptr);
    bool shown = false;
    main.compareShown = [&](TCompareForm& form) {
        shown = true;
        const CompareResults& r = form.Results();
        ASSERT_EQ(r.Count(kCategoryNew), 1u);
        EXPECT_EQ(r.NewEntries[0].Name, "brand-new.txt");
        EXPECT_EQ(r.Count(kCategoryChanged), 1u);
        EXPECT_GE(r.Count(kCategoryDeleted), 2u);
        EXPECT_EQ(form.ItemsCombo.itemIndex(), 0);
        // Nothing acts on files without records.
        for (bool on : form.CompareButtonStates().enabled)
            EXPECT_FALSE(on);
        // Ctrl+PageUp from the first category wraps to Deleted.
        WORD key = VK_PRIOR;
        form.CompareListView.onKeyDown(form.CompareListView, key, ui::kCtrl);
        EXPECT_EQ(form.CurrentCategory(), kCategoryDeleted);
        EXPECT_EQ(form.TabSet.tabIndex(), kCategoryDeleted);
        // Two deleted rows dragged onto the user list, which the modal compare
        // window disabled, go there.
        const HWND rows = form.CompareListView.hwnd();
        SetFocus(rows);
        for (int row : {0, 1})
            ListView_SetItemState(rows, row, LVIS_SELECTED, LVIS_SELECTED);
        form.UpdateCompareStatus();
        ASSERT_TRUE(form.CompareButtonStates()[FoundAction::AddList]);
        RECT first{};
        ListView_GetItemRect(rows, 0, &first, LVIR_LABEL);
        RECT box{};
        GetWindowRect(form.hwnd(), &box);
        SetWindowPos(list->hwnd(), HWND_TOP, box.right + 10, box.top, 400, 300, SWP_NOACTIVATE);
        EnableWindow(list->hwnd(), FALSE);
        uitest::sendDragOnto(rows, POINT{first.left + 5, (first.top + first.bottom) / 2},
                             list->UserListView.View().hwnd());
        EnableWindow(list->hwnd(), TRUE);
        // Ctrl+T goes to the focused row's item in the main window and closes the window.
        ListView_SetItemState(rows, 0, LVIS_FOCUSED, LVIS_FOCUSED);
        ASSERT_TRUE(form.CompareButtonStates()[FoundAction::Locate]);
        key = 'T';
        form.CompareListView.onKeyDown(form.CompareListView, key, ui::kCtrl);
        EXPECT_EQ(key, 0);
        EXPECT_FALSE(IsWindowVisible(form.hwnd()));
    };
    prompt.answers = {ui::PromptAnswer::Ok};
    main.RunCommand(CommandId::Compare, CommandSource::TreePopup);
    ASSERT_TRUE(shown);
    EXPECT_EQ(list->List().Count(), 2u);

    main.browse().tree().select(&catalog);
    prompt.answers = {ui::PromptAnswer::No, ui::PromptAnswer::No};
    main.RunCommand(CommandId::Close, CommandSource::MainMenu);
    ASSERT_TRUE(main.forest().roots().empty());
    EXPECT_EQ(list->List().Count(), 0u);
    EXPECT_EQ(SendMessageA(list->UserListView.View().hwnd(), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ShellTest, CompareWithNothingChangedSaysSo) {
    const std::string medium = scratch.file("empty-medium");
    CreateDirectoryA(medium.c_str(), nullptr);
    locateMedium = [](const ItemHead*) { return std::optional<char>('T'); };
    mediumRoot = [medium](char) { return medium; };
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    Node& catalog = *main.forest().roots()[0];
    // A folder with no files below it on either side: nothing differs.
    Node* empty = nullptr;
    LoadSubfolders(catalog.children()[0].get());
    for (const auto& child : catalog.children()[0]->children())
        if (child->text() == "A2")
            empty = child.get();
    ASSERT_NE(empty, nullptr);
    CreateDirectoryA((medium + "\\A2").c_str(), nullptr);
    main.browse().tree().select(empty);
    main.UpdateCommands(kUpdateAllCommands);
    bool shown = false;
    main.compareShown = [&](TCompareForm&) { shown = true; };
    prompt.answers = {ui::PromptAnswer::Ok};
    main.RunCommand(CommandId::Compare, CommandSource::TreePopup);
    EXPECT_FALSE(shown);
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[1].caption, "No changes detected");
    EXPECT_EQ(prompt.asked[1].text,
              "No changes have been detected on the media. Catalog data for folder \"A2\" is up to date.");
}

}  // namespace
}  // namespace kv::test

namespace kv::test {
namespace {

TEST_F(ShellTest, CompareFilesToCatalogChecksAFolderAgainstTheChosenCatalog) {
    const std::string folder = scratch.file("to-check");
    CreateDirectoryA(folder.c_str(), nullptr);
    Put(folder + "\\a1.txt", "a file of that name");
    Put(folder + "\\unknown.bin", "nobody has it");
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    Node& catalog = *main.forest().roots()[0];
    main.browse().tree().select(&catalog);
    const std::uint8_t flagsBefore = catalog.children()[0]->record()->flags;

    bool asked = false;
    main.checkFilesShown = [&](TCheckFilesForm& form) {
        asked = true;
        // The selected catalog's disks are chosen; Search waits for a folder.
        EXPECT_EQ(form.Scope().size(), 1u);
        EXPECT_FALSE(form.BtnSearch.enabled());
        form.SourceDir.setText(folder + "\\missing");
        form.BtnSearchClick();
        EXPECT_NE(form.modalResult(), ui::mrOk);
        EXPECT_EQ(prompt.asked.back().caption, "Invalid folder");
        form.SourceDir.setText(folder);
        EXPECT_TRUE(form.BtnSearch.enabled());
        form.BtnSearchClick();
        EXPECT_EQ(form.Folder(), folder + "\\");
        return form.modalResult() == ui::mrOk;
    };
    // The user list is open beside the compare window.
    main.RunCommand(CommandId::UserList, CommandSource::MainMenu);
    TUserListForm* list = main.userListFormIfAny();
    ASSERT_NE(list, nullptr);
    bool shown = false;
    main.compareShown = [&](TCompareForm& form) {
        shown = true;
        const CompareResults& r = form.Results();
        EXPECT_TRUE(r.CheckMode);
        ASSERT_EQ(r.Count(kCategoryNew), 1u);
        EXPECT_EQ(r.NewEntries[0].Name, "unknown.bin");
        EXPECT_EQ(r.Count(1) + r.Count(2), 1u);
        EXPECT_EQ(form.caption(), "Compare Files To Catalog");
    };
    main.RunCommand(CommandId::CheckCat, CommandSource::MainMenu);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(shown);
    // The dialog's choice of disks is its own: the search scope is as it was.
    EXPECT_EQ(catalog.children()[0]->record()->flags, flagsBefore);
}

}  // namespace
}  // namespace kv::test
