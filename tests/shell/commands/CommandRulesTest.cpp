#include "shell/commands/CommandRules.h"
#include "shell/commands/CommandPopups.h"
#include "shell/commands/CommandKeys.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "shell/commands/CommandTable.h"
#include "shell/commands/CommandTarget.h"
#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

using C = CommandId;
using Set = std::set<CommandId>;

Set unite(std::initializer_list<Set> sets) {
    Set all;
    for (const Set& s : sets)
        all.insert(s.begin(), s.end());
    return all;
}

const Set kAlways = {C::NewCatalog, C::OpenCatalog, C::RecentFile, C::Import, C::Exit, C::ColumnsSetup,
                     C::ViewToolbar, C::ViewStatusBar, C::SettingsInterface, C::SettingsGeneral,
                     C::SettingsToolbar, C::SettingsFonts, C::SettingsImage, C::SettingsExtract,
                     C::SettingsDesc, C::SettingsAutoload, C::SetupWizard, C::HelpIndex, C::WhatsThis,
                     C::Tips, C::About, C::DeleteDisk, C::MoveInto};
const Set kOpen = {C::SaveAs, C::Close, C::CloseAll, C::ReportGen, C::Search, C::Duplicates, C::UserList,
                   C::EditDesc, C::Properties, C::AddDisk, C::CheckCat, C::CatManager, C::Categories,
                   C::Rename, C::CatalogInfo};
const Set kRows = {C::SortItems, C::Sort1, C::Sort2, C::Sort3, C::Sort4, C::Sort5, C::Sort6, C::Sort7,
                   C::Sort8, C::ReverseSort, C::LargeIcons, C::SmallIcons, C::ListStyle, C::Details};

// Catalog "Cat" > disk "D" > folders; "x.zip" and "x.qqq" are archive folders
// in A2 with one member each.
struct Fixture : test::ModelFixture {
    Node* zip;
    Node* qqq;
    TFileRec* zipMember;
    TFileRec* qqqMember;
    TFileRec* upRecord;  // stands for the ".." row
    Node& up;

    Fixture() : up(forest.makeDetached("..")) {
        forest.context().resultLists = nullptr;
        zip = &archive("x.zip", zipMember);
        qqq = &archive("x.qqq", qqqMember);
        test::Attach(up, std::make_unique<TFolderRec>());
    }
    Node& archive(const char* name, TFileRec*& member) {
        Node& n = folder(*a2, name);
        n.record()->flags |= ItemFlags::Archive;
        member = &test::AddFile(folderRec(n), "inside.txt");
        member->flags |= ItemFlags::Archive;
        return n;
    }
    TFileRec& fileOf(Node& owner) { return *folderRec(owner).files.first(); }

    // Commands started from the toolbar, as UpdateCommands asks.
    SelectionSnapshot snapshot(Node* selected, bool treeActive, ItemHead* focused = nullptr,
                               std::vector<const ItemHead*> rows = {}, int rowCount = 1) {
        FocusState focus{selected, treeActive, focused, focused == up.record()};
        ListableArchive listable = [](std::string_view name) { return name.ends_with(".zip"); };
        SelectionSnapshot s;
        s.catalogsOpen = static_cast<int>(forest.roots().size());
        s.selectedKind = selected && selected->record() ? selected->record()->kind() : 0;
        s.target = DescribeTarget(GetCommandTarget(CommandSource::Toolbar, focus), listable);
        s.selection = ScanSelection(rows, up.record(), listable);
        s.treeActive = treeActive;
        s.listHasFocusedRow = focused != nullptr;
        s.rows = rowCount;
        return s;
    }
};

void expectEnabled(const CommandStates& states, const Set& expected, const char* what) {
    for (const CommandInfo& c : CommandTable()) {
        EXPECT_EQ(states[c.id].enabled, expected.count(c.id) == 1)
            << what << ": " << (*c.menuName ? c.menuName : c.caption);
    }
}

