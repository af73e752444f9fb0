#pragma once
// The search window: criteria pages above, the found list below. The window
// captures everything a run needs on the main thread, runs the engine on the
// worker and lists the hits as they are handed over.
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "search/window/CategoryChoiceList.h"
#include "search/results/FoundItemCommands.h"
#include "search/results/FoundListWin32.h"
#include "search/window/FoundPopupWin32.h"
#include "search/window/SearchToolbarWin32.h"
#include "search/window/FileTypes.h"
#include "search/window/ScopeTreeWin32.h"
#include "search/engine/SearchRun.h"
#include "search/engine/SearchSyncWin32.h"
#include "search/window/SearchValidation.h"
#include "ui/Animate.h"
#include "ui/Button.h"
#include "ui/CheckListBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"
#include "ui/PageControl.h"
#include "ui/Pickers.h"
#include "ui/ProgressBar.h"
#include "ui/SpinEdit.h"
#include "system/settings/RegistryExWin32.h"
#include "ui/StatusBar.h"
#include "ui/WhatsThisMode.h"

namespace kv {

struct SearchFormServices {
    Forest& forest;
    IItemLocator* locator = nullptr;
    // The node whose list the main window shows; its list is never freed by a run.
    std::function<const Node*()> shownNode;
    // The "sort archives as files" setting at the start of a run.
    std::function<bool()> archivesAsFiles;
    // After a run started or ended: the main window refreshes its commands.
    std::function<void()> updateCommands;
    // Where the File Type list comes from.
    HKEY classesRoot = HKEY_CLASSES_ROOT;
    // The key that keeps "SearchWndPos"; empty: the placement is neither read nor kept.
    std::string placementKey = kProgramKeyPath;
    // The main window's handlers of the hit actions; none: those actions do nothing.
    IFoundItemCommands* commands = nullptr;
    // The settings' double-click action (1 Properties, 2 Explorer, 3 Launch, 4 View).
    std::function<int()> doubleClickAction = nullptr;
    // The toolbar-button size setting (0..7) and the "Old Style Buttons" setting.
    int buttonSize = 2;
    bool oldButtons = false;
    // Runs before the popup shows, so that the main window's command states are current.
    std::function<void()> idleUpdate = nullptr;
    // The window is being destroyed: what it shows can still be read.
    std::function<void()> destroying = nullptr;
    // Status panels 1 and 2 while no search runs: the focused hit's summary and
    // the totals of the rows (selection true: of the selected ones).
    std::function<std::string(const ItemHead&)> itemSummary = nullptr;
    std::function<std::string(std::span<ItemHead* const> rows, bool selection)> listTotals = nullptr;
    // The found list's header asks for the columns setup.
    std::function<void()> columnsSetup = nullptr;
    // Whether a window is the user list's list, where hits dragged from the found list drop.
    std::function<bool(HWND target)> userListDropTarget = nullptr;
    // Whether Esc is down now (any thread), polled while a duplicate run sorts;
    // none: the keyboard's state.
    std::function<bool()> escPressed = nullptr;
};

class TSearchForm : public ui::Form, private ISearchAsker {
public:
    enum Sheet { MainSheet, NameSheet, DescSheet, CategorySheet, SizeSheet, DateSheet, LimitSheet, SettingsSheet };

    explicit TSearchForm(SearchFormServices services);
    ~TSearchForm() override;

    // The two result lists, for the model's list set (slots 0 and 2).
    TResultList& NormalResults() { return normal_; }
    TResultList& DuplicateResults() { return duplicates_; }
    TResultList& CurrentResults() { return duplicateMode() ? duplicates_ : normal_; }
    const TResultList& CurrentResults() const { return duplicateMode() ? duplicates_ : normal_; }

