#include "shell/main/MainFormWin32.h"

#include <commctrl.h>
#include <shlwapi.h>

#include "archive/TempExtraction.h"
#include "catalog/model/ItemRecords.h"
#include "shell/app/PlatformDefaultsWin32.h"
#include "shell/app/ProgramIdentity.h"
#include "shell/app/ProgramValues.h"
#include "shell/app/SingleInstanceWin32.h"
#include "shell/app/SplashFormWin32.h"
#include "shell/settings/SettingsStore.h"
#include "system/settings/SectionStore.h"
#include "ui/Application.h"
#include "ui/HintManager.h"
#include "ui/SharedImages.h"

namespace kv {
namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 560;

// The screen the window may be placed on: every monitor together.
ScreenArea virtualScreen() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

// Message boxes of the main window's work hide the splash first: a top-most
// splash over a modal box makes the program look hung.
class MainForm::SplashAwarePrompt : public ui::UserPrompt {
public:
    explicit SplashAwarePrompt(MainForm& form) : form_(form) {}
    ui::PromptAnswer ask(const ui::PromptRequest& request) override {
        form_.stepSplashAside();
        return ui::Application::instance().prompt().ask(request);
    }

private:
    MainForm& form_;
};

MainForm::MainForm(MainFormServices services)
    : services_(std::move(services)),
      prompt_(std::make_unique<SplashAwarePrompt>(*this)),
      saveEnv_(services_.files, *prompt_, *this),
      openServices_{forest_, *prompt_, progress_, *this, *this, *this, services_.files, this, {}, {}, {}, {}},
      lifeCycle_{forest_, *prompt_, *this, *this, *this, [this](Node& node) { return SaveCatalogTelling(&node, false, saveEnv_); }},
      openQueue_([this](CatalogOpenQueue::Files files) {
          pendingOpen_ = std::move(files);
          SendMessageA(hwnd(), kOpenCatalogsMessage, 1, 0);
      }),
      status_(statusBar) {
    FormCreate();
    // A damaged member is worth a word, whichever command extracted it.
    if (services_.extraction)
        services_.extraction->OnCrcFailed = [this](const std::string& fileName) {
            prompt_->ask({"CRC check failed on extracting " + fileName, "Warning", ui::PromptButtons::Ok,
                          ui::PromptIcon::Stop});
        };
}

MainForm::~MainForm() {
    if (services_.extraction)
        services_.extraction->OnCrcFailed = nullptr;
    // The window goes first: its destroy saves the place from the panes.
    destroyWindow();
    closeSearchForm();
    closeUserListForm();
    ui::Application& app = ui::Application::instance();
    app.onIdle = nullptr;
    app.onHint = nullptr;
    app.onShowHint = nullptr;
    // The description hint window borrows this window's font.
    app.setHintWindowClass(nullptr);
    app.hints().dropWindow();
    forest_.context().onCatalogModified = nullptr;
    browse_.reset();
    forest_.setObserver(nullptr);
}

void MainForm::FormCreate() {
    ui::Application& app = ui::Application::instance();
    // Before anything reads the key: the recent files of a wiped key must go too.
    CheckRevisionMarker();
    setWindowClassName(kMainWindowClass);
    setCaption(kProgramTitle);
    AppDir = ProgramFolder();
    setAcceptFiles(true);
    app.helpFile = AppDir + "Korvalder.hlp";
    // The system picks the place unless a saved one is usable.
    setBounds(CW_USEDEFAULT, CW_USEDEFAULT, kDefaultWidth, kDefaultHeight);
    createHandle();

    statusBar.setAlign(ui::Align::Bottom);
    statusBar.create(this);
    toolbars_ = std::make_unique<MainToolbars>(*this);
    tree.setBounds(0, 0, treeWidth_, 100);
    tree.setAlign(ui::Align::Left);
    tree.create(this);
    splitter.setBounds(treeWidth_, 0, 4, 100);
    splitter.setAlign(ui::Align::Left);
    splitter.create(this);
    list.setAlign(ui::Align::Client);
    list.create(this);
    list.SetVirtualMode(true);
    realign();
    createBrowseViews();
    CreateMenus();
    bindShortcuts();
    CreateToolbarButtons();

    openServices_.showStatus = [this](const std::string& text) { ShowStatus(text, !text.empty()); };
    openServices_.processMessages = [] { ui::Application::instance().processMessages(); };
    openServices_.updateCommands = [this] { updateCommands(kUpdateAllCommands); };
    saveEnv_.status = openServices_.showStatus;
    saveEnv_.processMessages = openServices_.processMessages;
    saveEnv_.progress = &progress_;
    saveEnv_.searchRunning = [this] { return searchRunning(); };
    saveEnv_.pause = [](int ms) {
        ui::Application::instance().processMessages();
        Sleep(static_cast<DWORD>(ms));
    };

    app.onIdle = [this](ui::Application&, bool& done) {
        if (!Destroying && hwnd()) {
            RunIdleOnce();
            // Tree reorders held back while a search walked the nodes.
            browse_->browser().runDeferredTreeSorts();
        }
        done = true;
    };
    onShow = [this](ui::Form&) { FormShow(); };
    onCloseQuery = [this](ui::Form&, bool& canClose) { canClose = closeQuery_.CanClose(*this); };
    onClose = [this](ui::Form&, ui::CloseAction&) { FormClose(); };
    onDestroy = [this](ui::Form&) { FormDestroy(); };
    onDropFiles = [this](ui::Form&, const std::vector<std::string>& names) { DropFiles(names); };
    OnCaptionPaint = [this](ui::TGradientForm&, ui::Canvas& canvas, RECT& r, bool active) {
        OnGradientPaint(canvas, r, active);
    };

    UpNode = &browse_->browser().upNode();

    autoSaveTimer_.onTimer = [this](ui::Timer&) { AutoSaveTimerTimeout(); };

    if (services_.registerFileType)
        services_.registerFileType();
    LoadWindowPos();
    browse_->list().loadLayouts(services_.programStore);
    toolbars_->Load(services_.programStore);
    updateCommands(kUpdateAllCommands);
    ShowStatus("", false);
}

void MainForm::createBrowseViews() {
    if (SharedObjectsReady())
        iconList_ = std::make_unique<TIconList>(SmallImages(), LargeImages(), GetModuleHandleA(nullptr));
    std::function<int(std::string_view)> fileIcon;
    if (iconList_)
        fileIcon = [this](std::string_view name) { return iconList_->AddIcon(std::string(name)); };
    browse_ = std::make_unique<BrowseViewsWin32>(forest_, iconList_ ? iconList_->icons() : noIcons_,
                                                 iconList_ ? SmallImages().handle() : nullptr, std::move(fileIcon),
                                                 tree, list);
    // The icon view draws the 32x32 pictures, at the same indexes.
    if (iconList_)
        list.SetLargeImages(LargeImages().handle());
    browse_->onStatus = [this](std::string_view text, bool busy) { ShowStatus(std::string(text), busy); };
    browse_->onCommandKey = [this](bool inTree, WORD key) { return commandKey(inTree, key); };
    browse_->browser().setSearchRunning([this] { return searchRunning(); });
    browse_->browser().onCommandsChanged = [this](std::uint8_t groups) { updateCommands(groups); };
    browse_->browser().onRenamed = [this] { repaintOtherItemLists(); };
    browse_->onColumnsSetup = [this] { RunCommand(CommandId::ColumnsSetup, CommandSource::MainMenu); };
    browse_->onMoveDisks = [this](const std::vector<Node*>& disks, Node& catalog) { moveDisksToCatalog(disks, catalog); };
    browse_->onRowAction = [this](const ItemHead& rec) { RowAction(rec); };
    list.OnChange = [this](ui::TCustomEnhListView&, int row) { ListViewChange(row); };
    // Descriptions show as hints over rows and nodes.
    list.showHint = true;
    tree.showHint = true;
    bindListSort();
    registerMainLists();
}

void MainForm::CheckRevisionMarker() {
    const MarkerState marker = kv::ReadRevisionMarker(services_.programStore);
    MarkerFound = marker.found;
    if (marker.current)
        return;
    // Settings of another revision (or none): every reader must find its
    // defaults, in subkeys too.
    std::string key = services_.programKey;
    if (!key.empty() && key.front() == '\\')
        key.erase(0, 1);
    SHDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

void MainForm::LoadWindowPos() {
    const std::optional<WindowPos> pos = ReadWindowPos(services_.programStore);
    if (!pos) {
        SetViewStyle(kDefaultViewStyle);
        return;
    }
    // A place off every screen (a monitor since removed) or of no size is
    // damage; the view and sort state are taken all the same.
    if (UsableWindowBounds(pos->bounds, virtualScreen())) {
        setBounds(pos->bounds.left, pos->bounds.top, pos->bounds.width, pos->bounds.height);
        setWindowState(ui::WindowState::Normal);
    }
    if (pos->treeWidth > 0 && pos->treeWidth < pos->bounds.width) {
        treeWidth_ = pos->treeWidth;
        tree.setBounds(0, 0, treeWidth_, tree.height());
        realign();
    }
    SetViewStyle(pos->viewStyle);
    Sort = pos->sort;
    browse_->browser().setSortSettings({Sort.diskColumn, Sort.fileColumn, Sort.reverse});
}

void MainForm::reloadToolbarPositions() { toolbars_->Load(services_.programStore); }

void MainForm::SaveWindowPos() {
    toolbars_->Save(services_.programStore);
    browse_->list().saveLayouts(services_.programStore);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!hwnd() || !GetWindowPlacement(hwnd(), &placement))
        return;
    // The restored bounds, without showing a window the close already hid.
    // They are in work-area coordinates.
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT& r = placement.rcNormalPosition;
    WindowPos pos;
    pos.bounds = {r.left + work.left, r.top + work.top, r.right - r.left, r.bottom - r.top};
    pos.treeWidth = tree.width();
    pos.viewStyle = viewStyle_;
    const CatalogBrowser::SortSettings sort = browse_->browser().sortSettings();
    Sort = {sort.diskColumn, sort.fileColumn, sort.reverse};
    pos.sort = Sort;
    pos = WindowPosToStore(pos, GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED));
    WriteWindowPos(services_.programStore, pos);
}