TEST(CommandRules, EnabledStatesFollowTheSelection) {
    Fixture f;
    const Set item = {C::Back, C::ExportDesc};
    struct Case {
        const char* what;
        SelectionSnapshot snapshot;
        Set enabled;
    };
    SelectionSnapshot nothingOpen;
    std::vector<Case> cases = {
        {"nothing open", nothingOpen, kAlways},
        {"catalog in the tree", f.snapshot(f.catalog, true), unite({kAlways, kOpen, kRows})},
        {"disk in the tree", f.snapshot(f.disk, true),
         unite({kAlways, kOpen, kRows, item, {C::Explorer, C::Compare, C::AddToUserList}})},
        {"folder in the tree", f.snapshot(f.a, true),
         unite({kAlways, kOpen, kRows, item,
                {C::Explorer, C::Compare, C::AddToUserList, C::SetCategory, C::CopyTo}})},
        {"archive folder in the tree", f.snapshot(f.zip, true),
         unite({kAlways, kOpen, kRows, item, {C::Explorer, C::Launch, C::AddToUserList, C::SetCategory, C::CopyTo}})},
        {"file row", f.snapshot(f.a, false, &f.fileOf(*f.a), {&f.fileOf(*f.a)}),
         unite({kAlways, kOpen, kRows, item,
                {C::Explorer, C::ViewFile, C::Launch, C::CopyTo, C::SetCategory, C::AddToUserList}})},
        {"member of a listable archive", f.snapshot(f.zip, false, f.zipMember, {f.zipMember}),
         unite({kAlways, kOpen, kRows, item,
                {C::ViewFile, C::Launch, C::ExtractTo, C::SetCategory, C::AddToUserList}})},
        {"member of an unlisted archive", f.snapshot(f.qqq, false, f.qqqMember, {f.qqqMember}),
         unite({kAlways, kOpen, kRows, item, {C::SetCategory, C::AddToUserList}})},
        {"the .. row alone", f.snapshot(f.a, false, f.up.record(), {f.up.record()}),
         unite({kAlways, kOpen, kRows, item, {C::Explorer, C::Compare}})},
        {"the .. row and a file", f.snapshot(f.a, false, f.up.record(), {f.up.record(), &f.fileOf(*f.a)}),
         unite({kAlways, kOpen, kRows, item, {C::Explorer, C::Compare, C::AddToUserList, C::SetCategory, C::CopyTo}})},
        {"several members", f.snapshot(f.zip, false, f.zipMember, {f.zipMember, f.qqqMember}),
         unite({kAlways, kOpen, kRows, item,
                {C::ViewFile, C::Launch, C::ExtractTo, C::SetCategory, C::AddToUserList}})},
        {"folder with an empty list", f.snapshot(f.c, true, nullptr, {}, 0),
         unite({kAlways, kOpen, item, {C::Explorer, C::Compare, C::AddToUserList, C::SetCategory, C::CopyTo}})},
    };
    for (const Case& c : cases)
        expectEnabled(EvaluateCommands(c.snapshot), c.enabled, c.what);
    EXPECT_TRUE(EvaluateCommands(nothingOpen).hideSearchWindow);
    EXPECT_FALSE(EvaluateCommands(cases[1].snapshot).hideSearchWindow);
}

TEST(CommandRules, SaveRenameAndDuplicatesFollowTheProgramState) {
    Fixture f;
    SelectionSnapshot s = f.snapshot(f.catalog, true);
    EXPECT_EQ(EvaluateCommands(s)[C::Rename].caption, "&Rename Catalog");
    s.selectedCatalogModified = true;
    EXPECT_TRUE(EvaluateCommands(s)[C::Save].enabled);

    s.searchRunning = true;
    EXPECT_TRUE(EvaluateCommands(s)[C::Duplicates].enabled);
    s.searchDuplicates = true;
    EXPECT_FALSE(EvaluateCommands(s)[C::Duplicates].enabled);

    // The list active on a catalog: a focused disk row is what gets renamed.
    SelectionSnapshot list = f.snapshot(f.catalog, false, f.disk->record(), {f.disk->record()});
    EXPECT_EQ(EvaluateCommands(list)[C::Rename].caption, "&Rename Disk");
    EXPECT_TRUE(EvaluateCommands(list)[C::Rename].enabled);
    list.listHasFocusedRow = false;
    EXPECT_FALSE(EvaluateCommands(list)[C::Rename].enabled);
}

