#include "shell/setup/WizardFormWin32.h"

#include <utility>

#include "shell/settings/SettingsStore.h"
#include "shell/settings/SettingsSave.h"
#include "ui/PlaceControl.h"
#include "ui/Application.h"

namespace kv {

namespace {

constexpr int kClientWidth = 560;
constexpr int kClientHeight = 380;
constexpr int kPageLeft = 168;
constexpr int kPageWidth = kClientWidth - kPageLeft - 8;
constexpr int kPageHeight = 320;
constexpr COLORREF kPictureColour = RGB(0, 64, 128);

struct PageText {
    const char* title;
    const char* text;
};

constexpr std::array<PageText, kWizardPages> kPages = {{
    {"Welcome to Quick-Setup Wizard!", ""},
    {"Catalogs Location",
     "Choose the folder where your catalog files are kept. Korvalder? opens and saves catalogs there unless you "
     "pick another place."},
    {"Analyzing compressed files",
     "During the disk scan, Korvalder? can analyze and store data for many compressed file types, including ZIP, "
     "ARJ, RAR, LHA, ARC... Each such file can be presented as a virtual folder, containing files compressed inside "
     "this file.\r\n\r\nWhile all this can be quite useful, there are a few disadvantages. There will be about "
     "twice as much data to process and store, and disk scan will require more time to complete."},
    {"Skip special files or folders",
     "Some files and folders are of little interest in a catalog. Choose what the disk scan should leave out:"},
    {"User interface settings",
     "Descriptions can show as tool-tips when the mouse rests over an item. The toolbar buttons can be flat or "
     "drawn as normal buttons."},
    {"Double-clicking a file", "Choose what happens when you double-click a file in the file list:"},
    {"Temporary folder for extracting",
     "Files inside compressed files are extracted to this folder before they are viewed or launched."},
    {"Removing extracted files", "Choose what happens to the extracted files when the program ends:"},
    {"Description Assistant",
     "The Description Assistant shows the description files it finds beside your files. You can choose which "
     "files it looks for."},
    {"Autoloading catalogs", "Catalogs you use often can be opened each time the program starts."},
    {"Finished!",
     "Congratulations, Korvalder? is configured !\r\n\r\nClick Finish to keep your choices. You can change them "
     "and many more at any time in the Settings menu, or run this wizard again."},
}};

constexpr std::array<const char*, kWizardActions> kActionTexts = {
    "Do nothing", "Show file's properites", "Open file in Explorer", "Launch file with associated program",
    "Open Description Assistant to edit description", "View file in ASCII viewer"};

bool folderExists(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TWizardForm::TWizardForm(WizardServices services) : services_(std::move(services)) {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::ScreenCenter);
    setCaption("Quick-Setup Wizard");
    setWindowClassName("KvWizardForm");
    setBounds(0, 0, kClientWidth + 10, kClientHeight + 30);
    createHandle();
    setClientSize(kClientWidth, kClientHeight);

    PicturePanel.setColor(kPictureColour);
    ui::Put(PicturePanel, *this, 8, 8, kPageLeft - 16, kPageHeight);
    PictureTitle.setTextColor(RGB(255, 255, 0));
    PictureTitle.setAlignment(ui::Label::Alignment::Center);
    ui::Put(PictureTitle, PicturePanel, 6, 20, kPageLeft - 28, 60, "Korvalder?\r\nQuick-Setup");
    createPages();

    const int y = kClientHeight - 36;
    ui::Put(PageCountLabel, *this, 8, y + 6, 150, 16);
    ui::Put(BackButton, *this, kClientWidth - 3 * 88 - 8, y, 80, 26, "< &Back");
    ui::Put(NextButton, *this, kClientWidth - 2 * 88 - 8, y, 80, 26, "&Next >");
    ui::Put(CancelButton, *this, kClientWidth - 88 - 8, y, 80, 26, "Cancel");
    BackButton.Tag = -1;
    NextButton.Tag = 1;
    CancelButton.modalResult = ui::mrCancel;
    BackButton.onClick = [this](ui::Button&) { showPage(page_ - 1); };
    NextButton.onClick = [this](ui::Button&) {
        if (page_ + 1 < kWizardPages)
            showPage(page_ + 1);
    };
    setDefaultControl(&NextButton);
    setCancelControl(&CancelButton);
    onCloseQuery = [this](ui::Form&, bool& canClose) {
        if (modalResult() == ui::mrOk || modalResult() == ui::mrAbort)
            return;
        canClose = prompt().ask({"Would you like to close Setup Wizard and discard all changes?", "Exit Setup Wizard",
                                 ui::PromptButtons::YesNo, ui::PromptIcon::Question}) == ui::PromptAnswer::Yes;
    };
}

TWizardForm::~TWizardForm() { destroyWindow(); }

void TWizardForm::createPages() {
    LOGFONTA lf{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    lf.lfHeight = lf.lfHeight * 3 / 2;
    titleFont_.reset(CreateFontIndirectA(&lf));
    for (int i = 0; i < kWizardPages; ++i) {
        ui::Panel& p = WizardPages[static_cast<std::size_t>(i)];
        p.setBevel(false);
        p.setVisible(i == 0);
        ui::Put(p, *this, kPageLeft, 8, kPageWidth, kPageHeight);
        Titles[static_cast<std::size_t>(i)].setFont(titleFont_.get());
        ui::Put(Titles[static_cast<std::size_t>(i)], p, 0, 4, kPageWidth, 22,
                kPages[static_cast<std::size_t>(i)].title);
        if (*kPages[static_cast<std::size_t>(i)].text)
            ui::Put(Texts[static_cast<std::size_t>(i)], p, 0, 30, kPageWidth, i == 2 ? 150 : 64,
                kPages[static_cast<std::size_t>(i)].text);
    }
    auto& pages = WizardPages;
    ui::Put(IntroLabel, pages[0], 0, 34, kPageWidth, 120);
    ui::Put(NormalConfigBtn, pages[0], 0, 180, 240, 26, "Click here for normal configuration");
    NormalConfigBtn.modalResult = ui::mrAbort;

    ui::Put(WizardCatDir, pages[1], 0, 100, kPageWidth - 90, 22);
    ui::Put(DefaultCatDirBtn, pages[1], kPageWidth - 82, 99, 80, 24, "Browse");
    DefaultCatDirBtn.onClick = [this](ui::Button&) {
        browse(WizardCatDir, "Select Default Catalog Path", services_.programDir);
    };
    ui::Put(WizardBakCheck, pages[1], 0, 136, kPageWidth, 20, "Create backup (.BAK) files when saving catalogs");

    ui::Put(BrowseCompressedYes, pages[2], 0, 190, kPageWidth, 20, "YES, enable browsing inside compressed files");
    ui::Put(BrowseCompressedNo, pages[2], 0, 214, kPageWidth, 20, "NO, treat compressed files just as any other file.");

    ui::Put(SkipHiddenFiles, pages[3], 0, 100, kPageWidth, 20, "Hidden files");
    ui::Put(SkipHiddenFolders, pages[3], 0, 124, kPageWidth, 20, "Hidden folders");
    ui::Put(SkipRecycleBin, pages[3], 0, 148, kPageWidth, 20, "'Recycle Bin' folder");

    ui::Put(ShowDescTooltips, pages[4], 0, 100, kPageWidth, 20, "Enable showing descriptions as tool-tips");
    ButtonStyleGroup.setBevel(false);
    ui::Put(ButtonStyleGroup, pages[4], 0, 134, kPageWidth, 48);
    ui::Put(NewStyleButtons, ButtonStyleGroup, 0, 0, kPageWidth, 20, "Use the new style, flat buttons (recommended)");
    ui::Put(OldStyleButtons, ButtonStyleGroup, 0, 24, kPageWidth, 20, "Always show buttons in the old, normal way.");

    for (std::size_t i = 0; i < kWizardActions; ++i)
        ui::Put(Actions[i], pages[5], 0, 80 + static_cast<int>(i) * 24, kPageWidth, 20, kActionTexts[i]);

    ui::Put(WizardExtractDir, pages[6], 0, 100, kPageWidth - 90, 22);
    ui::Put(WizardExtractDirBtn, pages[6], kPageWidth - 82, 99, 80, 24, "Browse");
    WizardExtractDirBtn.onClick = [this](ui::Button&) {
        browse(WizardExtractDir, "Select Temporary Folder", services_.tempDir);
    };

    ui::Put(AlwaysRemove, pages[7], 0, 80, kPageWidth, 20, "Always delete all temporary extracted files");
    ui::Put(AlwaysLeave, pages[7], 0, 104, kPageWidth, 20, "Leave extracted files in temporary folder");
    ui::Put(AskRemove, pages[7], 0, 128, kPageWidth, 20, "Ask before deleting temporary extracted files");

    ui::Put(DescAssistButton, pages[8], 0, 110, 280, 26, "Click here to setup Description Assistant");
    ui::Put(AutoloadSetupButton, pages[9], 0, 110, 280, 26, "Click here to select catalogs for auto-loading");
    auto showSettings = [this](int page) {
        if (services_.showOptionsPage)
            services_.showOptionsPage(page);
        showPage(page_ + 1);
    };
    DescAssistButton.onClick = [showSettings](ui::Button&) { showSettings(7); };
    AutoloadSetupButton.onClick = [showSettings](ui::Button&) { showSettings(8); };
}

void TWizardForm::Prepare(bool firstRun) {
    IntroLabel.setText(
        firstRun ? "This seems to be the first time you have started this program, and it is not configured yet. "
                   "You may want to use this Quick-Setup Wizard to help you with the most importatant configuration "
                   "options needed for program to run as desired."
                 : "This Wizard can help you adjust the most important settings for the program to run as desired. "
                   "You can use it always if you would like to be guided through basic configuration steps and be "
                   "sure not to miss anything important.");
    // Unsaved settings are written first, so that leaving without Finish returns to them.
    if (services_.settings.Modified())
        SaveSettings(services_.settings, services_.registry, prompt());
    fill(WizardLoadFromOptions(services_.settings.Get()));
    showPage(0);
}

int TWizardForm::Execute(bool firstRun) {
    Prepare(firstRun);
    const int result = showModal();
    if (result == ui::mrOk) {
        Settings s = services_.settings.Get();
        WizardStoreToOptions(collect(), s);
        services_.settings.Replace(s);
        if (services_.apply)
            services_.apply(services_.settings.Get());
        SaveSettings(services_.settings, services_.registry, prompt());
        return ui::mrOk;
    }
    if (services_.reload)
        services_.reload();
    else
        services_.settings.Load(services_.registry);
    return result == ui::mrAbort ? ui::mrAbort : ui::mrCancel;
}

void TWizardForm::showPage(int index) {
    if (index < 0 || index >= kWizardPages)
        return;
    page_ = index;
    for (int i = 0; i < kWizardPages; ++i) WizardPages[static_cast<std::size_t>(i)].setVisible(i == page_);
    updatePage();
}

void TWizardForm::updatePage() {
    BackButton.setEnabled(page_ > 0);
    const bool last = page_ == kWizardPages - 1;
    NextButton.setText(last ? "Finish" : "&Next >");
    NextButton.modalResult = last ? ui::mrOk : ui::mrNone;
    PageCountLabel.setText("Page " + std::to_string(page_ + 1) + " of " + std::to_string(kWizardPages));
}

void TWizardForm::fill(const WizardAnswers& a) {
    WizardCatDir.setText(a.catalogFolder);
    WizardBakCheck.setChecked(a.createBak);
    BrowseCompressedYes.setChecked(a.browseArchives);
    BrowseCompressedNo.setChecked(!a.browseArchives);
    SkipHiddenFiles.setChecked(a.skipHiddenFiles);
    SkipHiddenFolders.setChecked(a.skipHiddenFolders);
    SkipRecycleBin.setChecked(a.skipRecycleBin);
    ShowDescTooltips.setChecked(a.descTips);
    NewStyleButtons.setChecked(a.flatButtons);
    OldStyleButtons.setChecked(!a.flatButtons);
    for (std::size_t i = 0; i < kWizardActions; ++i) Actions[i].setChecked(static_cast<std::size_t>(a.action) == i);
    WizardExtractDir.setText(a.extractFolder);
    AlwaysRemove.setChecked(a.removal == TempRemoval::Delete);
    AlwaysLeave.setChecked(a.removal == TempRemoval::Leave);
    AskRemove.setChecked(a.removal == TempRemoval::Ask);
}

WizardAnswers TWizardForm::collect() const {
    WizardAnswers a;
    a.catalogFolder = WizardCatDir.text();
    a.createBak = WizardBakCheck.checked();
    a.browseArchives = BrowseCompressedYes.checked();
    a.skipHiddenFiles = SkipHiddenFiles.checked();
    a.skipHiddenFolders = SkipHiddenFolders.checked();
    a.skipRecycleBin = SkipRecycleBin.checked();
    a.descTips = ShowDescTooltips.checked();
    a.flatButtons = !OldStyleButtons.checked();
    for (std::size_t i = 0; i < kWizardActions; ++i)
        if (Actions[i].checked())
            a.action = static_cast<WizardAction>(i);
    a.extractFolder = WizardExtractDir.text();
    a.removal = AlwaysRemove.checked()  ? TempRemoval::Delete
                : AlwaysLeave.checked() ? TempRemoval::Leave
                                        : TempRemoval::Ask;
    return a;
}

void TWizardForm::browse(ui::Edit& edit, const std::string& caption, const std::string& fallback) {
    const std::string start = PickerStartFolder(edit.text(), fallback, folderExists);
    if (start != edit.text())
        edit.setText(start);
    if (!services_.pickFolder)
        return;
    if (auto folder = services_.pickFolder(hwnd(), FolderPickRequest{caption, start, true}))
        edit.setText(*folder);
}

ui::UserPrompt& TWizardForm::prompt() {
    return services_.prompt ? *services_.prompt : ui::Application::instance().prompt();
}

}  // namespace kv
