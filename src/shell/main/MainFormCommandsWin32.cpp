// The main window's commands: its menus made from the command table, the
// command states they show, and the commands that run on the main window.
#include "shell/main/MainFormWin32.h"

#include <commctrl.h>

#include "catalog/file/CatalogLoad.h"
#include "catalog/model/ItemRecords.h"
#include "shell/browse/LocaleFormatsWin32.h"
#include "controls/menus/GlyphMenuItemsWin32.h"
#include "shell/commands/CommandTarget.h"
#include "shell/commands/MenuGlyphs.h"
#include "shell/commands/StatusTexts.h"
#include "scan/ArchiveTypes.h"
#include "shell/browse/ItemCells.h"
#include "shell/settings/SettingsStore.h"
#include "ui/Application.h"

namespace kv {

namespace {

constexpr std::size_t kRecentFilesMaximum = 4;
constexpr int kRecentCaptionWidth = 250;
constexpr unsigned long kHelpIndexTopic = 1;

}  // namespace

// Panels: catalog state, item summary (also the busy texts), list totals, the lamp.
void MainForm::CreateStatusPanels() {
    statusBar.setPanels({{"Empty", 75, false, ui::PanelAlignment::Center},
                         {"", 288},
                         {"", 192},
                         {"LED", 33, true, ui::PanelAlignment::Right}});
    statusBar.onResize = [](ui::Control& sender) {
        auto& bar = static_cast<ui::StatusBar&>(sender);
        const std::array<int, 4> widths = StatusPanelWidths(bar.clientRect().right);
        bar.setPanelWidth(1, widths[1]);
        bar.setPanelWidth(2, widths[2]);
    };
    // Fitted to the window from the start, not only after its first resize.
    statusBar.onResize(statusBar);
    statusBar.onDrawPanel = [this](ui::StatusBar&, int panel, HDC dc, const RECT& rect) {
        if (panel == 3)
            drawLamp(dc, rect);
    };
    statusBar.onPanelClick = [this](ui::StatusBar&, int panel) {
        if (panel == 1 && commandStates_[CommandId::Properties].enabled)
            RunCommand(CommandId::Properties, CommandSource::Toolbar);
    };
}

// Busy, searching or idle, 5 pixels in and centred; the bottom-left pixel's colour is see-through.
void MainForm::drawLamp(HDC dc, const RECT& panel) {
    if (!lamps_[0].get()) {
        lamps_[0] = ui::GdiObject<HBITMAP>(LoadBitmapA(GetModuleHandleA(nullptr), "IDLELED"));
        lamps_[1] = ui::GdiObject<HBITMAP>(LoadBitmapA(GetModuleHandleA(nullptr), "BUSYLED"));
        lamps_[2] = ui::GdiObject<HBITMAP>(LoadBitmapA(GetModuleHandleA(nullptr), "SEARCHLED"));
    }
    HBITMAP lamp = (!Idle ? lamps_[1] : searchRunning() ? lamps_[2] : lamps_[0]).get();
    const SIZE size = lamp ? ui::bitmapSize(lamp) : SIZE{0, 0};
    if (size.cx <= 0 || size.cy <= 0)
        return;
    ui::Canvas(dc).draw(panel.left + 5, panel.top + (panel.bottom - panel.top - size.cy) / 2, lamp, true);
}

namespace {

// The menu pictures from the program's resources, loaded once per window, and
// the glyphs of the main window's toolbar buttons.
class MenuPictures {
public:
    explicit MenuPictures(std::function<HBITMAP(std::string_view)> buttonGlyph) : buttonGlyph_(std::move(buttonGlyph)) {}

