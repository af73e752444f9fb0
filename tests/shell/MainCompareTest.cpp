// Compare to Media from the main window over a folder standing for the
// medium: the question, the compare window's categories, rows added to the
// user list from it, and the user list emptied when the catalog closes.
#include <windows.h>
#include <commctrl.h>

#include <fstream>

#include "catalog/file/CatalogLoad.h"
#include "tests/shell/ShellFixture.h"

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
        // Two deleted rows go to the user list.
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED;
        state.state = LVIS_SELECTED;
        for (WPARAM row : {0u, 1u})
            SendMessageA(form.CompareListView.hwnd(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
        ASSERT_TRUE(form.CompareButtonStates()[FoundAction::AddList]);
        form.RunCompareAction(FoundAction::AddList);
    };
    prompt.answers = {ui::PromptAnswer::Ok};
    main.RunCommand(CommandId::Compare, CommandSource::TreePopup);
    ASSERT_TRUE(shown);
    TUserListForm* list = main.userListFormIfAny();
    ASSERT_NE(list, nullptr);
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
