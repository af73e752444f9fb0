#pragma once
// The main window: the catalog tree pane, the splitter, the item list pane and
// the status bar, with the program's life cycle around them: start-up on the
// first idle tick, the deferred work of later ticks, autosave, catalogs handed
// over by a second start or dropped on the window, the saved window position,
// and the close with its save questions.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalog/CatalogLifeCycle.h"
#include "catalog/CatalogOpen.h"
#include "catalog/file/CatalogSave.h"
#include "catalog/model/Forest.h"
#include "controls/IconList.h"
#include "controls/docks/DockToolbarButtonWin32.h"
#include "ui/Canvas.h"
#include "ui/FontDialog.h"
#include "controls/VirtualListView.h"
#include "controls/gradient/GradientFormWin32.h"
#include "controls/menus/GlyphMenuItemsWin32.h"
#include "controls/menus/MruMenuWin32.h"
#include "controls/menus/OwnerDrawMenuWin32.h"
#include "shell/commands/CatalogCommands.h"
#include "shell/commands/CommandMenusWin32.h"
#include "shell/commands/CommandTarget.h"
#include "shell/commands/EditFormWin32.h"
#include "shell/commands/StatusTexts.h"
#include "shell/app/AutoSave.h"
#include "shell/app/CloseQuery.h"
#include "shell/app/IdleSequence.h"
#include "shell/app/WindowPos.h"
#include "shell/browse/BrowseViewsWin32.h"
#include "shell/browse/ItemListSources.h"
#include "shell/browse/SearchListCells.h"
#include "shell/browse/SortControls.h"
#include "shell/copy/MediaFormWin32.h"
#include "shell/folderbrowse/BrowseFolderFormWin32.h"
#include "scan/AddUpdateDiskWin32.h"
#include "scan/DiskSelectFormWin32.h"
#include "scan/ExportDescFormWin32.h"
#include "scan/descassist/DescAssistFormWin32.h"
#include "scan/properties/PropertiesFormWin32.h"
#include "search/window/SearchFormWin32.h"
#include "shell/main/ListSortFeedbackWin32.h"
#include "shell/main/MainToolbarsWin32.h"
#include "shell/setup/ColumnsFormWin32.h"
#include "shell/setup/OptionsFormWin32.h"
#include "shell/setup/WizardFormWin32.h"
#include "shell/settings/ToolbarLayout.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Splitter.h"
#include "search/compare/CheckFilesFormWin32.h"
#include "search/compare/CompareFormWin32.h"
#include "search/userlist/UserListFormWin32.h"
#include "ui/StatusBar.h"
#include "ui/Timer.h"
#include "ui/TreeView.h"
#include "ui/WaitForm.h"
#include "ui/WhatsThisMode.h"