    std::optional<ui::MenuGlyphImage> find(const ui::MenuItem& item) {
        std::optional<MenuGlyph> glyph = FindMenuGlyph(item.Name, item.Tag);
        if (!glyph)
            return std::nullopt;
        if (glyph->source == GlyphSource::MainButton)
            return imageOf(buttonGlyph_(glyph->name));
        // The search and user-list windows draw their own menus with their buttons.
        if (glyph->source != GlyphSource::MenuPicture)
            return std::nullopt;
        const std::string name(glyph->name);
        for (auto& [loaded, bitmap] : loaded_)
            if (loaded == name) return imageOf(bitmap);
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), name.c_str());
        loaded_.emplace_back(name, bitmap);
        return imageOf(bitmap);
    }
    ~MenuPictures() {
        for (auto& [name, bitmap] : loaded_)
            if (bitmap) DeleteObject(bitmap);
    }

private:
    static std::optional<ui::MenuGlyphImage> imageOf(HBITMAP bitmap) {
        BITMAP info{};
        if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
            return std::nullopt;
        return ui::MenuGlyphImage{bitmap, info.bmWidth, info.bmHeight};
    }
    std::function<HBITMAP(std::string_view)> buttonGlyph_;
    std::vector<std::pair<std::string, HBITMAP>> loaded_;
};

}  // namespace

void MainForm::CreateMenus() {
    CreateStatusPanels();
    commandMenus_.buildMain(mainMenu, [this](CommandId command, CommandSource source) { RunCommand(command, source); });
    auto pictures = std::make_shared<MenuPictures>([this](std::string_view name) { return buttonGlyph(name); });
    menuGlyphs_ = [pictures](const ui::MenuItem& item) { return pictures->find(item); };
    ui::UseGlyphItems(mainMenu, mainMenu.fonts(), menuGlyphs_);
    mainMenu.attach(*this);

    recentFiles_ = std::make_unique<ui::TMRUFileList>(&services_.programStore, "MRUList", kRecentFilesMaximum);
    recentFiles_->RemoveOnClick = false;
    recentFiles_->measure = [this](std::string_view text) {
        return ui::MenuTextWidth(mainMenu.fonts().font(false), std::string(text));
    };
    recentFiles_->setMaxCaptionWidth(kRecentCaptionWidth);
    recentFiles_->setFileMenu(commandMenus_.recentFilesAnchor());
    recentFiles_->OnMRUItemClick = [this](ui::TMRUFileList&, const std::string& fileName) {
        OpenRecentCatalog(*catalogCommands_, fileName);
    };
    recentFiles_->Load();

    CreatePopups();
    CreateToolbarPopup();

    catalogCommands_ = std::make_unique<CatalogCommandServices>(lifeCycle_, saveEnv_, textInput_, openQueue_);
    CatalogCommandServices& c = *catalogCommands_;
    c.searchRunning = [this] { return searchRunning(); };
    c.updateCommands = [this](std::uint8_t groups) { updateCommands(groups); };
    c.focusTree = [this] { tree.setFocus(); };
    c.catalogImage = iconList_ ? iconList_->icons().catalog : noIcons_.catalog;
    c.resortList = [this] { browse_->browser().resortList(true); };
    c.treeSelectionChanged = [this] { browse_->browser().treeChanged(selected(), false); };
    // Panel 0 and the Save button follow a change at once, not at the next update.
    forest_.context().onCatalogModified = [this](Node&) { updateStatusBar(); };
}

