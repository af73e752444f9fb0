#include "shell/commands/CommandTable.h"

#include <array>

namespace kv {

namespace {

using C = CommandId;
using E = EnabledRule;
using K = CheckRule;
using R = Refusal;
constexpr std::uint8_t kCat = CommandGroup::Catalog;
constexpr std::uint8_t kItem = CommandGroup::Item;
constexpr std::uint8_t kSort = CommandGroup::Sort;
constexpr std::uint8_t kView = CommandGroup::View | CommandGroup::Item;

// Sort captions are the file list's; the sort controls re-caption them per list kind.
// Main menu items carry Tag 3 for routing in the original layout; routing here
// goes by CommandSource, so menuTag keeps only the Tags that mean something else.
constexpr std::array<CommandInfo, kCommandCount> kTable = {{
    {C::NewCatalog, "MenuNewCat", "&New Catalog", "Ctrl+N", "ButtonNew", 1, 0, 0, E::Always, K::None, 0, R::None},
    {C::OpenCatalog, "MenuOpen", "&Open", "Ctrl+O", "ButtonOpen", 2, 0, 0, E::Always, K::None, 0, R::OpenCatalog},
    {C::Save, "MenuSave", "&Save", "Ctrl+S", "ButtonSave", 3, 1, 0, E::Modified, K::None, 0, R::SaveCatalog},
    {C::SaveAs, "MenuSaveAs", "Save &As...", "", "", 0, 2, kCat, E::Open, K::None, 0, R::SaveCatalog},
    {C::Close, "MenuClose", "&Close", "Ctrl+F4", "", 0, 0, kCat, E::Open, K::None, 0, R::CloseCatalog},
    {C::CloseAll, "MenuCloseAll", "Close A&ll", "", "", 0, 0, kCat, E::Open, K::None, 0, R::CloseCatalog},
    {C::RecentFile, "GenericMRUItem", "", "", "", 0, -17714, 0, E::Always, K::None, 0, R::OpenCatalog},
    {C::ReportGen, "MenuReportGen", "&Report Generator", "Ctrl+R", "ButtonPrint", 5, 0, kCat, E::Open, K::None, 0, R::None},
    {C::ExportDesc, "MenuExportDesc", "Export &Descriptions to Media", "", "", 0, 0, kItem, E::ExportDesc, K::None, 0, R::UpdateData},
    {C::Import, "MenuImport", "&Import from Ostrandel", "", "", 0, 0, 0, E::Always, K::None, 0, R::OpenCatalog},
    {C::Exit, "MenuExit", "E&xit", "Alt+F4", "", 0, 0, 0, E::Always, K::None, 0, R::None},

    {C::Search, "MenuSearch", "Search &for Items", "Ctrl+F", "ButtonSearch", 8, 0, kCat, E::Open, K::None, 0, R::None},
    {C::Duplicates, "MenuDuplicates", "&Scan for Duplicates", "Ctrl+D", "", 0, 1, kCat, E::Duplicates, K::None, 0, R::None},
    {C::UserList, "MenuUserList", "View &User List", "Ctrl+U", "ButtonUserList", 9, 0, kCat, E::Open, K::None, 0, R::None},
    {C::Back, "MenuBackLevel", "&Back One Level", "", "ButtonBack", 11, 0, kItem, E::Back, K::None, 0, R::None},
    {C::Explorer, "MenuOpenExplorer", "&Open in Explorer", "", "ButtonExplorer", 15, 0, kItem, E::Explorer, K::None, 0, R::None},
    {C::ViewFile, "MenuViewFile", "&View File", "Ctrl+I", "ButtonView", 16, 0, kItem, E::ViewFile, K::None, 0, R::None},
    {C::Launch, "MenuLaunchFile", "&Launch File", "", "ButtonLaunch", 17, 0, kItem, E::Launch, K::None, 0, R::None},
    {C::CopyTo, "MenuCopyTo", "Copy To...", "", "ButtonCopyTo", 33, 0, kItem, E::CopyTo, K::None, 0, R::None},
    {C::ExtractTo, "MenuExtractTo", "E&xtract To...", "", "ButtonExtract", 18, 0, kItem, E::ExtractTo, K::None, 0, R::None},
    {C::AddToUserList, "MenuAddUser", "&Add to User List", "Ctrl+L", "ButtonAddList", 19, 0, kItem, E::AddToList, K::None, 0, R::None},
    {C::SetCategory, "MenuSetCat", "Set &Category and Flags", "", "ButtonSetCat", 14, 0, kItem, E::SetCategory, K::None, 0, R::UpdateData},
    {C::EditDesc, "MenuEditDesc", "&Edit Description", "Ctrl+E", "ButtonEditDesc", 12, 0, kCat, E::Open, K::None, 0, R::UpdateData},
    {C::Properties, "MenuProperties", "&Properties", "Ctrl+P", "ButtonProperties", 13, 0, kCat, E::Open, K::None, 0, R::UpdateData},

    {C::SortItems, "MenuSortItems", "&Sort items", "", "", 0, 0, kSort, E::Rows, K::None, 0, R::None},
    {C::Sort1, "MenuSort1", "Arrange by &Filename", "", "ButtonSort1", 26, 0, kSort, E::Rows, K::SortColumn, 0, R::None},
    {C::Sort2, "MenuSort2", "Arrange by &Extension", "", "ButtonSort2", 27, 1, kSort, E::Rows, K::SortColumn, 1, R::None},
    {C::Sort3, "MenuSort3", "Arrange by &Size", "", "ButtonSort3", 28, 2, kSort, E::Rows, K::SortColumn, 2, R::None},
    {C::Sort4, "MenuSort4", "Arrange by &Date", "", "ButtonSort4", 29, 3, kSort, E::Rows, K::SortColumn, 3, R::None},
    {C::Sort5, "MenuSort5", "Arrange by &Time", "", "", 0, 4, kSort, E::Rows, K::SortColumn, 4, R::None},
    {C::Sort6, "MenuSort6", "Arrange by &Attributes", "", "", 0, 5, kSort, E::Rows, K::SortColumn, 5, R::None},
    {C::Sort7, "MenuSort7", "Arrange by Descri&ptions", "", "", 0, 6, kSort, E::Rows, K::SortColumn, 6, R::None},
    {C::Sort8, "MenuSort8", "Arrange by &Categories", "", "", 0, 7, kSort, E::Rows, K::SortColumn, 7, R::None},
    {C::ReverseSort, "MenuReverseSort", "&Reverse Sort Order", "", "ButtonReverseSort", 30, 0, kSort, E::Rows, K::SortReverse, 0, R::None},
    {C::LargeIcons, "MenuLargeIcons", "View &Icons", "", "ButtonLargeIcon", 21, 0, kView, E::Rows, K::ViewStyle, 0, R::None},
    {C::SmallIcons, "MenuSmallIcons", "View &Small Icons", "", "ButtonSmallIcon", 23, 0, kView, E::Rows, K::ViewStyle, 1, R::None},
    {C::ListStyle, "MenuList", "View &List", "", "ButtonList", 22, 0, kView, E::Rows, K::ViewStyle, 2, R::None},
    {C::Details, "MenuDetails", "View &Details", "", "ButtonDetails", 24, 0, kView, E::Rows, K::ViewStyle, 3, R::None},
    {C::ColumnsSetup, "MenuColumnsSetup", "Columns Setup", "", "", 0, 0, 0, E::Always, K::None, 0, R::None},
    {C::ViewToolbar, "ViewToolbar", "&Toolbar", "", "", 0, 0, 0, E::Always, K::ToolbarVisible, 0, R::None},
    {C::ViewStatusBar, "ViewStatusBar", "Status &Bar", "", "", 0, 0, 0, E::Always, K::StatusBarVisible, 0, R::None},

    {C::AddDisk, "MenuAddDisk", "&Add/Update Disk Image", "Ctrl+A", "ButtonAddDisk", 6, 0, kCat, E::Open, K::None, 0, R::UpdateData},
    {C::Compare, "MenuCompare", "C&ompare to Media", "", "ButtonCompare", 7, 0, kItem, E::Compare, K::None, 0, R::UpdateData},
    {C::CheckCat, "MenuCheckCat", "Compare &Files to Catalog", "", "", 0, 0, kCat, E::Open, K::None, 0, R::UpdateData},
    {C::CatManager, "MenuCatManager", "Catalog &Manager", "", "", 0, 0, kCat, E::Open, K::None, 0, R::UpdateData},
    {C::Categories, "MenuCategories", "&Categories Setup", "", "", 0, 0, kCat, E::Open, K::None, 0, R::UpdateData},
    {C::Rename, "MenuRenameItem", "&Rename Disk", "F2", "", 0, 0, kCat, E::Rename, K::None, 0, R::UpdateData},
    {C::CatalogInfo, "MenuCatalogInfo", "Catalog &Info", "", "", 0, 0, kCat, E::Open, K::None, 0, R::None},

    {C::SettingsInterface, "MenuSettingsInterface", "&User Interface Setup", "", "", 0, 1, 0, E::Always, K::None, 0, R::None},
    {C::SettingsGeneral, "MenuSettings", "&General Settings", "", "", 0, 2, 0, E::Always, K::None, 0, R::None},
    {C::SettingsToolbar, "MenuSettingsToolbar", "&Toolbar Setup", "", "", 0, 3, 0, E::Always, K::None, 0, R::None},
    {C::SettingsFonts, "MenuSettingsFonts", "Customize &Fonts", "", "", 0, 4, 0, E::Always, K::None, 0, R::None},
    {C::SettingsImage, "MenuSettingsImage", "Disk &Image Settings", "", "", 0, 5, 0, E::Always, K::None, 0, R::None},
    {C::SettingsExtract, "MenuSettingsExtract", "Ar&chive Files Support", "", "", 0, 6, 0, E::Always, K::None, 0, R::None},
    {C::SettingsDesc, "MenuSettingsDesc", "&Description Assistant", "", "", 0, 7, 0, E::Always, K::None, 0, R::None},
    {C::SettingsAutoload, "MenuSettingsAutoload", "Catalog &Auto-loading", "", "", 0, 8, 0, E::Always, K::None, 0, R::None},
    {C::SetupWizard, "MenuSetupWizard", "Quick-Setup &Wizard", "", "", 0, 0, 0, E::Always, K::None, 0, R::None},

    {C::HelpIndex, "MenuHelpIndex", "Help Index", "", "", 0, 0, 0, E::Always, K::None, 0, R::None},
    {C::WhatsThis, "MenuWhatIsHelp", "What Is This?", "", "ButtonHelp", 32, 0, 0, E::Always, K::None, 0, R::None},
    {C::Tips, "MenuTips", "More &Tips", "", "", 0, 0, 0, E::Always, K::None, 0, R::None},
    {C::About, "MenuAbout", "&About", "", "", 0, 0, 0, E::Always, K::None, 0, R::None},

    {C::DeleteDisk, "", "Delete Disk", "", "", 0, 0, 0, E::Always, K::None, 0, R::RemoveDisk},
    {C::MoveInto, "", "Move To...", "", "", 0, 0, 0, E::Always, K::None, 0, R::None},
}};

constexpr bool tableInOrder() {
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (Index(kTable[i].id) != i)
            return false;
    }
    return true;
}
static_assert(tableInOrder(), "one row per command, in CommandId order");

}  // namespace

std::span<const CommandInfo> CommandTable() { return kTable; }

const CommandInfo& CommandInfoOf(CommandId id) { return kTable.at(Index(id)); }

const CommandInfo* FindCommandByMenuName(std::string_view name) {
    for (const CommandInfo& c : kTable) {
        if (!name.empty() && name == c.menuName)
            return &c;
    }
    return nullptr;
}

const CommandInfo* FindCommandByButton(std::string_view name) {
    for (const CommandInfo& c : kTable) {
        if (!name.empty() && name == c.buttonName)
            return &c;
    }
    return nullptr;
}

}  // namespace kv
