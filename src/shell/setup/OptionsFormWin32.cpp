#include "shell/setup/OptionsFormWin32.h"

#include <string>
#include <utility>

#include "shell/settings/SettingsSave.h"
#include "ui/PlaceControl.h"
#include "ui/Application.h"
#include "ui/CommonDialogs.h"
#include "ui/CommonFontDialog.h"

namespace kv {

namespace {

constexpr int kClientWidth = 548;
constexpr int kClientHeight = 452;

constexpr std::array<const char*, kOptionsPages> kPageCaptions = {
    "User interface", "General", "Toolbar", "Customize Fonts", "Disk Image Settings", "Archive Files",
    "Descriptions", "Auto Load"};

}  // namespace

TOptionsForm::TOptionsForm(OptionsServices services)
    : services_(std::move(services)), session_(services_.settings, services_.registry, services_.apply) {
    setBorderStyle(ui::BorderStyle::Dialog);
    setBorderIcons(ui::biSystemMenu | ui::biHelp);
    setPosition(ui::FormPosition::ScreenCenter);
    setCaption("Program Settings");
    setWindowClassName("KvOptionsForm");
    setBounds(0, 0, kClientWidth + 10, kClientHeight + 30);
    keyPreview = true;
    createHandle();
    setClientSize(kClientWidth, kClientHeight);
    createPages();
    createButtons();
    onShow = [this](ui::Form&) { onShowForm(); };
    // Esc or the close box while a button waits for its place only ends the waiting.
    onCloseQuery = [this](ui::Form&, bool& canClose) {
        if (customizer_ && customizer_->inserting()) {
            canClose = false;
            endInsertMode();
            ToolbarBox.setFocus();
        }
    };
    setActiveControl(&CancelBtn);
}

TOptionsForm::~TOptionsForm() { destroyWindow(); }

void TOptionsForm::createPages() {
    Pages.setTabStyles(TCS_MULTILINE);
    ui::Put(Pages, *this, 8, 8, kClientWidth - 16, kClientHeight - 52);
    HINSTANCE module = GetModuleHandleA(nullptr);
    for (int i = 1; i <= kOptionsPages; ++i) {
        // The drawings' see-through colour is their olive ground.
        ui::GdiObject<HBITMAP> picture(LoadBitmapA(module, ("TABPICT" + std::to_string(i)).c_str()));
        tabImages_.tryAddMasked(picture.get(), RGB(128, 128, 0));
    }
    Pages.SetGlyphs(tabImages_.handle());
    for (const char* caption : kPageCaptions) Pages.addPage(caption);
    Pages.setActivePage(0);
    Pages.onChange = [this](ui::PageControl&) { endInsertMode(); };
    createInterfacePage(page(OptionsPage::Interface));
    createGeneralPage(page(OptionsPage::General));
    createToolbarPage(page(OptionsPage::Toolbar));
    createFontsPage(page(OptionsPage::Fonts));
    createDiskImagePage(page(OptionsPage::DiskImage));
    createExtractingPage(page(OptionsPage::Extracting));
    createDescPage(page(OptionsPage::Desc));
    createAutoloadPage(page(OptionsPage::Autoload));
}

void TOptionsForm::createButtons() {
    const int y = kClientHeight - 36;
    ui::Put(RunWizardButton, *this, 8, y, 130, 26, "Run Setup Wizard", 10114);
    ui::Put(OKBtn, *this, kClientWidth - 3 * 88 - 8, y, 80, 26, "OK", 10115);
    ui::Put(CancelBtn, *this, kClientWidth - 2 * 88 - 8, y, 80, 26, "Cancel", 10116);
    ui::Put(ApplyBtn, *this, kClientWidth - 88 - 8, y, 80, 26, "Apply", 10117);
    OKBtn.modalResult = ui::mrOk;
    OKBtn.setDefault(true);
    CancelBtn.modalResult = ui::mrCancel;
    setDefaultControl(&OKBtn);
    setCancelControl(&CancelBtn);
    ApplyBtn.onClick = [this](ui::Button&) { applyClick(); };
    RunWizardButton.onClick = [this](ui::Button&) { wizardClick(); };
}

void TOptionsForm::Prepare(int page) {
    if (page >= 1 && page <= kOptionsPages && Pages.tabOfPage(page - 1) >= 0)
        Pages.setActivePage(page - 1);
    endInsertMode();
    TellSettingsSaveResult(session_.Begin(), prompt());
    fillControls(session_.draft());
    session_.ResetDraft(collect());
    FontSettingsCombo.setItemIndex(0);
    DescEdit.setText("");
    showFontSlot();
    refreshEnabling();
}

int TOptionsForm::Execute(int page) {
    Prepare(page);
    const int result = showModal();
    endInsertMode();
    if (result == ui::mrOk) {
        if (session_.Ok())
            return ui::mrOk;
        // Nothing to apply; the wizard may still have been asked for.
        return session_.wizardRequested ? ui::mrOk : ui::mrCancel;
    }
    session_.Cancel();
    return ui::mrCancel;
}

void TOptionsForm::onShowForm() { setActiveControl(&CancelBtn); }

void TOptionsForm::ShowOnlyPage(OptionsPage only) {
    for (int i = 0; i < kOptionsPages; ++i) Pages.setPageVisible(i, i == static_cast<int>(only) - 1);
    Pages.setActivePage(static_cast<int>(only) - 1);
    RunWizardButton.setVisible(false);
}

void TOptionsForm::ShowAllPages() {
    for (int i = 0; i < kOptionsPages; ++i) Pages.setPageVisible(i, true);
    RunWizardButton.setVisible(true);
}

void TOptionsForm::applyClick() {
    endInsertMode();
    TellSettingsSaveResult(session_.Apply(), prompt());
    // The draft now is what the store holds (fonts and toolbar included).
    filling_ = true;
    fonts_ = session_.draft().fonts;
    filling_ = false;
    showFontSlot();
    refreshEnabling();
}

void TOptionsForm::wizardClick() {
    applyClick();
    session_.wizardRequested = true;
    setModalResult(ui::mrOk);
}

void TOptionsForm::changed() {
    if (filling_)
        return;
    session_.SetDraft(collect());
    refreshEnabling();
}

void TOptionsForm::refreshEnabling() {
    OptionsListState lists;
    lists.autoloadCount = static_cast<std::size_t>(AutoloadList.count());
    lists.descPatternCount = static_cast<std::size_t>(DescList.count());
    lists.descEditEmpty = DescEdit.text().empty();
    lists.modified = session_.modified();
    const OptionsEnabling e = EnablingFor(collect(), lists);
    for (ui::Control* c : {static_cast<ui::Control*>(&AutohideCheck), static_cast<ui::Control*>(&DescWaitBar),
                           static_cast<ui::Control*>(&DescWaitLabel), static_cast<ui::Control*>(&DescWaitMin),
                           static_cast<ui::Control*>(&DescWaitMax)})
        c->setEnabled(e.descWait);
    for (ui::Control* c : {static_cast<ui::Control*>(&DescHideBar), static_cast<ui::Control*>(&DescHideMin),
                           static_cast<ui::Control*>(&DescHideMax)})
        c->setEnabled(e.descHide);
    ViewerEdit.setEnabled(e.viewerPath);
    ViewerBrowse.setEnabled(e.viewerPath);
    ShortFilenamesCheck.setEnabled(e.viewerPath);
    DescMaxLevels.setEnabled(e.descMaxLevels);
    DescAddButton.setEnabled(e.descAdd);
    DescDeleteButton.setEnabled(e.descListButtons);
    DescUpButton.setEnabled(e.descListButtons);
    DescDownButton.setEnabled(e.descListButtons);
    DescTruncEdit.setEnabled(e.truncLines);
    SerialAskCheck.setEnabled(e.serialAsk);
    for (ui::CheckBox& box : ArchiveTypes) box.setEnabled(e.archiveOptions);
    ArchiveDescOnly.setEnabled(e.archiveOptions);
    ArchiveQuickScan.setEnabled(e.archiveOptions);
    AutoloadLabel.setEnabled(e.autoloadList);
    if (!e.autoloadList && AutoloadList.enabled())
        for (int i = 0; i < AutoloadList.count(); ++i) AutoloadList.setSelected(i, false);
    AutoloadList.setEnabled(e.autoloadList);
    BtnRemove.setEnabled(e.autoloadList);
    BtnAdd.setEnabled(e.autoloadAdd);
    BtnUp.setEnabled(e.autoloadMove);
    BtnDown.setEnabled(e.autoloadMove);
    ApplyBtn.setEnabled(e.apply);
}

void TOptionsForm::fillControls(const Settings& s) {
    filling_ = true;
    // User interface
    ViewStatusCheck.setChecked(s.statusBar);
    ShowPrevCheck.setChecked(s.showUpRow);
    FormattedSizesCheck.setChecked(s.formattedSizes);
    ArchivesSortCheck.setChecked(s.archivesAsFolders);
    TipsCheck.setChecked(s.tipsAtStart);
    ShowShortcutsCheck.setChecked(s.shortcutsInHints);
    DisableSmoothCheck.setChecked(s.disableSmoothTree);
    FileDoubleClickCombo.setItemIndex(static_cast<int>(s.dblClick));
    DescAsTipsCheck.setChecked(s.descTips);
    DescWaitBar.setPosition(s.tipDelayTenths);
    AutohideCheck.setChecked(s.autohideTips);
    DescHideBar.setPosition(s.tipHideSeconds);
    // General
    CatalogPathEdit.setText(s.catalogFolder);
    CreateBakCheck.setChecked(s.createBak);
    AutoSaveCheck.setChecked(s.autoSave);
    AutoSaveEdit.setValue(s.autoSaveMinutes);
    ExternalViewerCheck.setChecked(s.externalViewer);
    InternalViewerCheck.setChecked(!s.externalViewer);
    ViewerEdit.setText(s.externalViewerPath);
    ShortFilenamesCheck.setChecked(s.shortNamesForViewer);
    ShellEdit.setText(s.externalShellPath);
    // Toolbar
    ui::RadioButton* docks[] = {&Toolbar1, &Toolbar2, &Toolbar3, &Toolbar4};
    for (int i = 0; i < 4; ++i) docks[i]->setChecked(static_cast<int>(s.dock) == i);
    ToolbarVisible.setChecked(s.toolbarVisible);
    ToolbarFloating.setChecked(s.toolbarFloating);
    ButtonSizeBar.setPosition(s.buttonSize);
    OldButtonsCheck.setChecked(s.oldButtons);
    customizer_ = std::make_unique<ToolbarCustomizer>(NormalizeToolbarLayout(s.toolbarLayout, toolbarControls()));
    fillToolbarBox(0);
    // Fonts
    fonts_ = s.fonts;
    // Disk image
    ImportDescList.clear();
    for (DescSource source : s.descOrder) {
        const int i = ImportDescList.add(std::string(DescSourceCaption(source)), static_cast<std::intptr_t>(source));
        ImportDescList.setChecked(i, s.descEnabled[static_cast<std::size_t>(source)]);
    }
    ImportDescList.setItemIndex(0);
    DescTruncCheck.setChecked(s.truncateDesc);
    DescTruncEdit.setValue(s.truncateLines);
    DescKeepCurrentCheck.setChecked(s.keepCurrentDesc);
    UpdateNameCheck.setChecked(s.keepDiskName);
    IgnoreFilesCheck.setChecked(s.ignoreHiddenFiles);
    IgnoreFoldersCheck.setChecked(s.ignoreHiddenFolders);
    IgnoreRecycleCheck.setChecked(s.ignoreRecycle);
    SetSerialCheck.setChecked(s.allowSerialChange);
    SerialAskCheck.setChecked(s.askSerialChange);
    EjectMediaCheck.setChecked(s.ejectAfterScan);
    // Archive files
    InsideZipCheck.setChecked(s.browseArchives);
    for (std::size_t t = 0; t < ArchiveTypes.size(); ++t) ArchiveTypes[t].setChecked(s.archiveEnabled[t]);
    ArchiveDescOnly.setChecked(s.archiveDescOnly);
    ArchiveQuickScan.setChecked(s.archiveQuickScan);
    ExtractDir.setText(s.extractFolder);
    RestoreDirCheck.setChecked(s.restoreArchiveDirs);
    AlwaysRemoveTemp.setChecked(s.tempRemoval == TempRemoval::Delete);
    AlwaysLeaveTemp.setChecked(s.tempRemoval == TempRemoval::Leave);
    AskRemoveTemp.setChecked(s.tempRemoval == TempRemoval::Ask);
    // Descriptions
    DescList.setItems(s.descPatterns);
    DescAlwaysCheck.setChecked(s.descAssistSubfolders);
    DescMaxLevels.setValue(s.descAssistDepth);
    // Auto load
    AutoloadCheck.setChecked(s.autoload);
    AutoloadList.setItems(s.autoloadList);
    filling_ = false;
}

Settings TOptionsForm::collect() const {
    Settings s = session_.draft();
    s.statusBar = ViewStatusCheck.checked();
    s.showUpRow = ShowPrevCheck.checked();
    s.formattedSizes = FormattedSizesCheck.checked();
    s.archivesAsFolders = ArchivesSortCheck.checked();
    s.tipsAtStart = TipsCheck.checked();
    s.shortcutsInHints = ShowShortcutsCheck.checked();
    s.disableSmoothTree = DisableSmoothCheck.checked();
    const int click = FileDoubleClickCombo.itemIndex();
    s.dblClick = click >= 0 && click < static_cast<int>(kDoubleClickCaptions.size()) ? static_cast<DblClick>(click)
                                                                                     : DblClick::Unset;
    s.descTips = DescAsTipsCheck.checked();
    s.tipDelayTenths = static_cast<std::uint8_t>(DescWaitBar.position());
    s.autohideTips = AutohideCheck.checked();
    s.tipHideSeconds = static_cast<std::uint8_t>(DescHideBar.position());

    s.catalogFolder = CatalogPathEdit.text();
    s.createBak = CreateBakCheck.checked();
    s.autoSave = AutoSaveCheck.checked();
    s.autoSaveMinutes = static_cast<std::uint8_t>(AutoSaveEdit.value());
    s.externalViewer = ExternalViewerCheck.checked();
    s.externalViewerPath = ViewerEdit.text();
    s.shortNamesForViewer = ShortFilenamesCheck.checked();
    s.externalShellPath = ShellEdit.text();

    const ui::RadioButton* docks[] = {&Toolbar1, &Toolbar2, &Toolbar3, &Toolbar4};
    for (int i = 0; i < 4; ++i)
        if (docks[i]->checked())
            s.dock = static_cast<DockSide>(i);
    s.toolbarVisible = ToolbarVisible.checked();
    s.toolbarFloating = ToolbarFloating.checked();
    s.buttonSize = static_cast<std::uint8_t>(ButtonSizeBar.position());
    s.oldButtons = OldButtonsCheck.checked();
    if (customizer_)
        s.toolbarLayout = customizer_->entries();

    s.fonts = fonts_;

    for (int i = 0; i < ImportDescList.count() && i < 4; ++i) {
        const auto source = static_cast<DescSource>(ImportDescList.itemData(i));
        s.descOrder[static_cast<std::size_t>(i)] = source;
        s.descEnabled[static_cast<std::size_t>(source)] = ImportDescList.checked(i);
    }
    s.truncateDesc = DescTruncCheck.checked();
    s.truncateLines = static_cast<std::uint8_t>(DescTruncEdit.value());
    s.keepCurrentDesc = DescKeepCurrentCheck.checked();
    s.keepDiskName = UpdateNameCheck.checked();
    s.ignoreHiddenFiles = IgnoreFilesCheck.checked();
    s.ignoreHiddenFolders = IgnoreFoldersCheck.checked();
    s.ignoreRecycle = IgnoreRecycleCheck.checked();
    s.allowSerialChange = SetSerialCheck.checked();
    s.askSerialChange = SerialAskCheck.checked();
    s.ejectAfterScan = EjectMediaCheck.checked();

    s.browseArchives = InsideZipCheck.checked();
    for (std::size_t t = 0; t < ArchiveTypes.size(); ++t) s.archiveEnabled[t] = ArchiveTypes[t].checked();
    s.archiveDescOnly = ArchiveDescOnly.checked();
    s.archiveQuickScan = ArchiveQuickScan.checked();
    s.extractFolder = ExtractDir.text();
    s.restoreArchiveDirs = RestoreDirCheck.checked();
    s.tempRemoval = AlwaysRemoveTemp.checked()  ? TempRemoval::Delete
                    : AlwaysLeaveTemp.checked() ? TempRemoval::Leave
                                                : TempRemoval::Ask;

    s.descPatterns = DescList.items();
    s.descAssistSubfolders = DescAlwaysCheck.checked();
    s.descAssistDepth = static_cast<std::uint8_t>(DescMaxLevels.value());

    s.autoload = AutoloadCheck.checked();
    s.autoloadList = AutoloadList.items();
    return s;
}

ui::FileDialogs& TOptionsForm::fileDialogs() {
    if (services_.fileDialogs)
        return *services_.fileDialogs;
    if (!ownFileDialogs_)
        ownFileDialogs_ = std::make_unique<ui::CommonFileDialogs>(hwnd());
    return *ownFileDialogs_;
}

ui::UserPrompt& TOptionsForm::prompt() {
    if (services_.prompt)
        return *services_.prompt;
    return ui::Application::instance().prompt();
}

}  // namespace kv
