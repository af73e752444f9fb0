// The main window's commands: its menus made from the command table, the
// command states they show, and the commands that run on the main window.
#include "shell/main/MainFormWin32.h"

#include <commctrl.h>

#include "catalog/model/ItemRecords.h"
#include "shell/commands/CommandTarget.h"

namespace kv {

namespace {

constexpr std::size_t kRecentFilesMaximum = 4;
constexpr int kRecentCaptionWidth = 250;

}  // namespace

void MainForm::CreateMenus() {
    commandMenus_.buildMain(mainMenu, [this](CommandId command, CommandSource source) { RunCommand(command, source); });
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

    catalogCommands_ = std::make_unique<CatalogCommandServices>(lifeCycle_, saveEnv_, textInput_, openQueue_);
    CatalogCommandServices& c = *catalogCommands_;
    c.searchRunning = [this] { return searchRunning(); };
    c.updateCommands = [this](std::uint8_t groups) { updateCommands(groups); };
    c.setOutsideNames = [this](bool on) { OutsideNames = on; };
    c.focusTree = [this] { tree.setFocus(); };
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
    FocusState focus{sel, tree.hwnd() && GetFocus() == tree.hwnd(), nullptr, false};
    s.target = DescribeTarget(GetCommandTarget(CommandSource::Toolbar, focus), nullptr);
    s.treeActive = focus.treeActive;
    s.listHasFocusedRow = listHasFocusedRow();
    s.rows = list.hwnd() ? ListView_GetItemCount(list.hwnd()) : 0;
    s.viewStyle = viewStyle_;
    s.searchRunning = searchRunning();
    s.statusBarVisible = statusBar.visible();
    return s;
}

void MainForm::updateCommands(int scope) {
    if (LockCount != 0 || Destroying || forest_.context().programClosing || !catalogCommands_)
        return;
    UpdateCommandStates(commandStates_, CommandSnapshot(), static_cast<std::uint8_t>(scope));
    commandMenus_.apply(commandStates_);
    updateStatusBar();
}

void MainForm::RunCommand(CommandId command, CommandSource source) {
    if (!commandStates_[command].enabled)
        return;
    CatalogCommandServices& c = *catalogCommands_;
    switch (command) {
    case CommandId::NewCatalog: NewCatalog(c); break;
    case CommandId::OpenCatalog: OpenCatalogs(c); break;
    case CommandId::Save:
    case CommandId::SaveAs: SaveSelectedCatalog(c, command == CommandId::SaveAs); break;
    case CommandId::Close: CloseSelectedCatalog(c, source); break;
    case CommandId::CloseAll: CloseEveryCatalog(c); break;
    case CommandId::DeleteDisk: DeleteSelectedDisk(c); break;
    case CommandId::Exit: close(); return;
    case CommandId::LargeIcons: SetViewStyle(0); break;
    case CommandId::SmallIcons: SetViewStyle(1); break;
    case CommandId::ListStyle: SetViewStyle(2); break;
    case CommandId::Details: SetViewStyle(3); break;
    case CommandId::ViewStatusBar:
        statusBar.setVisible(!statusBar.visible());
        realign();
        break;
    default:
        // The windows of the other commands come with their own work.
        return;
    }
    updateCommands(kUpdateAllCommands);
}

}  // namespace kv