void MainForm::SetViewStyle(std::uint8_t style) {
    static constexpr DWORD kStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    viewStyle_ = style <= kDefaultViewStyle ? style : kDefaultViewStyle;
    if (!list.hwnd())
        return;
    const DWORD current = static_cast<DWORD>(GetWindowLongA(list.hwnd(), GWL_STYLE));
    SetWindowLongA(list.hwnd(), GWL_STYLE, static_cast<LONG>((current & ~LVS_TYPEMASK) | kStyles[viewStyle_]));
    if (viewStyle_ <= 1)
        SendMessageA(list.hwnd(), LVM_ARRANGE, LVA_DEFAULT, 0);
    RepaintItemList();
}

void MainForm::RepaintItemList() {
    // The header is a child of its own: the list's old picture must go with it.
    if (list.hwnd())
        RedrawWindow(list.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void MainForm::FormShow() {
    ApplySettings(services_.settings.Get(), *this);
    browse_->list().applyLayout(browse_->list().showsDisks());
}

void MainForm::ShowStatus(const std::string& text, bool busy) {
    Idle = !busy;
    status_.ShowStatus(text, busy);
    if (!busy)
        statusBar.setPanelText(kSummaryPanel, "");
}

void MainForm::OnGradientPaint(ui::Canvas& canvas, RECT& r, bool active) {
    LOGFONTA lf{};
    if (!captionFont() || !GetObjectA(captionFont(), sizeof lf, &lf))
        return;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    ui::GdiObject<HFONT> font(CreateFontIndirectA(&lf));
    // Put back before the font goes: a selected font is not deleted.
    HGDIOBJ previous = SelectObject(canvas.handle(), font.get());
    canvas.setTextColor(active ? RGB(255, 255, 0) : GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    SetBkMode(canvas.handle(), TRANSPARENT);
    RECT text = r;
    text.left += 2;
    canvas.drawText(Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(canvas.handle(), previous);
    // Drawn here: the form adds no second title.
    SetRectEmpty(&r);
}

void MainForm::stepSplashAside() {
    if (services_.splash)
        services_.splash->stepAside();
}

LRESULT MainForm::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case kPassParamsMessage:
        OpenParamsFile(wp);
        return 0;
    case kOpenCatalogsMessage:
        if (wp == 1)
            OpenRequested();
        return 0;
    case WM_CONTEXTMENU:
        if (ContextMenu(reinterpret_cast<HWND>(wp), lp))
            return 0;
        break;
    }
    return ui::TGradientForm::wndProc(msg, wp, lp);
}

}  // namespace kv