    bool SearchRunning() const { return run_ != nullptr; }
    // How the last run ended; empty while one runs and before the first.
    const std::optional<SearchOutcome>& LastOutcome() const { return outcome_; }
    void BtnFindClick();
    void BtnCancelClick();
    void BtnNewClick();
    // The program's close: stops a run and waits for the worker, serving its
    // calls meanwhile when called at the outer level. False when it did not end in time.
    bool StopSearch(std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

    // Reads and writes every field as plain values.
    SearchFormValues Values() const;
    void SetValues(const SearchFormValues& values);
    // Rebuilds the category page from the open catalogs, keeping the marks.
    void CreateCategoryList();
    // The model dropped freed records from the list of the slot: the rows,
    // buttons and status texts follow.
    void ResultListRenumbered(ResultSlot slot);

    // The hit actions, as the buttons, the popup and the keys run them; an
    // action its button does not allow now does nothing.
    void RunFoundAction(FoundAction action);
    FoundActionStates FoundButtonStates() const;
    // The settings' double-click action on the focused row (also Enter).
    void FoundListDblClick();
    // Fills the popup for the focused row and the selection.
    void PrepareFoundListPopup();
    void BtnMaximizeClick();
    void BtnStayOnTopClick();
    void BtnHelpClick();
    // Lays the toolbar out again for the toolbar-button size (0..7) and the
    // "Old Style Buttons" setting, then the window around it.
    void SetButtons(int buttonSize, bool oldStyle);
    // The window's height for the current list: fixed to the criteria area
    // until the list has been shown, then free and the list's own.
    void UpdateFormLayout();
    // Places everything for the client size and keeps the list's height.
    void FormResize();
    // The run's bar over the status bar; null while no search runs.
    const ui::ProgressBar* SearchProgressBar() const { return progressBar_.get(); }
    bool HelpMode() const { return whatsThis_ && whatsThis_->active(); }
    // Deferred refresh: 1 the status texts, 2 also Find, New Search, Remove all and Report.
    void SetPendingRefresh(std::uint8_t level);
    void UpdateSearchStatus();

    // The controls, by the names the program gives them.
    ui::PageControl Pages;
    ui::GroupBox GroupsBox;
    ui::CheckBox ByNameCheck, ByDescCheck, ByCategoryCheck, BySizeCheck, ByDateCheck;
    ui::Label ByDuplicatesLabel;
    ui::CheckBox ShowLimitCheck, ShowSettingsCheck;
    ui::Label SearchCompLabel, NameEditLabel, AttrLabel, CategoryLabel, FlagsLabel, SizeAndLabel, DateLabel,
        DateAndLabel, DaysLabel, TimeLabel, TimeAndLabel, MinutesLabel, LimitLabel, ItemsLabel, DuplicateKeysLabel;
    ui::GroupBox NormalSearchGroup, DuplicateSearchGroup;
    ScopeTreeWin32 CatalogTree;
    ui::Button IncludeBtn, ExcludeBtn;
    ui::CheckBox SearchForFiles, SearchForFolders, SearchForDisks, SearchForCompressed;
    ui::ComboBox SearchTypeCombo;
    ui::ComboBox NameCombo;
    ui::Edit NameEdit;
    ui::ComboBox FileTypeCombo;
    ui::CheckBox FileCaseCheck;
    ui::CheckBox AttrArchiveCheck, AttrHiddenCheck, AttrSystemCheck, AttrReadOnlyCheck;
    ui::RadioButton DescCheck1, DescCheck2, DescCheck3;
    ui::Edit DescEdit;
    ui::CheckBox DescCaseCheck;
    ui::CheckListBox CategoryList, FlagsList;
    ui::ComboBox SizeCombo, SizeUnits1, SizeUnits2, SizeUnits3;
    ui::Edit SizeValue1, SizeValue2, SizeValue3;
    ui::CheckBox SizeAllowTolerance;
    ui::ComboBox DateCombo1, DateCombo2, TimeCombo1, TimeCombo2;
    ui::DateTimePicker DatePicker1, DatePicker2;
    ui::DateTimePicker TimePicker1{true}, TimePicker2{true};
    ui::CheckBox DateAllowTolerance, TimeAllowTolerance;
    ui::SpinEdit DateTolerance, TimeTolerance;
    ui::RadioButton NormalModeRadio, DuplicateModeRadio;
    ui::CheckBox LimitFoundCheck, ClearResultsCheck;
    ui::SpinEdit MaxFoundNum;
    ui::CheckBox DuplicateNameCheck, DuplicateSizeCheck, DuplicateDateCheck, DuplicateAttrCheck,
        DuplicateArchivesCheck;
    ui::Button BtnFind, BtnCancel, BtnNew, BtnClose;
    ui::StatusBar StatusBar;
    // Plays while a search runs.
    ui::Animate Animation;
    FoundListWin32 FoundList;
    SearchToolbarWin32 Toolbar;
    FoundPopupWin32 FoundListPopup;

private:
    bool AskDisableCriterion(SearchPage page, const std::string& caption, const std::string& text) override;

    bool duplicateMode() const { return DuplicateModeRadio.checked(); }
    void BuildControls();
    // The criteria pages and their controls.
    void BuildCriteriaPages();
    // What each page enables and shows, from its own fields.
    void UpdatePageStates();
    // Each name mode but File Type keeps its own text.
    void NameModeChanged();
    // Leaving a size field: 1.5 MB shows as 1536 KB.
    void SizeValueChange(ui::Edit& value, ui::ComboBox& units);
    void SetupSearchDialog();
    // Shows the pages of the switches that are on; a switch just clicked on
    // brings its page to the front with its first field focused.
    void SetupVisibleGroups(bool switchClicked = false);
    // The hit buttons always; with full also Find/Cancel, New Search and the mode buttons.
    void UpdateSearchButtons(bool full = true);
    void FoundListKeyDown(WORD& key, UINT shift);
    // Hits dragged onto the user list drop there while Add to User List is enabled.
    bool FoundListDropsOn(HWND target);
    void HelpPicked(ui::Control* control);
    // Shows the criteria area or the found area as the list's state says.
    void ShowLayoutParts();
    void MinMaxInfo(MINMAXINFO& info) const;
    void ShowSearchProgressBar();
    void HideSearchProgressBar();
    void PlaceSearchProgressBar();
    std::vector<ItemHead*> SelectedRecords() const;
    ItemHead* FocusedRecord() const;
    void UpdateScopeButtons();
    void ShowSearchProgress(const SearchProgress& progress);
    // Sizes the found list's automatic columns to what it shows, painting held.
    void SizeFoundColumns();
    void ShowIdleStatus();
    void SearchThreadDone();
    void ResetSearchPages();
    void GetRegisteredExtensions();
    void RestorePlacement();
    void SavePlacement();

    SearchFormServices services_;
    TResultList normal_{ResultSlot::Search};
    TResultList duplicates_{ResultSlot::Duplicates};
    CategoryLists categories_;
    // Filled the first time the File Type mode is chosen.
    std::vector<FileTypeEntry> fileTypes_;
    SearchSyncWin32 sync_;
    std::unique_ptr<SearchRun> run_;
    std::optional<SearchOutcome> outcome_;
    bool closing_ = false;
    // No layout while the controls are being made.
    bool creating_ = true;
    std::unique_ptr<ui::ProgressBar> progressBar_;
    bool firstHitShown_ = false;
    ui::ListenerRegistration doneListener_;
    std::unique_ptr<ui::WhatsThisMode> whatsThis_;
    std::uint8_t pendingRefresh_ = 0;
    bool refreshPosted_ = false;
    bool placementSaved_ = false;
    std::array<std::string, 4> nameTexts_;
    int lastNameMode_ = 0;
    // Which pages SetupVisibleGroups showed last, by Sheet.
    std::array<bool, 8> pageShown_{};
};

}  // namespace kv
