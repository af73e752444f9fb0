#include "shell/commands/CommandMenusWin32.h"

#include <gtest/gtest.h>

#include "catalog/model/ItemFlags.h"
#include "controls/menus/MruMenuWin32.h"
#include "controls/menus/OwnerDrawMenuWin32.h"
#include "ui/Form.h"

namespace kv {
namespace {

TEST(CommandMenus, ShortcutTexts) {
    EXPECT_EQ(ParseShortCut("Ctrl+N"), ui::ShortCut('N', ui::kCtrl));
    EXPECT_EQ(ParseShortCut("Ctrl+F4"), ui::ShortCut(VK_F4, ui::kCtrl));
    EXPECT_EQ(ParseShortCut("Alt+F4"), ui::ShortCut(VK_F4, ui::kAlt));
    EXPECT_EQ(ParseShortCut("F2"), ui::ShortCut(VK_F2, 0));
    EXPECT_EQ(ParseShortCut(""), 0);
    EXPECT_EQ(ParseShortCut("Hyper+N"), 0);
    EXPECT_EQ(ParseShortCut("F13"), 0);
}

struct CommandRun {
    CommandId command;
    CommandSource source;
    bool operator==(const CommandRun&) const = default;
};

UINT menuState(HMENU menu, UINT command) {
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STATE;
    GetMenuItemInfoA(menu, command, FALSE, &mi);
    return mi.fState;
}

TEST(CommandMenus, MainMenuItemsRunTheirCommandsAndFollowTheStates) {
    ui::Form form;
    ui::TODMainMenu menu;
    CommandMenus commands;
    std::vector<CommandRun> runs;
    commands.buildMain(menu, [&](CommandId c, CommandSource s) { runs.push_back({c, s}); });
    menu.attach(form);
    ASSERT_EQ(menu.Items().Count(), 6);
    EXPECT_EQ(menu.Items().Items(0).Caption(), "&File");

    ui::MenuItem* saveAs = commands.item(CommandId::SaveAs);
    ASSERT_NE(saveAs, nullptr);
    EXPECT_EQ(saveAs->Name, "MenuSaveAs");
    EXPECT_EQ(saveAs->Tag, 2);
    SendMessageA(form.hwnd(), WM_COMMAND, MAKEWPARAM(saveAs->Command(), 0), 0);
    SendMessageA(form.hwnd(), WM_COMMAND, MAKEWPARAM(commands.item(CommandId::Sort3)->Command(), 0), 0);
    EXPECT_EQ(runs, (std::vector<CommandRun>{{CommandId::SaveAs, CommandSource::MainMenu},
                                      {CommandId::Sort3, CommandSource::MainMenu}}));
    EXPECT_EQ(commands.item(CommandId::NewCatalog)->ShortCutKey(), ui::ShortCut('N', ui::kCtrl));

    // Nothing open: Save As greyed, Open usable.
    commands.apply(EvaluateCommands(SelectionSnapshot{}));
    HMENU file = GetSubMenu(GetMenu(form.hwnd()), 0);
    EXPECT_TRUE(menuState(file, saveAs->Command()) & MFS_GRAYED);
    EXPECT_FALSE(menuState(file, commands.item(CommandId::OpenCatalog)->Command()) & MFS_GRAYED);

    SelectionSnapshot open;
    open.catalogsOpen = 1;
    open.selectedKind = ItemFlags::Catalog;
    open.treeActive = true;
    open.rows = 2;
    open.sortColumn = 2;
    commands.apply(EvaluateCommands(open));
    file = GetSubMenu(GetMenu(form.hwnd()), 0);
    EXPECT_FALSE(menuState(file, saveAs->Command()) & MFS_GRAYED);
    EXPECT_TRUE(commands.item(CommandId::Sort3)->Checked());
    EXPECT_EQ(commands.item(CommandId::Rename)->Caption(), "&Rename Catalog");
}

TEST(CommandMenus, RecentFilesFollowCloseAll) {
    ui::MainMenu menu;
    CommandMenus commands;
    commands.buildMain(menu, nullptr);
    ui::TMRUFileList mru(nullptr, "MRUList", 4);
    mru.setFileMenu(commands.recentFilesAnchor());
    mru.AddFile(0, "C:\\one.ctf");
    ui::MenuItem& file = menu.Items().Items(0);
    const int closeAll = commands.item(CommandId::CloseAll)->MenuIndex();
    EXPECT_EQ(file.Items(closeAll + 1).Caption(), "-");
    EXPECT_EQ(file.Items(closeAll + 2).Caption(), "&1 C:\\one.ctf");
    EXPECT_EQ(file.Items(closeAll + 3).Caption(), "-");
    EXPECT_EQ(file.Items(closeAll + 4).Name, "MenuReportGen");
}

TEST(CommandMenus, PopupItemsCarryTheirSourceAndStates) {
    ui::PopupMenu popup;
    std::vector<CommandRun> runs;
    std::vector<ui::MenuItem*> items = CommandMenus::buildPopup(
        popup, ListPopupEntries(), CommandSource::ListPopup, [&](CommandId c, CommandSource s) { runs.push_back({c, s}); });
    ASSERT_EQ(items.size(), ListPopupEntries().size());
    items[0]->Click();
    EXPECT_EQ(runs, (std::vector<CommandRun>{{CommandId::MoveInto, CommandSource::ListPopup}}));

    CommandStates states = EvaluateCommands(SelectionSnapshot{});
    CommandMenus::applyPopup(items, ListPopupStates(ItemFlags::Folder, 1, states));
    EXPECT_TRUE(items[0]->Visible());
    EXPECT_TRUE(items[0]->Default());
    EXPECT_FALSE(items[1]->Visible());  // Rename is for disks
}

}  // namespace
}  // namespace kv
