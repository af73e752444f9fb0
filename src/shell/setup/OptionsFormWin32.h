#pragma once
// "Program Settings": the user's view of the settings store on eight pages.
// The controls show a draft of the store's record; OK, Apply and Cancel
// decide what becomes of it (OptionsSession).
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/small/ExPageControlWin32.h"
#include "shell/settings/ToolbarLayout.h"
#include "shell/setup/FolderPickerWin32.h"
#include "shell/setup/OptionsRules.h"
#include "shell/setup/OptionsSession.h"
#include "shell/setup/ToolbarBoxWin32.h"
#include "shell/setup/ToolbarCustomizer.h"
#include "ui/Button.h"
#include "ui/CheckListBox.h"
#include "ui/Edit.h"
#include "ui/FileDialogs.h"
#include "ui/FontDialog.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/RangeControls.h"
#include "ui/SpinEdit.h"
#include "ui/UserPrompt.h"

namespace kv {

struct OptionsServices {
    OptionsServices(SettingsStore& store, SectionStore& key, std::function<void(const Settings&)> applier = {})
        : settings(store), registry(key), apply(std::move(applier)) {}
    SettingsStore& settings;
    // The program's key, where Apply and a showing write the settings.
    SectionStore& registry;
    // Pushes settings into the running program (ApplySettings).
    std::function<void(const Settings&)> apply;
    // Null: the system's dialogs and the application's message boxes.
    ui::FileDialogs* fileDialogs = nullptr;
    ui::FontDialog* fontDialog = nullptr;
    ui::UserPrompt* prompt = nullptr;
    // Empty: folders are typed only.
    FolderPicker pickFolder;
    // The main toolbar's controls, which the customiser's layout is fitted to;
    // empty: the command table's buttons in their order.
    std::vector<ToolbarControl> toolbarControls;
    // Where a folder picker starts when the edit's folder is gone.
    std::string programDir;
    std::string tempDir;
};

// The pages, numbered as the Settings menu names them.
enum class OptionsPage { Interface = 1, General, Toolbar, Fonts, DiskImage, Extracting, Desc, Autoload };
inline constexpr int kOptionsPages = 8;

class TOptionsForm : public ui::Form {
public:
    explicit TOptionsForm(OptionsServices services);
    ~TOptionsForm() override;

    // Shows the dialog on a page (0: the page it was left on); ui::mrOk or ui::mrCancel.
    int Execute(int page = 0);
    // What Execute does before it shows: a fresh draft in the controls, the page chosen.
    void Prepare(int page = 0);
    OptionsServices& services() { return services_; }
    // The record the controls show.
    Settings Collect() const { return collect(); }
    const ToolbarCustomizer* customizer() const { return customizer_.get(); }
    OptionsSession& session() { return session_; }
    // The wizard shows one page alone, without the wizard button.
    void ShowOnlyPage(OptionsPage page);
    void ShowAllPages();
    ui::TExPageControl& pages() { return Pages; }
    ui::Panel& page(OptionsPage p) { return Pages.page(static_cast<int>(p) - 1); }

