#pragma once
// Every command of the main window, whichever control runs it.
#include <cstddef>
#include <cstdint>

namespace kv {

enum class CommandId : std::uint8_t {
    // File
    NewCatalog, OpenCatalog, Save, SaveAs, Close, CloseAll, RecentFile, ReportGen, ExportDesc, Import, Exit,
    // Edit
    Search, Duplicates, UserList, Back, Explorer, ViewFile, Launch, CopyTo, ExtractTo, AddToUserList, SetCategory,
    EditDesc, Properties,
    // View
    SortItems, Sort1, Sort2, Sort3, Sort4, Sort5, Sort6, Sort7, Sort8, ReverseSort, LargeIcons, SmallIcons, ListStyle,
    Details, ColumnsSetup, ViewToolbar, ViewStatusBar,
    // Catalog
    AddDisk, Compare, CheckCat, CatManager, Categories, Rename, CatalogInfo,
    // Settings
    SettingsInterface, SettingsGeneral, SettingsToolbar, SettingsFonts, SettingsImage, SettingsExtract, SettingsDesc,
    SettingsAutoload, SetupWizard,
    // Help
    HelpIndex, WhatsThis, Tips, About,
    // Popup-only commands
    DeleteDisk, MoveInto,
    Count
};

inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(CommandId::Count);

constexpr std::size_t Index(CommandId id) { return static_cast<std::size_t>(id); }

// UpdateCommands groups.
namespace CommandGroup {
inline constexpr std::uint8_t Catalog = 1;
inline constexpr std::uint8_t Item = 2;
inline constexpr std::uint8_t Sort = 4;
inline constexpr std::uint8_t View = 8;
inline constexpr std::uint8_t All = 255;
}  // namespace CommandGroup

// Where a command was started from; routing reads this, never the Tags.
enum class CommandSource : std::uint8_t { MainMenu, Toolbar, TreePopup, ListPopup, Key };

}  // namespace kv