void MainForm::CreatePopups() {
    auto run = [this](CommandId command, CommandSource source) { RunCommand(command, source); };
    treePopupItems_ = CommandMenus::buildPopup(treePopup_, TreePopupEntries(), CommandSource::TreePopup, run);
    listPopupItems_ = CommandMenus::buildPopup(listPopup_, ListPopupEntries(), CommandSource::ListPopup, run);
    // The popups draw like the main menu, pictures included.
    treePopup_.onMeasureItem = mainMenu.onMeasureItem;
    treePopup_.onDrawItem = mainMenu.onDrawItem;
    listPopup_.onMeasureItem = mainMenu.onMeasureItem;
    listPopup_.onDrawItem = mainMenu.onDrawItem;
    // Both popups first finish the deferred work of an idle tick, then follow the commands.
    treePopup_.OnPopup = [this](ui::PopupMenu&) {
        RunIdleOnce();
        updateCommands(CommandGroup::Item);
        Node* node = treePopupNode();
        const ItemRecord* rec = node ? node->record() : nullptr;
        const bool listed = rec && rec->indexWord(ResultSlot::UserList) != kNotListed;
        CommandMenus::applyPopup(treePopupItems_, TreePopupStates(rec ? rec->kind() : 0, listed, commandStates_));
    };
    listPopup_.OnPopup = [this](ui::PopupMenu&) {
        RunIdleOnce();
        const ItemHead* rec = focusedListRecord();
        CommandMenus::applyPopup(listPopupItems_, ListPopupStates(rec ? rec->kind() : 0,
                                                                  static_cast<int>(services_.settings.Get().dblClick),
                                                                  commandStates_));
    };
    // Only "Add New Disk Image" adds; the popups' other Add/Update Disk item updates its disk.
    auto bindUpdateDisk = [this](const std::vector<ui::MenuItem*>& items, std::span<const PopupEntry> entries,
                                 CommandSource source) {
        for (std::size_t i = 0; i < items.size() && i < entries.size(); ++i)
            if (entries[i].command == CommandId::AddDisk && !AddsNewDisk(entries[i].name))
                items[i]->OnClick = [this, source](ui::MenuItem&) {
                    UpdateDiskClick(source);
                    updateCommands(kUpdateAllCommands);
                };
    };
    bindUpdateDisk(treePopupItems_, TreePopupEntries(), CommandSource::TreePopup);
    bindUpdateDisk(listPopupItems_, ListPopupEntries(), CommandSource::ListPopup);
    // The window opens them (ContextMenu): the tree's for the node under the
    // press or for none, the list's only on a row.
    treePopup_.AutoPopup = false;
    listPopup_.AutoPopup = false;
    tree.popupMenu = &treePopup_;
    list.popupMenu = &listPopup_;
}

void MainForm::putFirst(const std::string& fileName) {
    if (recentFiles_)
        recentFiles_->AddFile(0, fileName);
}

SelectionSnapshot MainForm::CommandSnapshot() {
    SelectionSnapshot s;
    s.catalogsOpen = static_cast<int>(forest_.roots().size());
    Node* sel = selected();
    s.selectedKind = sel && sel->record() ? sel->record()->kind() : 0;
    if (Node* catalog = FindAncestor<TCatalogRec>(sel))
        s.selectedCatalogModified = RecordAs<TCatalogRec>(catalog->record())->modified;
    const FocusState focus = CommandFocus();
    const ListableArchive listable = [](std::string_view name) { return IsSupportedArchive(name); };
    s.target = DescribeTarget(GetCommandTarget(CommandSource::Toolbar, focus), listable);
    // Commands on the list's side act on every selected row.
    if (!s.target.fromTree)
        s.selection = SelectedRowFacts(listable);
    s.treeActive = focus.treeActive;
    s.listHasFocusedRow = listHasFocusedRow();
    s.rows = list.hwnd() ? ListView_GetItemCount(list.hwnd()) : 0;
    s.viewStyle = viewStyle_;
    s.sortColumn = browse_->browser().sortColumn();
    s.sortReverse = browse_->browser().sortReverse();
    s.searchRunning = searchRunning();
    s.searchDuplicates = searchForm_ && searchForm_->DuplicateModeRadio.checked();
    s.statusBarVisible = statusBar.visible();
    s.toolbarVisible = toolbars_->Toolbar.visible();
    return s;
}