    // User interface
    ui::CheckBox ViewStatusCheck, ShowPrevCheck, FormattedSizesCheck, ArchivesSortCheck, TipsCheck,
        ShowShortcutsCheck, DisableSmoothCheck, DescAsTipsCheck, AutohideCheck;
    ui::Label DoubleClickLabel, DescWaitLabel, DescWaitMin, DescWaitMax, DescHideMin, DescHideMax;
    ui::ComboBox FileDoubleClickCombo;
    ui::TrackBar DescWaitBar, DescHideBar;
    // General
    ui::Label CatalogPathLabel, AutoSaveLabel, ShellLabel;
    ui::Edit CatalogPathEdit, ViewerEdit, ShellEdit;
    ui::Button CatalogDirBtn, ViewerBrowse, ShellBrowse;
    ui::CheckBox CreateBakCheck, AutoSaveCheck, ShortFilenamesCheck;
    ui::SpinEdit AutoSaveEdit;
    ui::Panel ViewerGroup;
    ui::RadioButton InternalViewerCheck, ExternalViewerCheck;
    // Toolbar
    ui::Panel DockGroup;
    ui::RadioButton Toolbar1, Toolbar2, Toolbar3, Toolbar4;
    ui::CheckBox ToolbarVisible, ToolbarFloating, OldButtonsCheck;
    ui::Label ButtonSizeLabel, ToolbarAddLabel;
    ui::TrackBar ButtonSizeBar;
    ToolbarBox ToolbarBox;
    ui::Button ToolbarUp, ToolbarDown, ToolbarFunction, ToolbarAddSep;
    // Fonts
    ui::Label FontSlotLabel, FontLabel, FontHelpLabel;
    // The sample text, centred on one line in the slot's font.
    ui::Panel FontSample;
    ui::ComboBox FontSettingsCombo;
    ui::Panel FontGroup;
    ui::RadioButton UseSystemFont, UseCustomFont;
    ui::Button FontButton;
    // Disk image
    ui::Label ImportDescLabel, DescTruncLabel;
    ui::CheckListBox ImportDescList;
    ui::Button HiPriorityBtn, LoPriorityBtn;
    ui::CheckBox DescTruncCheck, DescKeepCurrentCheck, UpdateNameCheck, IgnoreFilesCheck, IgnoreFoldersCheck,
        IgnoreRecycleCheck, SetSerialCheck, SerialAskCheck, EjectMediaCheck;
    ui::SpinEdit DescTruncEdit;
    // Archive files
    ui::CheckBox InsideZipCheck, ArchiveDescOnly, ArchiveQuickScan, RestoreDirCheck;
    ui::Panel ArchiveGroupBox;
    std::array<ui::CheckBox, 14> ArchiveTypes;
    ui::Label ExtractDirLabel, TempGroupLabel;
    ui::Edit ExtractDir;
    ui::Button ExtractDirBtn;
    ui::Panel TempGroup;
    ui::RadioButton AlwaysRemoveTemp, AlwaysLeaveTemp, AskRemoveTemp;
    // Descriptions
    ui::Label DescListLabel, DescLevelsLabel;
    ui::ListBox DescList;
    ui::Edit DescEdit;
    ui::Button DescAddButton, DescDeleteButton, DescUpButton, DescDownButton;
    ui::CheckBox DescAlwaysCheck;
    ui::SpinEdit DescMaxLevels;
    // Auto load
    ui::CheckBox AutoloadCheck;
    ui::Label AutoloadLabel;
    ui::ListBox AutoloadList;
    ui::Button BtnAdd, BtnRemove, BtnUp, BtnDown;
    // Below the pages
    ui::Button OKBtn, CancelBtn, ApplyBtn, RunWizardButton;

private:
    void createPages();
    void createInterfacePage(ui::Panel& p);
    void createGeneralPage(ui::Panel& p);
    void createToolbarPage(ui::Panel& p);
    void createFontsPage(ui::Panel& p);
    void createDiskImagePage(ui::Panel& p);
    void createExtractingPage(ui::Panel& p);
    void createDescPage(ui::Panel& p);
    void createAutoloadPage(ui::Panel& p);
    void createButtons();

    // The controls from a record and back.
    void fillControls(const Settings& s);
    Settings collect() const;
    // A control changed: the draft follows and the enabling is refreshed.
    void changed();
    void refreshEnabling();

    void onShowForm();
    void applyClick();
    void wizardClick();

    // Toolbar customiser
    std::vector<ToolbarControl> toolbarControls() const;
    void fillToolbarBox(int select);
    void refreshToolbarButtons();
    void toolbarMove(int delta);
    void toolbarFunction();
    void toolbarAddSeparator();
    void toolbarPlace(int index);
    void endInsertMode();
    std::unique_ptr<ToolbarCustomizer> customizer_;

    // Fonts
    void showFontSlot();
    void chooseFont();
    std::array<FontSlot, 6> fonts_{};
    ui::GdiObject<HFONT> sampleFont_;

    // Lists
    void descAdd();
    void descDelete();
    void moveListSelection(ui::ListBox& list, int delta);
    void priorityMove(int delta);
    void autoloadAdd();
    void autoloadRemove();
    void browseFolder(ui::Edit& edit, const std::string& caption, const std::string& fallback);
    void browseProgram(ui::Edit& edit, const std::string& title);
    ui::FileDialogs& fileDialogs();
    ui::UserPrompt& prompt();

    OptionsServices services_;
    OptionsSession session_;
    ui::TExPageControl Pages;
    // "TABPICT1".."TABPICT8", one a tab.
    ui::ImageList tabImages_{16, 16};
    bool filling_ = false;
    std::unique_ptr<ui::FileDialogs> ownFileDialogs_;
    std::unique_ptr<ui::FontDialog> ownFontDialog_;
};

}  // namespace kv