namespace kv {

class SectionStore;
class SettingsStore;
struct Settings;
struct ListReportSource;
struct ListColumnLayout;
struct ReportWindowFacts;
enum class ReportOrigin;
class SplashForm;
class TCopyToForm;
class TTipsDialog;
class TViewerForm;

// WParam 1: open the list stored by the request queue.
inline constexpr UINT kOpenCatalogsMessage = WM_USER + 997;

// The status-bar panel of the item summary and the busy texts.
inline constexpr int kSummaryPanel = 1;

struct MainFormServices {
    SettingsStore& settings;
    // The program key's values ("WindowPos", "RevisionMarker", ...).
    SectionStore& programStore;
    // Below HKEY_CURRENT_USER: wiped whole when it holds another revision.
    std::string programKey;
    // Absolute names from the command line.
    std::vector<std::string> commandLine;
    IFileSystem& files;
    SplashForm* splash = nullptr;
    // Registers ".ctf" with the shell; empty in tests.
    std::function<void()> registerFileType;
    // The shutting-down notice, shown while catalogs are closed at exit.
    std::function<void()> showClosingNotice;
    // Windows of later work; empty ones do nothing.
    std::function<void()> runSetupWizard;
    std::function<void()> openTips;
    // The readers of archives and the program's extraction to the temporary
    // folder; none: a scan records archives as plain files.
    arc::ArchiveContext* archives = nullptr;
    arc::TempExtraction* extraction = nullptr;
    // Tests map drives to folders: they adjust the machine the Add/Update Disk
    // command sees before its dialog is made.
    std::function<void(AddDiskServices& dialog, AddUpdateServices& scan)> scanMachine;
    // Tests map a drive to a folder for writing to a medium: the drive that
    // holds an item's disk (none: the machine's drives are searched) and where
    // a drive's root is reached (empty: "X:").
    std::function<std::optional<char>(const ItemHead* item)> locateMedium;
    std::function<std::string(char letter)> mediumRoot;
};

class MainForm : public ui::TGradientForm,
                 private IdleSteps,
                 private CloseQueryHost,
                 private AutoSaveTargets,
                 private CatalogWindow,
                 private ToolWindows,
                 private TreeViewPort,
                 private CatalogFileDialog,
                 private RecentCatalogs,
                 private AutoLoadList,
                 private ISaveDialog,
                 private IItemLocator,
                 private IFoundItemCommands {
public:
    explicit MainForm(MainFormServices services);
    ~MainForm() override;

    // The panes others fill: the catalog tree (left), the splitter, the item
    // list (the rest) and the status bar (bottom).
    ui::TreeView tree;
    ui::Splitter splitter;
    ui::TExtListView list;
    ui::StatusBar statusBar;
    // The main menu, made from the command table.
    ui::TODMainMenu mainMenu;
    // The docks on the four edges and the toolbar.
    MainToolbars& toolbars() { return *toolbars_; }

    Forest& forest() { return forest_; }
    // The tree and the list bound to the forest: what the user browses.
    BrowseViewsWin32& browse() { return *browse_; }
    CatalogOpenQueue& openQueue() { return openQueue_; }
    SaveEnvironment& saveEnvironment() { return saveEnv_; }
    SettingsStore& settingsStore() { return services_.settings; }
    // Questions of the main window's work (the splash steps aside first).
    ui::UserPrompt& prompt() { return *prompt_; }
    // Busy texts go to the status bar; empty resets it.
    void ShowStatus(const std::string& text, bool busy);

    // Runs one idle tick as the application's idle handler does.
    void RunIdleOnce() { idle_.RunIdle(*this); }
    void AutoSaveTimerTimeout() { autoSave_.TimerTimeout(); }
    void ApplyAutoSaveOptions();
    void RunAutoSave();
    // The view style of the item list: 0 large icons, 1 small, 2 list, 3 details.
    void SetViewStyle(std::uint8_t style);
    // The settings' fonts: slot 0 on the tree, slot 1 on the item list and the
    // result lists.
    void ApplyFonts();
    // After a change of the list's style or place (toolbar shown, hidden,
    // floated or docked): the whole list with its header is drawn again.
    void RepaintItemList();
    std::uint8_t ViewStyle() const { return viewStyle_; }
    void SaveWindowPos();
    // Drop handling, as WM_DROPFILES gives the names.
    void DropFiles(const std::vector<std::string>& names);
    // The font and colour of description hints: the user's tip font, else
    // Times New Roman 12 in green.
    HFONT HintFont() const { return hintFont_.get(); }
    COLORREF HintFontColor() const { return hintFontFace_.color; }
    // The user list window repaints its rows after a rename (set while it exists).
    std::function<void()> repaintUserList;
    // A search walks the catalogs: opening and saving are refused meanwhile.
    std::function<bool()> searchActive;
    // Tests: runs with the filled compare window in place of its modal loop.
    std::function<void(TCompareForm&)> compareShown;
    // Tests: answers the filled file-check dialog in place of its modal loop (true: Search).
    std::function<bool(TCheckFilesForm&)> checkFilesShown;
    // A command of the menus, the toolbar or a key.
    void RunCommand(CommandId command, CommandSource source);
    // Command states (CommandGroup bits) and the status bar, for the other windows.
    void UpdateCommands(std::uint8_t groups) { updateCommands(groups); }
    void UpdateStatusBar() { updateStatusBar(); }
    const CommandStates& commandStates() const { return commandStates_; }
    // The Add/Update Disk dialog while its command runs.
    TAddDiskForm* addDiskForm() { return addDiskForm_.get(); }
    // The Export Descriptions window while its command runs.
    TExportDescForm* exportDescForm() { return exportDescForm_.get(); }
    // The search window, made on first use and kept.
    TSearchForm& searchForm();
    bool searchFormExists() const { return searchForm_ != nullptr; }
    // The user list, made on first use and kept (MainFormUserListWin32.cpp).
    TUserListForm& userListForm();
    TUserListForm* userListFormIfAny() { return userListForm_.get(); }
    ui::TMRUFileList& recentFiles() { return *recentFiles_; }
    // The record behind row `index` (-1: the focused row) of any item list of
    // the program; null for a list no window registered, or beyond its rows.
    const ItemHead* GetListItemRecord(const ui::TCustomEnhListView& listView, std::ptrdiff_t index) const;
    // Which item list a list view shows, for the comparer; nothing for others.
    std::optional<ItemListKind> ItemListKindOf(const ui::TCustomEnhListView& listView) const {
        return itemLists_.kind(&listView);
    }
    // The windows of the other item lists register them while they exist (the
    // user list and the compare list do so once they are built).
    ItemListSources& itemLists() { return itemLists_; }
    void RegisterDiskSelectList(TDiskSelectForm& form);
    void UnregisterItemList(const ui::TCustomEnhListView& listView);
    // The toolbar's popup: float or dock it, hide it, pick its dock.
    ui::PopupMenu& toolbarPopup() { return toolbarPopup_; }
    // The toolbar's order, hidden buttons and separators, button size and style.
    void ApplyToolbarLayout(const Settings& settings);
    // The help pointer's mode, from the help button or menu item to the next left click.
    bool WhatsThisMode() const;
    // The "Select Folder" dialog: every window that lets the user pick a folder asks here.
    IFolderPicker& folderPicker();
    // The questions of the search for a disk's medium (the Insert Media window).
    MediaPrompts& mediaPrompts();
    // Tests stand in for the shell: opening a file (its result code) and
    // starting a program (the system's error code, 0 when it started).
    std::function<std::uintptr_t(const std::string& file, const std::string& parameters,
                                 const std::string& folder)> shellOpen;
    std::function<unsigned long(const std::string& commandLine)> runProgram;
    // The shell windows while their commands run.
    TCopyToForm* copyForm() const { return copyForm_; }
    TViewerForm* viewerForm() const { return viewerForm_; }
    TTipsDialog* tipsForm() const { return tipsForm_; }
    // "Program Settings" on a page (1..8), the setup wizard (firstRun: at a
    // first start) and "Columns Setup" (MainFormSetupWin32.cpp).
    void ShowOptions(int page);
    void MenuSetupWizardClick(bool firstRun);
    // On a list (ColumnsList; -1: the one the main list shows).
    void ColumnsSetupClick(int list = -1);
    void ReportGenClick();
    void SearchReportClick();
    // The report generator; any window with a list calls it with itself as the origin.
    void OpenReportGenerator(ReportOrigin origin);
    TOptionsForm& optionsForm();

    // The window's state the other parts of the main window share.
    bool Destroying = false;
    bool MarkerFound = false;
    bool RefreshPending = false;
    SortState Sort;                      // DiskSortColumn, FileSortColumn, SortReverse
    std::string AppDir;                  // ends in "\"
    bool Idle = true;
    Node* UpNode = nullptr;
    char DriveLetter = 'C';
    bool FirstIdle() const { return idle_.firstIdle(); }
    bool AutoSavePending() const { return autoSave_.pending(); }
    std::uint32_t AutoSaveInterval() const { return autoSave_.interval(); }
    UINT AutoSaveTimerInterval() const { return autoSaveTimer_.interval(); }
    bool AutoSaveTimerEnabled() const { return autoSaveTimer_.enabled(); }

protected:
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void CheckRevisionMarker();
    void LoadWindowPos();
    void OpenParamsFile(WPARAM number);
    void OpenRequested();
    bool refuseWhileSearching();
    void stepSplashAside();
    void createBrowseViews();
    // Adds a new disk, or updates updatedDisk.
    void AddDiskClick(Node* updatedDisk = nullptr);
    // "Update Disk Image" of a popup: the disk it was opened on.
    void UpdateDiskClick(CommandSource source);
    DiskColumns diskSelectColumns();
    void ExportDescClick(CommandSource source);
    // Search for Items opens the search window in its normal mode, Scan for
    // Duplicates in its duplicates mode (unless a search runs).
    void SearchClick(bool duplicates = false);
    // Rows of freed records leave the search window's and the user list's lists.
    void hookResultListRenumbering();
    void closeSearchForm();
    void closeUserListForm();
    void ViewUserListClick();
    void AddToUserListClick(CommandSource source);
    // Rows dragged from the main tree or list onto the user list.
    void hookUserListDrops();
    // Compare to Media and the compare window (MainFormCompareWin32.cpp).
    void CompareClick(CommandSource source);
    void CheckFilesClick();
    // The cells, icons and order of the main window's rows, for another list's columns.
    std::unique_ptr<SearchListCells> makeListCells(ItemListKind list);
    // What the report generator asks of the windows (MainFormReportWin32.cpp).
    ReportWindowFacts reportWindowFacts();
    ListReportSource reportListSource(int source);
    ListColumnLayout reportColumnLayout(int source);
    std::function<void()> reportSettingsDialog();
    // Status texts of the result windows: a record's summary, the totals of rows.
    static std::string RecordSummaryText(const ItemHead& rec);
    static std::string RecordsTotalsText(std::span<ItemHead* const> items);
    void showCompareResults(CompareResults results, const std::string& description);
    CompareFormServices compareFormServices();
    void fillToolWindowServices(ToolWindowServices& s);
    const FoundCellProvider& compareCells();
    TCompareForm* compareFormIfAny() { return compareForm_; }
    Node* catalogAt(std::size_t index);

    // IdleSteps
    bool toolbarFloating() override;
    void reloadToolbarPositions() override;
    void installHintHandlers() override;
    std::vector<std::string> commandLineCatalogs() override { return services_.commandLine; }
    void requestOpenCatalogs(const std::vector<std::string>& names) override;
    bool autoloadOn() override;
    std::vector<std::string> autoloadList() override;
    bool anyCatalogOpen() override { return !forest_.roots().empty(); }
    bool splashExists() override;
    void setSplashText(const std::string& text) override;
    void setSplashInterval(int ms) override;
    bool markerFound() override { return MarkerFound; }
    bool tipsOn() override;
    void runSetupWizard() override;
    void openTips() override;
    void updateCommands(int scope) override;
    bool autoSaveDue() override;
    void applyAutoSaveOptions() override { ApplyAutoSaveOptions(); }
    void runAutoSave() override { RunAutoSave(); }
    void resetLockCount() override { browse_->browser().resetDisplayLock(); }
    bool refreshPending() override { return RefreshPending; }
    void endRefresh() override;
    bool listHasFocusedRow() override;
    void updateStatusBar() override;
    // Drags start on the controls' own begin-drag notices.
    void runTreeDrag() override {}
    void runListDrag() override {}
    bool statusRefreshPending(StatusWindow window) override;
    void updateStatus(StatusWindow window) override;

    // CloseQueryHost
    bool scanRunning() override { return addDiskRunning_; }
    bool searchRunning() override;
    void cancelSearch() override;
    void waitBriefly(int ms) override;
    void resetStatus() override { ShowStatus("", false); }
    void warnSearchStuck() override;
    bool saveQuestionCancelled() override;
    void afterCancelledQuestion() override;

    // AutoSaveTargets
    std::size_t count() override { return forest_.roots().size(); }
    bool modified(std::size_t index) override;
    bool named(std::size_t index) override;
    void save(std::size_t index) override;
    void showStatus(const std::string& text) override { ShowStatus(text, !text.empty()); }

    // CatalogWindow
    void lockUpdates() override { browse_->browser().lockDisplay(); }
    void unlockUpdates() override { browse_->browser().endBulkLock(); }
    bool statusIdle() const override;
    void clearItemList() override;
    void updateCommands() override { updateCommands(kUpdateAllCommands); }
    void processMessages() override;

    // ToolWindows: the search window; the user list comes later.
    bool exists(ToolWindow window) const override;
    bool isEnabled(ToolWindow window) const override;
    void setEnabled(ToolWindow window, bool enabled) override;
    void hide(ToolWindow window) override;
    void rebuildSearchScope() override;

    // IItemLocator: going to a hit of the search window.
    void GoToItem(ItemHead& item) override;

    // IFoundItemCommands: the search window's hit actions.
    bool Offers(FoundAction action) const override;
    void EditItemDescription(ItemHead& item) override;
    void ShowItemProperties(ItemHead& item) override;
    void RunFoundCommand(FoundAction action, std::span<ItemHead* const> selected, ItemHead* focused) override;
    void AddToUserList(std::span<ItemHead* const> selected) override;

    // TreeViewPort
    Node* selected() override;
    void select(Node* node) override;
    void expand(Node& node) override;
    void collapse(Node& node) override;

    // CatalogFileDialog, RecentCatalogs, AutoLoadList, ISaveDialog
    std::optional<std::vector<std::string>> askCatalogFiles() override;
    void putFirst(const std::string& fileName) override;
    void remove(const std::string& fileName) override;
    std::optional<std::string> askSaveName(const Request& request) override;

    class SplashAwarePrompt;

    MainFormServices services_;
    std::unique_ptr<ui::UserPrompt> prompt_;
    std::unique_ptr<MainToolbars> toolbars_;
    Forest forest_;
    ui::WaitFormProgress progress_;
    SaveEnvironment saveEnv_;
    CatalogOpenServices openServices_;
    LifeCycleServices lifeCycle_;
    CatalogOpenQueue openQueue_;
    CatalogOpenQueue::Files pendingOpen_;
    ui::StatusBarStatus status_;
    IdleSequence idle_;
    CloseQuery closeQuery_;
    AutoSaveSchedule autoSave_;
    ui::Timer autoSaveTimer_;
    std::uint8_t viewStyle_ = kDefaultViewStyle;
    int treeWidth_ = 220;
    // The icon cache, when the shared image lists exist.
    std::unique_ptr<TIconList> iconList_;
    ItemIcons noIcons_;
    std::unique_ptr<BrowseViewsWin32> browse_;
    std::unique_ptr<TAddDiskForm> addDiskForm_;
    // While Add/Update Disk runs, a second start's catalogs wait (their file numbers).
    std::unique_ptr<TExportDescForm> exportDescForm_;
    bool addDiskRunning_ = false;
    std::vector<WPARAM> heldParams_;
    ResultListSet resultLists_;

    // The commands on items' real media and the Help windows (MainFormShellWin32.cpp).
    void runShellCommand(CommandId command, CommandSource source);
    void runShellFoundCommand(FoundAction action, std::span<ItemHead* const> selected, ItemHead* focused);
    // The list's selected rows (allSelected) or the command's one target.
    std::vector<const ItemHead*> commandRows(CommandSource source, bool allSelected);
    void MenuCopyToClick(const std::vector<const ItemHead*>& items);
    void MenuViewClick(const ItemHead* item);
    void MenuLaunchClick(const ItemHead* item);
    void MenuOpenExplorerClick(const ItemHead* item);
    void MenuExtractToClick(const std::vector<const ItemHead*>& rows);
    void ExtractArchiveTo(const ItemHead* member, const std::string& root);
    // Where to extract to, and whether stored folders are kept.
    std::optional<FolderBrowseResult> askExtractFolder(const std::string& caption);
    void AboutClick();
    void TipsClick();
    LocateResult locateMedia(const ItemHead* item, char& letter, bool allowManual);
    // The folder standing for the root of the item's medium ("T:"), once found.
    std::optional<std::string> mediumRootOf(const ItemHead* item, bool allowManual);
    // The file an item is on its medium; a member is first extracted alone.
    std::optional<std::string> realFileOf(const ItemHead* item, const std::string& root);
    std::string extractFolder() const;
    std::uintptr_t openWithShell(const std::string& file, const std::string& parameters, const std::string& folder);
    std::unique_ptr<MediaFormPrompts> mediaPrompts_;
    std::unique_ptr<TBrowseFolderForm> browseFolder_;
    std::string lastCopyFolder_;
    TCopyToForm* copyForm_ = nullptr;
    TViewerForm* viewerForm_ = nullptr;
    TTipsDialog* tipsForm_ = nullptr;
    // What the found list shows and sorts by; outlives the search window.
    std::unique_ptr<SearchListCells> foundCells_;
    std::unique_ptr<TSearchForm> searchForm_;
    std::unique_ptr<SearchListCells> userCells_;
    std::unique_ptr<TUserListForm> userListForm_;
    std::unique_ptr<SearchListCells> compareCells_;
    // While the compare window is shown.
    TCompareForm* compareForm_ = nullptr;
    // The folder last checked against the catalogs.
    std::string lastCheckFolder_;

    // The commands and the status bar (MainFormCommandsWin32.cpp).
    void CreateStatusPanels();
    void CreateMenus();
    void CreatePopups();
    void CreateToolbarButtons();
    // Right clicks and the menu key on the tree and the list (MainFormPopupsWin32.cpp):
    // true when the source was one of them.
    bool ContextMenu(HWND source, LPARAM lp);
    // at: where the press was, in screen coordinates; null: at the node or row.
    void showTreePopup(Node* node, const POINT* at);
    void showListPopup(const POINT* at);
    // The node the open tree popup acts on; the selected one when none was given.
    Node* treePopupNode();
    std::optional<Node*> treePopupNode_;
    // The double-click action on a file or catalog row, as the settings name it.
    void RowAction(const ItemHead& rec);
    // "Move To...": the focused row opens as a double click opens it.
    void MoveIntoRow();
    // A key of the tree or the list; true when it ran a command.
    bool commandKey(bool inTree, WORD key);
    // The menu's shortcuts and the window's own keys (F3, F4), only while the
    // main window is the active one and no label is being edited; F2 in the
    // tree or the list is theirs.
    void bindShortcuts();
    bool labelEditing() const;
    // The list's focused row, the ".." row not counted.
    const ItemHead* focusedListRecord();
    void applyToolbarStates();
    SelectionSnapshot CommandSnapshot();
    FocusState CommandFocus();
    // What the list's selected rows allow; walks until every fact is known.
    SelectionFacts SelectedRowFacts(const ListableArchive& listable);
    CommandMenus commandMenus_;
    // The pictures of the main window's menus, for every menu it draws.
    ui::GlyphLookup menuGlyphs_;
    CommandStates commandStates_;
    std::vector<std::pair<CommandId, ui::TDockToolbarButton*>> toolbarButtons_;
    std::vector<std::pair<std::string, ui::GdiObject<HBITMAP>>> toolbarGlyphs_;
    std::vector<std::unique_ptr<ui::TDockToolbarSep>> toolbarSeps_;
    std::vector<ToolbarControl> designedToolbar() const;
    ui::TODPopupMenu treePopup_;
    ui::TODPopupMenu listPopup_;
    std::vector<ui::MenuItem*> treePopupItems_;
    std::vector<ui::MenuItem*> listPopupItems_;
    std::unique_ptr<ui::TMRUFileList> recentFiles_;
    // The status-bar lamps: idle, busy, searching.
    std::array<ui::GdiObject<HBITMAP>, 3> lamps_;
    void drawLamp(HDC dc, const RECT& panel);
    // A toolbar button's picture strip by the button's name (null: none).
    HBITMAP buttonGlyph(std::string_view buttonName) const;
    ui::TDockToolbarButton* toolbarButton(CommandId id) const;

    // Docking and the toolbar's popup (MainToolbarCommandsWin32.cpp).
    void CreateToolbarPopup();
    void ToolbarDockChanged();
    // The popup's caption and checks and the toolbar's hint, as the toolbar is docked.
    void showToolbarDock();
    void SyncDockOptions(int dockTag);
    void DockToolbarToClick(int dockTag);
    void ToolMenuFloatingClick();
    void ToolbarVisibleChanged();
    void ViewToolbarClick();
    ui::PopupMenu toolbarPopup_;
    ui::MenuItem* toolMenuFloating_ = nullptr;
    std::array<ui::MenuItem*, 4> dockToItems_{};

    // The help pointer: the next left click names a control whose topic opens.
    void ButtonHelpClick();
    void WhatsThisPicked(ui::Control* control);
    std::unique_ptr<ui::WhatsThisMode> whatsThis_;
    EditFormTextInput textInput_;
    std::unique_ptr<CatalogCommandServices> catalogCommands_;

    // The item lists (MainFormListsWin32.cpp).
    void registerMainLists();
    void registerSearchList(TSearchForm& form);
    // The found list shows the main list's cells and icons, in its kept column layout.
    void attachFoundCells(TSearchForm& form);
    void saveFoundLayout(TSearchForm& form);
    ItemListSources itemLists_;

    // The maintenance windows over one item (MainFormPropertiesWin32.cpp).
    // Properties, Edit Description and Catalog Info from the menus, keys and popups.
    void itemCommand(CommandId command, CommandSource source);
    void showProperties(Node* node, TFileRec* file);
    // The Add/Update Disk dialog's volume, not in a catalog yet.
    void showDiskInfo(const TDiskRec& disk, char letter);
    // The views and commands after a record changed.
    void itemChanged(const ItemHead* record);
    PropertiesServices propertiesServices();
    DescAssistServices descAssistServices();
    TPropertiesForm& propertiesForm();
    int itemLargeIcon(const ItemHead* item);
    // The icons of report rows.
    std::function<int(const ItemHead&)> reportIcon();
    bool foundWindowActive() const;
    // Categories Setup opened on the catalog; true after OK.
    bool categoriesSetup(Node* catalog);
    // Set Category and Flags over items (MainFormCategoriesWin32.cpp).
    void setCategories(std::span<ItemHead* const> items);
    void setCategoryCommand(CommandSource source);
    std::unique_ptr<TPropertiesForm> propertiesForm_;
    // The description fonts of the settings (properties, description file text).
    HFONT descriptionFont(FontUse use);
    std::array<ui::GdiObject<HFONT>, 2> descFonts_;
    // Disks between catalogs (MainFormCatManagerWin32.cpp).
    void catalogManager();
    void moveDisksToCatalog(const std::vector<Node*>& disks, Node& catalog);
    void deleteDiskNode(Node& disk);
    // Import from Ostrandel (MainFormImportWin32.cpp).
    void importOstrandel();
    std::string importFolder_;

    // Renaming in place (MainFormRenameWin32.cpp): the Rename command and F2
    // from the tree popup (the selected node), the list popup (the focused
    // row) or elsewhere (the catalog or disk the focus decides).
    void renameCommand(CommandSource source);
    // A rename changed a name the tool windows' lists show.
    void repaintOtherItemLists();

    // The item list's selection changed (rows clicked, keys, select all).
    void ListViewChange(int row);
    // The caption's title: bold italic, yellow while active.
    void OnGradientPaint(ui::Canvas& canvas, RECT& r, bool active);
    // Description hints over the item lists and the tree, shortcut hints on
    // the toolbar (MainFormHintsWin32.cpp).
    void AppHint();
    void AppShowHint(std::string& hintStr, bool& canShow, ui::HintInfo& info);
    bool itemListHint(ui::Control& control, std::string& hintStr, ui::HintInfo& info);
    bool treeHint(std::string& hintStr, ui::HintInfo& info);
    bool isItemListControl(const ui::Control* control) const;
    ui::GdiObject<HFONT> hintFont_;
    ui::GdiObject<HFONT> treeFont_;
    ui::GdiObject<HFONT> listFont_;
    ui::FontDescription hintFontFace_;

    // The setup windows (MainFormSetupWin32.cpp).
    OptionsServices optionsServices();
    ColumnsServices columnsServices();
    std::unique_ptr<TOptionsForm> optionsForm_;
    std::unique_ptr<TColumnsForm> columnsForm_;

    // The sort controls (MainFormSortWin32.cpp).
    void sortCommand(CommandId command);
    // Progress in the status bar and Esc while the list sorts.
    void bindListSort();
    void ListSorting(bool sorting);
    std::unique_ptr<ListSortFeedback> sortFeedback_;
    bool sortDisabledWindow_ = false;
    HWND sortFocus_ = nullptr;
    void applySortControls();
    HBITMAP sortPicture(std::string_view name);
    SortControlsState sortControls_;
    std::vector<std::pair<std::string, ui::GdiObject<HBITMAP>>> sortPictures_;
};

// The description hint font when the user chose none.
ui::FontDescription DefaultHintFont();
struct FontData;
// A font the settings keep (style bits: bold, italic, underline, strike-out).
ui::FontDescription FontOfData(const FontData& data, COLORREF color);

// Pushes the settings into the main window (and, later, the other windows
// that show them).
void ApplySettings(const Settings& settings, MainForm& main);

}  // namespace kv