TEST(CommandRules, ChecksFollowSortAndViewAndOnlyTheAskedGroupsChange) {
    Fixture f;
    SelectionSnapshot s = f.snapshot(f.a, true);
    s.sortColumn = 5;
    s.sortReverse = true;
    s.viewStyle = 1;
    CommandStates states = EvaluateCommands(s);
    for (C sort : {C::Sort1, C::Sort2, C::Sort3, C::Sort4, C::Sort5, C::Sort7, C::Sort8})
        EXPECT_FALSE(states[sort].checked);
    EXPECT_TRUE(states[C::Sort6].checked);
    EXPECT_TRUE(states[C::ReverseSort].checked);
    EXPECT_TRUE(states[C::SmallIcons].checked);
    EXPECT_FALSE(states[C::Details].checked);

    // A catalog-group update leaves the sort commands as they were.
    s.rows = 0;
    s.sortColumn = 0;
    UpdateCommandStates(states, s, CommandGroup::Catalog);
    EXPECT_TRUE(states[C::Sort6].checked);
    EXPECT_TRUE(states[C::Sort6].enabled);
    UpdateCommandStates(states, s, CommandGroup::Sort);
    EXPECT_FALSE(states[C::Sort6].enabled);
    EXPECT_TRUE(states[C::Details].enabled);
    UpdateCommandStates(states, s, CommandGroup::Item);
    EXPECT_FALSE(states[C::Details].enabled);
}

TEST(CommandTarget, SourceAndFocusPickTheSide) {
    Fixture f;
    TFileRec& file = f.fileOf(*f.a);
    FocusState focus{f.a, false, &file, false};
    std::optional<CommandTarget> t = GetCommandTarget(CommandSource::MainMenu, focus);
    ASSERT_TRUE(t);
    EXPECT_FALSE(t->fromTree);
    EXPECT_EQ(t->item(), &file);

    t = GetCommandTarget(CommandSource::TreePopup, focus);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->item(), f.a->record());

    focus.treeActive = true;
    EXPECT_TRUE(GetCommandTarget(CommandSource::Toolbar, focus)->fromTree);
    // The list popup always works on the list.
    EXPECT_FALSE(GetCommandTarget(CommandSource::ListPopup, focus)->fromTree);

    // A folder row resolves to its node, ".." to the selection's parent.
    FocusState rows{f.a, false, f.b->record(), false};
    EXPECT_EQ(GetCommandTarget(CommandSource::ListPopup, rows)->node, f.b);
    rows.focusedRow = f.up.record();
    rows.focusedRowIsUp = true;
    EXPECT_EQ(GetCommandTarget(CommandSource::ListPopup, rows)->node, f.disk);

    // Nothing to work on.
    EXPECT_FALSE(GetCommandTarget(CommandSource::TreePopup, FocusState{}));
    EXPECT_FALSE(GetCommandTarget(CommandSource::ListPopup, FocusState{f.a, false, nullptr, false}));
    FocusState stranger{f.a, false, f.c->record(), false};
    EXPECT_FALSE(GetCommandTarget(CommandSource::ListPopup, stranger));
}

std::set<std::string> shown(std::span<const PopupEntry> entries, const std::vector<PopupItemState>& states) {
    std::set<std::string> names;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (states[i].visible) names.insert(entries[i].name);
    return names;
}

std::string defaultOf(const std::vector<PopupItemState>& states) {
    for (std::size_t i = 0; i < states.size(); ++i)
        if (states[i].isDefault) return ListPopupEntries()[i].name;
    return "";
}

