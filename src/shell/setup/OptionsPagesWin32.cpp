// The controls of the settings pages and what each one's change does.
#include "shell/setup/OptionsFormWin32.h"
#include "ui/PlaceControl.h"

namespace kv {

namespace {

constexpr int kRow = 22;

}  // namespace

void TOptionsForm::createInterfacePage(ui::Panel& p) {
    int y = 8;
    const struct {
        ui::CheckBox& box;
        const char* text;
        unsigned long help;
    } checks[] = {{ViewStatusCheck, "Display &status bar", 10105},
                  {ShowPrevCheck, "Show '..' folders (&previous folder)", 10106},
                  {FormattedSizesCheck, "Display formated sizes for files and folders (default full numbers)", 10118},
                  {ArchivesSortCheck, "Sort archive files as folders (default as files)", 10110},
                  {TipsCheck, "Show tips at program startup", 10111},
                  {ShowShortcutsCheck, "Display keyboard shortcuts in button tooltips", 10129},
                  {DisableSmoothCheck, "Disable smooth expanding/collapsing in the catalog tree", 10131}};
    for (const auto& c : checks) {
        ui::Put(c.box, p, 12, y, 480, 20, c.text, c.help);
        c.box.onClick = [this](ui::CheckBox&) { changed(); };
        y += kRow;
    }
    y += 6;
    ui::Put(DoubleClickLabel, p, 12, y + 3, 150, 16, "Double-click on a file:");
    FileDoubleClickCombo.setItems({kDoubleClickCaptions.begin(), kDoubleClickCaptions.end()});
    ui::Put(FileDoubleClickCombo, p, 170, y, 250, 200, {}, 10113);
    FileDoubleClickCombo.onChange = [this](ui::ComboBox&) { changed(); };
    y += 34;
    ui::Put(DescAsTipsCheck, p, 12, y, 300, 20, "S&how descriptions as tips", 10107);
    DescAsTipsCheck.onClick = [this](ui::CheckBox&) { changed(); };
    y += 26;
    ui::Put(DescWaitLabel, p, 30, y + 4, 110, 16, "Show tips after:");
    ui::Put(DescWaitMin, p, 144, y + 4, 24, 16, "0 s");
    // Four bits keep the delay: 1.5 s is the longest the settings can hold.
    DescWaitBar.setRange(0, 15);
    ui::Put(DescWaitBar, p, 170, y, 200, 26, {}, 10108);
    ui::Put(DescWaitMax, p, 374, y + 4, 40, 16, "1.5 s");
    DescWaitBar.onChange = [this](ui::TrackBar&) { changed(); };
    y += 32;
    ui::Put(AutohideCheck, p, 30, y + 2, 112, 20, "Autohide after", 10133);
    AutohideCheck.onClick = [this](ui::CheckBox&) { changed(); };
    ui::Put(DescHideMin, p, 144, y + 4, 24, 16, "0 s");
    DescHideBar.setRange(0, 15);
    ui::Put(DescHideBar, p, 170, y, 200, 26, {}, 10109);
    ui::Put(DescHideMax, p, 374, y + 4, 40, 16, "15 s");
    DescHideBar.onChange = [this](ui::TrackBar&) { changed(); };
}

void TOptionsForm::createGeneralPage(ui::Panel& p) {
    int y = 8;
    ui::Put(CatalogPathLabel, p, 12, y, 300, 16, "Default folder for catalog files:");
    y += 18;
    ui::Put(CatalogPathEdit, p, 12, y, 400, 22, {}, 10120);
    CatalogPathEdit.onChange = [this](ui::Edit&) { changed(); };
    ui::Put(CatalogDirBtn, p, 420, y - 1, 80, 24, "Browse", 10120);
    CatalogDirBtn.onClick = [this](ui::Button&) {
        browseFolder(CatalogPathEdit, "Select Default Catalog Path", services_.programDir);
    };
    y += 30;
    ui::Put(CreateBakCheck, p, 12, y, 300, 20, "Create backup (.BAK) files", 10119);
    CreateBakCheck.onClick = [this](ui::CheckBox&) { changed(); };
    y += 26;
    ui::Put(AutoSaveCheck, p, 12, y, 180, 20, "Auto-save catalog(s) every", 10112);
    AutoSaveCheck.onClick = [this](ui::CheckBox&) { changed(); };
    AutoSaveEdit.setRange(2, 240);
    ui::Put(AutoSaveEdit, p, 196, y - 1, 60, 22, {}, 10112);
    AutoSaveEdit.onChange = [this](ui::Edit&) { changed(); };
    ui::Put(AutoSaveLabel, p, 262, y + 2, 80, 16, "minutes");
    y += 32;
    ui::Put(ViewerGroup, p, 8, y, 500, 104);
    ViewerGroup.setBevel(false);
    ui::Put(InternalViewerCheck, ViewerGroup, 4, 2, 300, 20, "Use the internal ASCII viewer", 10121);
    ui::Put(ExternalViewerCheck, ViewerGroup, 4, 24, 300, 20, "Use an external viewer program:", 10121);
    for (ui::RadioButton* r : {&InternalViewerCheck, &ExternalViewerCheck})
        r->onClick = [this](ui::RadioButton&) { changed(); };
    ui::Put(ViewerEdit, ViewerGroup, 22, 48, 382, 22, {}, 10122);
    ViewerEdit.onChange = [this](ui::Edit&) { changed(); };
    ui::Put(ViewerBrowse, ViewerGroup, 412, 47, 80, 24, "Browse", 10122);
    ViewerBrowse.onClick = [this](ui::Button&) { browseProgram(ViewerEdit, "External ASCII Viewer"); };
    ui::Put(ShortFilenamesCheck, ViewerGroup, 22, 76, 380, 20, "Always use short filenames as parameters", 10130);
    ShortFilenamesCheck.onClick = [this](ui::CheckBox&) { changed(); };
    y += 112;
    ui::Put(ShellLabel, p, 12, y, 400, 16, "Program used instead of Explorer (empty: Explorer):");
    y += 18;
    ui::Put(ShellEdit, p, 12, y, 400, 22, {}, 10132);
    ShellEdit.onChange = [this](ui::Edit&) { changed(); };
    ui::Put(ShellBrowse, p, 420, y - 1, 80, 24, "Browse", 10132);
    ShellBrowse.onClick = [this](ui::Button&) { browseProgram(ShellEdit, "External Shell Program"); };
}

void TOptionsForm::createDiskImagePage(ui::Panel& p) {
    ui::Put(ImportDescLabel, p, 12, 8, 300, 16, "Import descriptions from (in order of priority):");
    ui::Put(ImportDescList, p, 12, 26, 220, 76, {}, 10300);
    ImportDescList.onClickCheck = [this](ui::CheckListBox&, int) { changed(); };
    ui::Put(HiPriorityBtn, p, 240, 26, 110, 24, "Higher priority", 10301);
    ui::Put(LoPriorityBtn, p, 240, 56, 110, 24, "Lower priority", 10302);
    HiPriorityBtn.onClick = [this](ui::Button&) { priorityMove(-1); };
    LoPriorityBtn.onClick = [this](ui::Button&) { priorityMove(1); };
    int y = 112;
    ui::Put(DescTruncCheck, p, 12, y, 230, 20, "Truncate descriptions if longer than", 10303);
    DescTruncCheck.onClick = [this](ui::CheckBox&) { changed(); };
    DescTruncEdit.setRange(1, 15);
    ui::Put(DescTruncEdit, p, 246, y - 1, 50, 22, {}, 10303);
    DescTruncEdit.onChange = [this](ui::Edit&) { changed(); };
    ui::Put(DescTruncLabel, p, 302, y + 2, 60, 16, "lines");
    y += 26;
    const struct {
        ui::CheckBox& box;
        const char* text;
        unsigned long help;
        int indent;
    } checks[] = {
        {DescKeepCurrentCheck, "Keep current descriptions (if available) when updating disk data", 10304, 0},
        {UpdateNameCheck, "Keep old disk name when updating disk already in the catalog", 10305, 0},
        {IgnoreFilesCheck, "Ignore hidden files", 10307, 0},
        {IgnoreFoldersCheck, "Ignore hidden folders", 10306, 0},
        {IgnoreRecycleCheck, "Ignore Recycle Bin folder", 10308, 0},
        {SetSerialCheck, "Allow program to change disk serial number when needed", 10309, 0},
        {SerialAskCheck, "Ask first", 10310, 18},
        {EjectMediaCheck, "Eject media after cataloguing (if supported by drive)", 10311, 0}};
    for (const auto& c : checks) {
        ui::Put(c.box, p, 12 + c.indent, y, 480 - c.indent, 20, c.text, c.help);
        c.box.onClick = [this](ui::CheckBox&) { changed(); };
        y += kRow;
    }
}

void TOptionsForm::createExtractingPage(ui::Panel& p) {
    ui::Put(InsideZipCheck, p, 12, 8, 480, 20, "Browse inside compressed files when making disk image", 10400);
    InsideZipCheck.onClick = [this](ui::CheckBox&) { changed(); };
    ui::Put(ArchiveGroupBox, p, 28, 30, 470, 92, {}, 10401);
    ArchiveGroupBox.setBevel(false);
    static constexpr std::array<const char*, 14> kTypes = {"ARC", "ARJ", "CAB", "HA",  "LHA", "LZH", "PAK",
                                                           "RAR", "ZIP", "ZOO", "EXE (self-extract)", "TAR",
                                                           "GZIP", "Z"};
    for (std::size_t t = 0; t < kTypes.size(); ++t) {
        ui::CheckBox& box = ArchiveTypes[t];
        box.Tag = static_cast<int>(t) + 1;
        // Five a row; the self-extracting kind takes two places.
        const int place = static_cast<int>(t < 11 ? t : t + 1);
        ui::Put(box, ArchiveGroupBox, 4 + (place % 5) * 92, 2 + (place / 5) * 22, t == 10 ? 170 : 86, 20, kTypes[t],
            10401);
        box.onClick = [this](ui::CheckBox&) { changed(); };
    }
    ui::Put(ArchiveDescOnly, p, 28, 124, 470, 20, "Browse only for descriptions, do not import compressed files info",
        10402);
    ui::Put(ArchiveQuickScan, p, 28, 146, 470, 20,
        "Allow quick scan through archive file when updating existing disk image", 10403);
    for (ui::CheckBox* c : {&ArchiveDescOnly, &ArchiveQuickScan}) c->onClick = [this](ui::CheckBox&) { changed(); };
    ui::Put(ExtractDirLabel, p, 12, 172, 400, 16, "Temporary folder for extracted files:");
    ui::Put(ExtractDir, p, 12, 190, 400, 22, {}, 10404);
    ExtractDir.onChange = [this](ui::Edit&) { changed(); };
    ui::Put(ExtractDirBtn, p, 420, 189, 80, 24, "Browse", 10405);
    ExtractDirBtn.onClick = [this](ui::Button&) {
        browseFolder(ExtractDir, "Select Temporary Folder", services_.tempDir);
    };
    ui::Put(RestoreDirCheck, p, 12, 218, 480, 20, "Restore folder structure stored in archive file when extracting",
        10406);
    RestoreDirCheck.onClick = [this](ui::CheckBox&) { changed(); };
    ui::Put(TempGroupLabel, p, 12, 242, 400, 16, "Temporary extracted files at program exit:");
    ui::Put(TempGroup, p, 8, 258, 490, 66, {}, 10407);
    TempGroup.setBevel(false);
    ui::Put(AlwaysRemoveTemp, TempGroup, 4, 0, 470, 20, "Always delete all temporary extracted files", 10407);
    ui::Put(AlwaysLeaveTemp, TempGroup, 4, 22, 470, 20, "Leave extracted files in temporary folder", 10407);
    ui::Put(AskRemoveTemp, TempGroup, 4, 44, 470, 20, "Ask before deleting temporary extracted files", 10407);
    for (ui::RadioButton* r : {&AlwaysRemoveTemp, &AlwaysLeaveTemp, &AskRemoveTemp})
        r->onClick = [this](ui::RadioButton&) { changed(); };
}

void TOptionsForm::createDescPage(ui::Panel& p) {
    p.helpContext = 10500;
    ui::Put(DescListLabel, p, 12, 8, 400, 16, "Description files the Description Assistant shows (names or masks):");
    DescList.setMultiSelect(true);
    ui::Put(DescList, p, 12, 26, 300, 180, {}, 10501);
    ui::Put(DescEdit, p, 12, 214, 300, 22);
    DescEdit.onChange = [this](ui::Edit&) { refreshEnabling(); };
    // Enter adds while the pattern is being typed.
    DescEdit.onEnter = [this](ui::Control&) {
        setDefaultControl(&DescAddButton);
        OKBtn.setDefault(false);
        DescAddButton.setDefault(true);
    };
    DescEdit.onExit = [this](ui::Control&) {
        setDefaultControl(&OKBtn);
        DescAddButton.setDefault(false);
        OKBtn.setDefault(true);
    };
    ui::Put(DescAddButton, p, 320, 213, 80, 24, "Add", 10502);
    DescAddButton.onClick = [this](ui::Button&) { descAdd(); };
    ui::Put(DescDeleteButton, p, 320, 26, 80, 24, "Delete", 10505);
    DescDeleteButton.onClick = [this](ui::Button&) { descDelete(); };
    ui::Put(DescUpButton, p, 320, 56, 80, 24, "Up", 10503);
    ui::Put(DescDownButton, p, 320, 86, 80, 24, "Down", 10504);
    DescUpButton.onClick = [this](ui::Button&) { moveListSelection(DescList, -1); };
    DescDownButton.onClick = [this](ui::Button&) { moveListSelection(DescList, 1); };
    ui::Put(DescAlwaysCheck, p, 12, 248, 200, 20, "Search in subfolders (max.", 10506);
    DescAlwaysCheck.onClick = [this](ui::CheckBox&) { changed(); };
    DescMaxLevels.setRange(1, 8);
    ui::Put(DescMaxLevels, p, 214, 247, 50, 22, {}, 10506);
    DescMaxLevels.onChange = [this](ui::Edit&) { changed(); };
    ui::Put(DescLevelsLabel, p, 270, 250, 60, 16, "levels)");
}

void TOptionsForm::createAutoloadPage(ui::Panel& p) {
    p.helpContext = 10600;
    ui::Put(AutoloadCheck, p, 12, 8, 400, 20, "&Enable catalog autoload on program startup", 10600);
    AutoloadCheck.onClick = [this](ui::CheckBox&) { changed(); };
    ui::Put(AutoloadLabel, p, 12, 34, 300, 16, "Catalogs loaded at program startup:");
    AutoloadList.setMultiSelect(true);
    ui::Put(AutoloadList, p, 12, 52, 390, 250, {}, 10601);
    ui::Put(BtnAdd, p, 410, 52, 86, 24, "&Add", 10604);
    ui::Put(BtnRemove, p, 410, 82, 86, 24, "&Remove", 10605);
    ui::Put(BtnUp, p, 410, 124, 86, 24, "&Up", 10602);
    ui::Put(BtnDown, p, 410, 154, 86, 24, "&Down", 10603);
    BtnAdd.onClick = [this](ui::Button&) { autoloadAdd(); };
    BtnRemove.onClick = [this](ui::Button&) { autoloadRemove(); };
    BtnUp.onClick = [this](ui::Button&) { moveListSelection(AutoloadList, -1); };
    BtnDown.onClick = [this](ui::Button&) { moveListSelection(AutoloadList, 1); };
}

}  // namespace kv