FocusState MainForm::CommandFocus() {
    CatalogBrowser& browser = browse_->browser();
    FocusState focus;
    focus.selected = selected();
    focus.treeActive = tree.hwnd() && GetFocus() == tree.hwnd();
    // The records stay the model's; the target only names them.
    focus.focusedRow = const_cast<ItemHead*>(browser.recordAt(-1));
    focus.focusedRowIsUp = focus.focusedRow && focus.focusedRow == browser.upRecord();
    return focus;
}

SelectionFacts MainForm::SelectedRowFacts(const ListableArchive& listable) {
    CatalogBrowser& browser = browse_->browser();
    std::vector<const ItemHead*> rows;
    for (std::size_t row : browse_->list().selectedRows())
        rows.push_back(browser.recordAt(static_cast<std::ptrdiff_t>(row)));
    return ScanSelection(rows, browser.upRecord(), listable);
}

void MainForm::updateCommands(int scope) {
    if (browse_->browser().displayLocked() || Destroying || forest_.context().programClosing || !catalogCommands_)
        return;
    UpdateCommandStates(commandStates_, CommandSnapshot(), static_cast<std::uint8_t>(scope));
    applySortControls();
    commandMenus_.apply(commandStates_);
    applyToolbarStates();
    if (commandStates_.hideSearchWindow && exists(ToolWindow::Search))
        hide(ToolWindow::Search);
    updateStatusBar();
}

void MainForm::updateStatusBar() {
    if (Destroying || !statusBar.hwnd())
        return;
    Node* sel = selected();
    CatalogBrowser& browser = browse_->browser();
    // Busy texts own panel 1 while they show.
    if (Idle) {
        SummaryServices summary;
        summary.shortDate = LocaleCellFormats().shortDate;
        summary.loadSubfolders = [](Node& node) { LoadSubfolders(&node); };
        std::string text;
        const ItemHead* row = browser.recordAt(-1);
        if (row && list.hwnd() && GetFocus() == list.hwnd())
            text = GetItemSummary(ItemName(row), row, row == browser.upRecord(), summary);
        else if (sel)
            text = GetItemSummary(sel->text(), sel->record(), false, summary);
        statusBar.setPanelText(1, text);
    }
    statusBar.setPanelText(2, browser.shownNode() ? browser.totalsText(list.hwnd() && list.SelectedCount() > 0) : "");
    const std::string state = CatalogStateText(sel);
    statusBar.setPanelText(0, state);
    commandStates_[CommandId::Save].enabled = state == "Modified";
    commandMenus_.apply(commandStates_);
    applyToolbarStates();
    // The lamp follows the busy and search states, which change no panel text.
    InvalidateRect(statusBar.hwnd(), nullptr, FALSE);
}

void MainForm::ListViewChange(int row) {
    RefreshPending = true;
    // One row at a time (a click, a key) shows at once; ranges and select-all
    // wait for the idle tick, which walks the selection once.
    if (row >= 0 && list.hwnd() && list.SelectedCount() > 0)
        updateStatusBar();
}