TEST(CommandPopups, TreePopupShowsWhatTheNodeKindOffers) {
    Fixture f;
    CommandStates disk = EvaluateCommands(f.snapshot(f.disk, true));
    EXPECT_EQ(shown(TreePopupEntries(), TreePopupStates(ItemFlags::Disk, false, disk)),
              (std::set<std::string>{"TreeMenuUpdateDisk", "TreeMenuRename", "TreeMenuDeleteDisk",
                                     "TreeMenuOpenExplorer", "TreeMenuAddList", "TreeMenuCompare",
                                     "TreeMenuSeparator2", "TreeMenuDescription", "TreeMenuProperties"}));
    CommandStates none = EvaluateCommands(SelectionSnapshot{});
    EXPECT_EQ(shown(TreePopupEntries(), TreePopupStates(0, false, none)),
              (std::set<std::string>{"TreeMenuAddCat", "TreeMenuOpenCat"}));

    SelectionSnapshot catalog = f.snapshot(f.catalog, true);
    std::vector<PopupItemState> states = TreePopupStates(ItemFlags::Catalog, false, EvaluateCommands(catalog));
    std::set<std::string> names = shown(TreePopupEntries(), states);
    for (const char* n : {"TreeMenuAddCat", "TreeMenuSaveCat", "TreeMenuCloseCat", "TreeMenuNewDisk",
                          "TreeMenuCategories", "TreeMenuCatManager", "TreeMenuSeparator1"})
        EXPECT_EQ(names.count(n), 1u) << n;
    EXPECT_FALSE(states[2].enabled);  // Save Catalog follows Save: not modified
    catalog.selectedCatalogModified = true;
    EXPECT_TRUE(TreePopupStates(ItemFlags::Catalog, false, EvaluateCommands(catalog))[2].enabled);

    // A listed folder offers Add To User List disabled.
    std::vector<PopupItemState> folder = TreePopupStates(ItemFlags::Folder, true, EvaluateCommands(f.snapshot(f.a, true)));
    EXPECT_TRUE(folder[16].visible);
    EXPECT_FALSE(folder[16].enabled);
}

TEST(CommandPopups, ListPopupDefaultItemFollowsTheRow) {
    Fixture f;
    TFileRec& file = f.fileOf(*f.a);
    CommandStates onFile = EvaluateCommands(f.snapshot(f.a, false, &file, {&file}));
    EXPECT_EQ(defaultOf(ListPopupStates(ItemFlags::File, 1, onFile)), "ListMenuProperties");
    EXPECT_EQ(defaultOf(ListPopupStates(ItemFlags::File, 2, onFile)), "ListMenuOpenExplorer");
    EXPECT_EQ(defaultOf(ListPopupStates(ItemFlags::File, 3, onFile)), "ListMenuLaunchFile");
    EXPECT_EQ(defaultOf(ListPopupStates(ItemFlags::File, 0, onFile)), "");
    EXPECT_EQ(shown(ListPopupEntries(), ListPopupStates(ItemFlags::File, 1, onFile)).count("ListMenuMoveTo"), 0u);

    CommandStates onFolder = EvaluateCommands(f.snapshot(f.a, false, f.b->record(), {f.b->record()}));
    EXPECT_EQ(defaultOf(ListPopupStates(ItemFlags::Folder, 1, onFolder)), "ListMenuMoveTo");
    EXPECT_EQ(shown(ListPopupEntries(), ListPopupStates(0, 1, onFolder)).count("ListMenuAddList"), 0u);

    CommandStates onDisk = EvaluateCommands(f.snapshot(f.catalog, false, f.disk->record(), {f.disk->record()}));
    std::set<std::string> disk = shown(ListPopupEntries(), ListPopupStates(ItemFlags::Disk, 1, onDisk));
    for (const char* n : {"ListMenuRename", "ListMenuUpdateDisk", "ListMenuDeleteDisk", "ListMenuCompare", "ListMenuMoveTo"})
        EXPECT_EQ(disk.count(n), 1u) << n;
}

}  // namespace
}  // namespace kv
