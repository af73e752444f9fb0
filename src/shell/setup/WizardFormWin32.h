#pragma once
// "Quick-Setup Wizard": the most important settings on eleven pages. It keeps
// no settings of its own: the answers come from the store when it shows and
// go back when it finishes; any other way out reloads the saved settings.
#include <array>
#include <functional>
#include <string>
#include <utility>

#include "shell/setup/FolderPickerWin32.h"
#include "shell/setup/WizardAnswers.h"
#include "ui/Button.h"
#include "ui/Canvas.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/UserPrompt.h"

namespace kv {

class SectionStore;
class SettingsStore;
class TOptionsForm;

struct WizardServices {
    WizardServices(SettingsStore& store, SectionStore& key) : settings(store), registry(key) {}
    SettingsStore& settings;
    SectionStore& registry;
    std::function<void(const Settings&)> apply;
    // The settings dialog shown with one page (Descriptions or Auto Load); none: the buttons do nothing.
    std::function<void(int page)> showOptionsPage;
    // Reads the settings back from the registry (a wizard closed without Finish).
    std::function<void()> reload;
    ui::UserPrompt* prompt = nullptr;  // null: the application's
    FolderPicker pickFolder;           // empty: folders are typed only
    std::string programDir;
    std::string tempDir;
};

inline constexpr int kWizardPages = 11;

class TWizardForm : public ui::Form {
public:
    explicit TWizardForm(WizardServices services);
    ~TWizardForm() override;

    // Shows the wizard modally: ui::mrOk after Finish, ui::mrAbort for the
    // normal configuration, ui::mrCancel otherwise.
    int Execute(bool firstRun);
    // What Execute does before it shows: the answers from the settings, page 1.
    void Prepare(bool firstRun);
    int pageIndex() const { return page_; }
    void showPage(int index);

    ui::Panel PicturePanel;
    ui::Label PictureTitle, PageCountLabel;
    std::array<ui::Panel, kWizardPages> WizardPages;
    std::array<ui::Label, kWizardPages> Titles;
    std::array<ui::Label, kWizardPages> Texts;
    ui::Label IntroLabel;
    ui::Button NormalConfigBtn;
    ui::Edit WizardCatDir, WizardExtractDir;
    ui::Button DefaultCatDirBtn, WizardExtractDirBtn;
    ui::CheckBox WizardBakCheck;
    ui::RadioButton BrowseCompressedYes, BrowseCompressedNo;
    ui::CheckBox SkipHiddenFiles, SkipHiddenFolders, SkipRecycleBin;
    ui::CheckBox ShowDescTooltips;
    ui::Panel ButtonStyleGroup;
    ui::RadioButton NewStyleButtons, OldStyleButtons;
    // In the order of the page, not of the settings.
    std::array<ui::RadioButton, kWizardActions> Actions;
    ui::RadioButton AlwaysRemove, AlwaysLeave, AskRemove;
    ui::Button DescAssistButton, AutoloadSetupButton;
    ui::Button BackButton, NextButton, CancelButton;

private:
    void createPages();
    void fill(const WizardAnswers& answers);
    WizardAnswers collect() const;
    void updatePage();
    void browse(ui::Edit& edit, const std::string& caption, const std::string& fallback);
    ui::UserPrompt& prompt();

    WizardServices services_;
    ui::GdiObject<HFONT> titleFont_;
    int page_ = 0;
};

}  // namespace kv