void MainForm::RunCommand(CommandId command, CommandSource source) {
    // Disabled items and shortcuts never get here; every command guards its own target.
    // Commands read catalogs and edit records: a running search's calls wait until they end.
    const ui::SafePointHold hold;
    CatalogCommandServices& c = *catalogCommands_;
    switch (command) {
    case CommandId::NewCatalog:
        if (NewCatalog(c))
            rebuildSearchScope();
        break;
    case CommandId::OpenCatalog: OpenCatalogs(c); break;
    case CommandId::Save:
    case CommandId::SaveAs: SaveSelectedCatalog(c, command == CommandId::SaveAs); break;
    case CommandId::Close: CloseSelectedCatalog(c, source); break;
    case CommandId::CloseAll: CloseEveryCatalog(c); break;
    case CommandId::DeleteDisk:
        if (source == CommandSource::ListPopup)
            DeleteListedDisk(c, focusedListRecord());
        else
            DeleteSelectedDisk(c);
        break;
    case CommandId::Back: browse_->browser().back(); break;
    case CommandId::MoveInto: MoveIntoRow(); break;
    case CommandId::AddDisk: AddDiskClick(); break;
    case CommandId::Search:
    case CommandId::Duplicates: SearchClick(command == CommandId::Duplicates); break;
    case CommandId::UserList: ViewUserListClick(); break;
    case CommandId::AddToUserList: AddToUserListClick(source); break;
    case CommandId::Rename: renameCommand(source); return;
    case CommandId::HelpIndex: ui::Application::instance().helpContext(hwnd(), kHelpIndexTopic); return;
    case CommandId::ExportDesc: ExportDescClick(source); break;
    case CommandId::Properties:
    case CommandId::EditDesc:
        // A run reads descriptions and category bytes: refused before any window opens.
        if (RefusedDuringSearch(CommandInfoOf(command).refusal, searchRunning(), *prompt_))
            return;
        // The search window's own buttons, when it is the active window.
        if (foundWindowActive()) {
            searchForm_->RunFoundAction(command == CommandId::Properties ? FoundAction::Properties
                                                                         : FoundAction::EditDesc);
            return;
        }
        itemCommand(command, source);
        break;
    case CommandId::CatalogInfo: itemCommand(command, source); break;
    case CommandId::Categories: categoriesSetup(nullptr); return;
    case CommandId::CatManager: catalogManager(); break;
    case CommandId::Import: importOstrandel(); break;
    case CommandId::SetCategory:
        if (foundWindowActive()) {
            searchForm_->RunFoundAction(FoundAction::SetCategory);
            return;
        }
        setCategoryCommand(source);
        break;
    case CommandId::Compare: CompareClick(source); break;
    case CommandId::CheckCat: CheckFilesClick(); break;
    case CommandId::Exit: close(); return;
    case CommandId::CopyTo:
    case CommandId::ExtractTo:
    case CommandId::ViewFile:
    case CommandId::Launch:
    case CommandId::Explorer:
    case CommandId::About:
    case CommandId::Tips: runShellCommand(command, source); break;
    case CommandId::SortItems:
        // The "Arrange by" submenu opens: its items show the sort in force.
        updateCommands(CommandGroup::Sort);
        return;
    case CommandId::Sort1:
    case CommandId::Sort2:
    case CommandId::Sort3:
    case CommandId::Sort4:
    case CommandId::Sort5:
    case CommandId::Sort6:
    case CommandId::Sort7:
    case CommandId::Sort8:
    case CommandId::ReverseSort: sortCommand(command); break;
    case CommandId::LargeIcons: SetViewStyle(0); break;
    case CommandId::SmallIcons: SetViewStyle(1); break;
    case CommandId::ListStyle: SetViewStyle(2); break;
    case CommandId::Details: SetViewStyle(3); break;
    case CommandId::ViewToolbar: ViewToolbarClick(); break;
    case CommandId::WhatsThis: ButtonHelpClick(); return;
    case CommandId::ViewStatusBar: {
        const bool visible = !statusBar.visible();
        statusBar.setVisible(visible);
        realign();
        if (services_.settings.Get().statusBar != visible)
            services_.settings.Update([visible](Settings& s) { s.statusBar = visible; });
        break;
    }
    case CommandId::SettingsInterface:
    case CommandId::SettingsGeneral:
    case CommandId::SettingsToolbar:
    case CommandId::SettingsFonts:
    case CommandId::SettingsImage:
    case CommandId::SettingsExtract:
    case CommandId::SettingsDesc:
    case CommandId::SettingsAutoload: ShowOptions(CommandInfoOf(command).menuTag); break;
    case CommandId::SetupWizard: MenuSetupWizardClick(false); break;
    case CommandId::ColumnsSetup: ColumnsSetupClick(); break;
    case CommandId::ReportGen: ReportGenClick(); break;
    default:
        // No other command runs from here.
        return;
    }
    updateCommands(kUpdateAllCommands);
}

}  // namespace kv
