#include "search/window/SearchFormWin32.h"

#include <algorithm>
#include <cstdlib>

#include "controls/ListHelpers.h"
#include "controls/ListSort.h"
#include "base/Errors.h"
#include "search/results/ToolWindowWin32.h"
#include "search/window/RegisteredTypesWin32.h"
#include "search/window/SearchLayout.h"
#include "search/window/SearchPlacement.h"
#include "ui/Application.h"
#include "ui/PlaceControl.h"
#include "ui/SystemHelpers.h"
#include "ui/WaitForm.h"
#include "ui/WindowPlacement.h"

namespace kv {

namespace {

constexpr UINT kSearchDoneMessage = WM_APP + 0x52;
constexpr UINT kSearchRefreshMessage = WM_APP + 0x53;

constexpr std::uint16_t kDesignedListHeight = 240;
// The animation's help topic.
constexpr unsigned long kAnimationHelp = 28;

void placeAt(ui::Control& c, const LayoutBox& box) { c.setBounds(box.x, box.y, box.width, box.height); }

CalendarDay dayOf(const SYSTEMTIME& t) { return {t.wYear, t.wMonth, t.wDay}; }
TimeOfDay timeOf(const SYSTEMTIME& t) { return {t.wHour, t.wMinute, t.wSecond}; }

SYSTEMTIME systemTime(const CalendarDay& d, const TimeOfDay& t) {
    return ui::SystemTimeOf({d.year, d.month, d.day, t.hour, t.minute, t.second});
}

AttrState attrOf(const ui::CheckBox& box) {
    switch (box.state()) {
    case ui::CheckState::Checked: return AttrState::Checked;
    case ui::CheckState::Unchecked: return AttrState::Unchecked;
    default: return AttrState::Grayed;
    }
}

ui::CheckState checkOf(AttrState s) {
    switch (s) {
    case AttrState::Checked: return ui::CheckState::Checked;
    case AttrState::Unchecked: return ui::CheckState::Unchecked;
    default: return ui::CheckState::Grayed;
    }
}

}  // namespace

TSearchForm::TSearchForm(SearchFormServices services) : services_(std::move(services)) {
    setCaption("Search");
    setBounds(100, 100, 580, 590);
    createHandle();
    BuildControls();
    RestorePlacement();
    ResetSearchPages();
    creating_ = false;
    SetupSearchDialog();
    // The main window owns this one and destroys it first: the place and the
    // columns are kept while the handle still answers.
    onDestroy = [this](ui::Form&) {
        SavePlacement();
        if (services_.destroying)
            services_.destroying();
        placementSaved_ = true;
    };
    doneListener_ = addMessageListener([this](ui::Form&, UINT msg, WPARAM&, LPARAM& lp, LRESULT& result) {
        if (msg == WM_GETMINMAXINFO) {
            MinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lp));
        } else if (msg == kSearchRefreshMessage) {
            refreshPosted_ = false;
            UpdateSearchStatus();
        } else if (msg == kSearchDoneMessage) {
            SearchThreadDone();
        } else {
            return false;
        }
        result = 0;
        return true;
    });
}

TSearchForm::~TSearchForm() {
    closing_ = true;
    whatsThis_.reset();
    StopSearch();
    sync_.Cancel();
    run_.reset();
    if (!placementSaved_)
        SavePlacement();
}

void TSearchForm::RestorePlacement() {
    if (services_.placementKey.empty())
        return;
    std::int32_t extra = -1;
    try {
        RestoreFormPlacement(hwnd(), "SearchWndPos", extra, services_.placementKey);
    } catch (const EAbort&) {
        // Nothing stored yet: the designed place and heights stay.
        return;
    }
    const FoundListHeights heights = UnpackFoundListHeights(extra);
    normal_.listHeight = heights.normal;
    duplicates_.listHeight = heights.duplicates;
}

void TSearchForm::SavePlacement() {
    if (services_.placementKey.empty() || !hwnd())
        return;
    try {
        SaveFormPlacement(hwnd(), "SearchWndPos", PackFoundListHeights({normal_.listHeight, duplicates_.listHeight}),
                          services_.placementKey);
    } catch (const EAbort&) {
        // A key that cannot be written costs only the next start's placement.
    }
}

void TSearchForm::ShowLayoutParts() {
    const TResultList& list = CurrentResults();
    const bool shown = list.listShown;
    const bool maximized = shown && list.maximized;
    for (ui::Control* c : {static_cast<ui::Control*>(&Pages), static_cast<ui::Control*>(&BtnNew),
                           static_cast<ui::Control*>(&BtnClose)})
        c->setVisible(!maximized);
    Animation.setVisible(!maximized && SearchRunning());
    for (ui::Control* c : {static_cast<ui::Control*>(&Toolbar), static_cast<ui::Control*>(&FoundList.View()),
                           static_cast<ui::Control*>(&StatusBar)})
        c->setVisible(shown);
    UpdateSearchButtons();
}

void TSearchForm::UpdateFormLayout() {
    if (creating_ || !hwnd())
        return;
    ShowLayoutParts();
    const TResultList& list = CurrentResults();
    if (IsIconic(hwnd()) || IsZoomed(hwnd())) {
        FormResize();
        return;
    }
    const RECT client = clientRect();
    const int width = static_cast<int>(client.right - client.left);
    int height = kSearchCriteriaHeight;
    if (list.listShown && list.maximized)
        height = std::max<int>(client.bottom - client.top, SearchMinClientHeight(Toolbar.height(), StatusBar.height()));
    else if (list.listShown)
        height = SearchClientHeightFor(list.listHeight, Toolbar.height(), StatusBar.height());
    if (height != client.bottom - client.top)
        setClientSize(width, height);
    FormResize();
}

void TSearchForm::FormResize() {
    if (creating_ || !hwnd() || IsIconic(hwnd()))
        return;
    TResultList& list = CurrentResults();
    const bool shown = list.listShown;
    const RECT client = clientRect();
    const SearchLayout l =
        LayOutSearchWindow({static_cast<int>(client.right - client.left), static_cast<int>(client.bottom - client.top),
                            Toolbar.height(), Toolbar.RowWidth(), shown ? StatusBar.height() : 0, shown,
                            shown && list.maximized});
    placeAt(Pages, l.pages);
    placeAt(BtnFind, l.find);
    placeAt(BtnCancel, l.find);
    placeAt(BtnNew, l.newSearch);
    placeAt(BtnClose, l.close);
    placeAt(Animation, l.animation);
    placeAt(Toolbar, l.toolbar);
    placeAt(FoundList.View(), l.foundList);

    // Below the labels "By Categories:", "By Flags:" and the Limit page's.
    constexpr int kLabelRow = 22;
    const RECT page = Pages.page(CategorySheet).clientRect();
    const CategorySplit split =
        SplitCategoryPage(page.right - page.left, std::max(0, static_cast<int>(page.bottom - page.top) - kLabelRow));
    for (auto [list, box] : {std::pair{&CategoryList, split.categories}, std::pair{&FlagsList, split.flags}}) {
        box.y += kLabelRow;
        placeAt(*list, box);
    }
    CategoryLabel.setBounds(split.categories.x, 7, split.categories.width, 16);
    FlagsLabel.setBounds(split.flags.x, 7, split.flags.width, 16);
    // The scope tree fills the Limit page beside its two buttons.
    const RECT limit = Pages.page(LimitSheet).clientRect();
    const int buttonsX = std::max(130, static_cast<int>(limit.right) - 120);
    CatalogTree.View().setBounds(10, 10 + kLabelRow, buttonsX - 20,
                                 std::max(0, static_cast<int>(limit.bottom) - 20 - kLabelRow));
    IncludeBtn.setBounds(buttonsX, 10 + kLabelRow, 110, 26);
    ExcludeBtn.setBounds(buttonsX, 45 + kLabelRow, 110, 26);

    if (shown)
        list.listHeight = l.storedListHeight;
    PlaceSearchProgressBar();
}

void TSearchForm::MinMaxInfo(MINMAXINFO& info) const {
    // The frame around the client area, from the window's own styles.
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(hwnd(), GWL_EXSTYLE)));
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    info.ptMinTrackSize.x = SearchMinClientWidth(Toolbar.RowWidth()) + frameWidth;
    if (CurrentResults().listShown) {
        info.ptMinTrackSize.y = SearchMinClientHeight(Toolbar.height(), StatusBar.height()) + frameHeight;
    } else {
        info.ptMinTrackSize.y = info.ptMaxTrackSize.y = info.ptMaxSize.y = kSearchCriteriaHeight + frameHeight;
    }
}

void TSearchForm::SetButtons(int buttonSize, bool oldStyle) {
    Toolbar.SetButtons(buttonSize, oldStyle);
    UpdateFormLayout();
}

void TSearchForm::ShowSearchProgressBar() {
    if (progressBar_)
        return;
    StatusBar.setSimpleText("");
    StatusBar.setSimplePanel(true);
    // The grip goes first: changing it makes the bar's window anew.
    StatusBar.setSizeGrip(false);
    progressBar_ = std::make_unique<ui::ProgressBar>();
    progressBar_->setRange(0, 1000);
    progressBar_->setPosition(0);
    progressBar_->create(&StatusBar);
    PlaceSearchProgressBar();
}

void TSearchForm::HideSearchProgressBar() {
    if (!progressBar_)
        return;
    progressBar_.reset();
    StatusBar.setSimplePanel(false);
    StatusBar.setSizeGrip(true);
    FormResize();
}

void TSearchForm::PlaceSearchProgressBar() {
    if (!progressBar_)
        return;
    // From panel 0's right edge to 2 pixels short of the bar's right edge.
    const RECT r = StatusBar.clientRect();
    const int left = StatusBar.panelWidth(0);
    progressBar_->setBounds(left, 2, std::max(0, static_cast<int>(r.right) - 2 - left),
                            std::max(0, static_cast<int>(r.bottom) - 3));
}

void TSearchForm::BuildControls() {
    BuildCriteriaPages();

    ui::Put(BtnFind, *this, 5, 225, 90, 26, "&Find");
    ui::Put(BtnCancel, *this, 5, 225, 90, 26, "Cancel");
    ui::Put(BtnNew, *this, 100, 225, 90, 26, "&New Search");
    ui::Put(BtnClose, *this, 475, 225, 90, 26, "Close");
    BtnFind.onClick = [this](ui::Button&) { BtnFindClick(); };
    BtnCancel.onClick = [this](ui::Button&) { BtnCancelClick(); };
    BtnNew.onClick = [this](ui::Button&) { BtnNewClick(); };
    BtnClose.onClick = [this](ui::Button&) { hide(); };
    setCancelControl(&BtnClose);
    // Enter finds, except in the found list, where it runs the double-click action.
    setDefaultControl(&BtnFind);
    // A double click on the window's free area maximizes the found list or restores it.
    onDblClick = [this](ui::Control&) {
        if (CurrentResults().listShown)
            Toolbar.BtnMaximize().click();
    };
    onResize = [this](ui::Control&) { FormResize(); };
    Animation.setVisible(false);
    placeAt(Animation, LayOutSearchWindow({580, kSearchCriteriaHeight}).animation);
    Animation.create(this);
    // The system's find clip; where the system has none the window goes without.
    Animation.setCommonAvi(ui::CommonAvi::FindFile);

    StatusBar.setPanels({{"", 150}, {"", 250}, {"", 100}});
    StatusBar.setSizeGrip(true);
    StatusBar.create(this);
    StatusBar.onPanelClick = [this](ui::StatusBar&, int panel) {
        if (panel == 1)
            RunFoundAction(FoundAction::Properties);
    };
    StatusBar.onResize = [this](ui::Control&) {
        // Panel 1 takes what panels 0 and 2 leave.
        const RECT r = StatusBar.clientRect();
        StatusBar.setPanelWidth(1, std::max<int>(0, static_cast<int>(r.right - r.left) - StatusBar.panelWidth(0) -
                                                         StatusBar.panelWidth(2)));
        PlaceSearchProgressBar();
    };
    StatusBar.onResize(StatusBar);

    Toolbar.setBounds(5, kSearchCriteriaHeight, 560, 25);
    Toolbar.create(this);
    Toolbar.CreateButtons(services_.buttonSize, services_.oldButtons);
    Toolbar.onButton = [this](const SearchButton& info, ui::SpeedButton&) {
        if (info.viewStyle != 0) {
            static constexpr DWORD kStyles[] = {LVS_ICON, LVS_LIST, LVS_SMALLICON, LVS_REPORT};
            HWND view = FoundList.View().hwnd();
            const DWORD current = static_cast<DWORD>(GetWindowLongA(view, GWL_STYLE));
            SetWindowLongA(view, GWL_STYLE,
                           static_cast<LONG>((current & ~LVS_TYPEMASK) | kStyles[info.viewStyle - 1]));
        } else if (info.action != FoundAction::None) {
            RunFoundAction(info.action);
        } else if (std::string_view(info.name) == "BtnStayOnTop") {
            BtnStayOnTopClick();
        } else if (std::string_view(info.name) == "BtnMaximize") {
            BtnMaximizeClick();
        } else if (std::string_view(info.name) == "BtnHelp") {
            BtnHelpClick();
        }
    };

    normal_.listHeight = duplicates_.listHeight = kDesignedListHeight;
    FoundList.View().setBounds(5, kSearchCriteriaHeight + Toolbar.height() + kFoundListGap, 560, kDesignedListHeight);
    FoundList.Create(*this, {&ui::Application::instance().prompt(), services_.locator, [this] { return !SearchRunning(); },
                             [this] {
                                 UpdateSearchButtons();
                                 ShowIdleStatus();
                             },
                             services_.columnsSetup, [this](HWND target) { return FoundListDropsOn(target); },
                             [this](HWND) { RunFoundAction(FoundAction::AddList); }});
    ui::TExtListView& view = FoundList.View();
    view.OnItemActivate = [this](ui::TExtListView&) { FoundListDblClick(); };
    view.onEnter = [this](ui::Control&) { setDefaultControl(nullptr); };
    view.onExit = [this](ui::Control&) { setDefaultControl(&BtnFind); };
    view.onKeyDown = [this](ui::Control&, WORD& key, UINT shift) { FoundListKeyDown(key, shift); };
    // The menu key's release would ask for the popup once more, at the list's corner.
    view.onKeyUp = [](ui::Control&, WORD& key, UINT) {
        if (key == VK_APPS)
            key = 0;
    };
    view.OnChange = [this](ui::TCustomEnhListView&, int) { SetPendingRefresh(1); };
    // A range selected at once comes as one state change of the owner-data list.
    view.OnVMStateChanged = [this](ui::TExtListView&, NMLVODSTATECHANGE&) { SetPendingRefresh(1); };
    FoundListPopup.Create(Toolbar, [this](FoundAction action) { RunFoundAction(action); });
    FoundListPopup.Menu().OnPopup = [this](ui::PopupMenu&) { PrepareFoundListPopup(); };
    view.popupMenu = &FoundListPopup.Menu();
}

void TSearchForm::ResetSearchPages() {
    nameTexts_ = {};
    SearchFormValues v;
    SYSTEMTIME today{};
    GetLocalTime(&today);
    v.date1 = v.date2 = dayOf(today);
    SetValues(v);
    NormalModeRadio.setChecked(true);
    ClearResultsCheck.setChecked(true);
    Pages.setActivePage(MainSheet);
}

SearchFormValues TSearchForm::Values() const {
    SearchFormValues v;
    v.duplicateMode = DuplicateModeRadio.checked();
    v.byName = ByNameCheck.checked();
    v.nameMode = static_cast<NameMode>(std::clamp(NameCombo.itemIndex(), 0, 4));
    v.nameText = NameEdit.text();
    v.nameCaseSensitive = FileCaseCheck.checked();
    const int type = FileTypeCombo.itemIndex();
    if (type > 0 && static_cast<std::size_t>(type) < fileTypes_.size())
        v.fileTypePattern = fileTypes_[static_cast<std::size_t>(type)].pattern;
    v.attributes = {attrOf(AttrArchiveCheck), attrOf(AttrHiddenCheck), attrOf(AttrSystemCheck),
                    attrOf(AttrReadOnlyCheck)};
    v.byDescription = ByDescCheck.checked();
    v.descriptionMode = DescCheck1.checked()   ? DescriptionMode::Any
                        : DescCheck3.checked() ? DescriptionMode::None
                                               : DescriptionMode::Text;
    v.descriptionText = DescEdit.text();
    v.descriptionCaseSensitive = DescCaseCheck.checked();
    v.byCategory = ByCategoryCheck.checked();
    const CategoryChoice choice = categories_.Choice();
    v.withoutCategoryChecked = choice.withoutCategory;
    v.checkedCategories = choice.categories;
    v.checkedFlags = choice.flags;
    v.bySize = BySizeCheck.checked();
    v.sizeRelation = static_cast<SizeRelation>(std::clamp(SizeCombo.itemIndex(), 0, 5));
    v.size1 = {SizeValue1.text(), SizeUnits1.itemIndex()};
    v.size2 = {SizeValue2.text(), SizeUnits2.itemIndex()};
    v.sizeTolerance = {SizeValue3.text(), SizeUnits3.itemIndex()};
    v.sizeAllowTolerance = SizeAllowTolerance.checked();
    v.byDate = ByDateCheck.checked();
    v.dateField = static_cast<DateField>(std::clamp(DateCombo1.itemIndex(), 0, 3));
    v.dateRelation = static_cast<WhenRelation>(std::clamp(DateCombo2.itemIndex(), 0, 4));
    // The pickers' own values: no date format of the program is touched.
    v.date1 = dayOf(DatePicker1.time());
    v.date2 = dayOf(DatePicker2.time());
    v.dateAllowTolerance = DateAllowTolerance.checked();
    v.dateToleranceDays = DateTolerance.value();
    v.timeField = static_cast<TimeField>(std::clamp(TimeCombo1.itemIndex(), 0, 2));
    v.timeRelation = static_cast<WhenRelation>(std::clamp(TimeCombo2.itemIndex(), 0, 4));
    v.time1 = timeOf(TimePicker1.time());
    v.time2 = timeOf(TimePicker2.time());
    v.timeAllowTolerance = TimeAllowTolerance.checked();
    v.timeToleranceMinutes = TimeTolerance.value();
    v.matchAny = SearchTypeCombo.itemIndex() == 1;
    v.limitFound = LimitFoundCheck.checked();
    v.maxFound = MaxFoundNum.value();
    v.searchFiles = SearchForFiles.checked();
    v.searchFolders = SearchForFolders.checked();
    v.searchDisks = SearchForDisks.checked();
    v.includeArchiveContents = !SearchForCompressed.checked();
    v.dupName = DuplicateNameCheck.checked();
    v.dupSize = DuplicateSizeCheck.checked();
    v.dupDate = DuplicateDateCheck.checked();
    v.dupAttributes = DuplicateAttrCheck.checked();
    v.dupSkipArchiveContents = DuplicateArchivesCheck.checked();
    return v;
}

void TSearchForm::SetValues(const SearchFormValues& v) {
    ByNameCheck.setChecked(v.byName);
    NameCombo.setItemIndex(static_cast<int>(v.nameMode));
    NameEdit.setText(v.nameText);
    lastNameMode_ = static_cast<int>(v.nameMode);
    FileCaseCheck.setChecked(v.nameCaseSensitive);
    AttrArchiveCheck.setState(checkOf(v.attributes[0]));
    AttrHiddenCheck.setState(checkOf(v.attributes[1]));
    AttrSystemCheck.setState(checkOf(v.attributes[2]));
    AttrReadOnlyCheck.setState(checkOf(v.attributes[3]));
    ByDescCheck.setChecked(v.byDescription);
    DescCheck1.setChecked(v.descriptionMode == DescriptionMode::Any);
    DescCheck2.setChecked(v.descriptionMode == DescriptionMode::Text);
    DescCheck3.setChecked(v.descriptionMode == DescriptionMode::None);
    DescEdit.setText(v.descriptionText);
    DescCaseCheck.setChecked(v.descriptionCaseSensitive);
    ByCategoryCheck.setChecked(v.byCategory);
    BySizeCheck.setChecked(v.bySize);
    SizeCombo.setItemIndex(static_cast<int>(v.sizeRelation));
    SizeValue1.setText(v.size1.text);
    SizeUnits1.setItemIndex(v.size1.unit);
    SizeValue2.setText(v.size2.text);
    SizeUnits2.setItemIndex(v.size2.unit);
    SizeValue3.setText(v.sizeTolerance.text);
    SizeUnits3.setItemIndex(v.sizeTolerance.unit);
    SizeAllowTolerance.setChecked(v.sizeAllowTolerance);
    ByDateCheck.setChecked(v.byDate);
    DateCombo1.setItemIndex(static_cast<int>(v.dateField));
    DateCombo2.setItemIndex(static_cast<int>(v.dateRelation));
    DatePicker1.setTime(systemTime(v.date1, {}));
    DatePicker2.setTime(systemTime(v.date2, {}));
    DateAllowTolerance.setChecked(v.dateAllowTolerance);
    DateTolerance.setText(std::to_string(v.dateToleranceDays));
    TimeCombo1.setItemIndex(static_cast<int>(v.timeField));
    TimeCombo2.setItemIndex(static_cast<int>(v.timeRelation));
    TimePicker1.setTime(systemTime(v.date1, v.time1));
    TimePicker2.setTime(systemTime(v.date1, v.time2));
    TimeAllowTolerance.setChecked(v.timeAllowTolerance);
    TimeTolerance.setText(std::to_string(v.timeToleranceMinutes));
    SearchTypeCombo.setItemIndex(v.matchAny ? 1 : 0);
    LimitFoundCheck.setChecked(v.limitFound);
    if (v.maxFound > 0)
        MaxFoundNum.setText(std::to_string(v.maxFound));
    SearchForFiles.setChecked(v.searchFiles);
    SearchForFolders.setChecked(v.searchFolders);
    SearchForDisks.setChecked(v.searchDisks);
    SearchForCompressed.setChecked(!v.includeArchiveContents);
    DuplicateNameCheck.setChecked(v.dupName);
    DuplicateSizeCheck.setChecked(v.dupSize);
    DuplicateDateCheck.setChecked(v.dupDate);
    DuplicateAttrCheck.setChecked(v.dupAttributes);
    DuplicateArchivesCheck.setChecked(v.dupSkipArchiveContents);
    SetupVisibleGroups();
}

void TSearchForm::GetRegisteredExtensions() {
    ui::ScopedHourglass hourglass;
    // The classes root can be large: the progress window says what happens (no bar, no Cancel).
    const bool ownsWait = ui::WaitForm::current() == nullptr;
    ui::WaitForm& wait = ui::ShowWaitWindow("Scanning for registered file types...", false, false);
    wait.show();
    ui::Application::instance().processMessages();
    try {
        fileTypes_ = MergeRegisteredExtensions(ReadRegisteredExtensions(services_.classesRoot));
    } catch (...) {
        if (ownsWait)
            ui::CloseWaitWindow();
        throw;
    }
    if (ownsWait)
        ui::CloseWaitWindow();
    std::vector<std::string> names;
    for (const FileTypeEntry& t : fileTypes_)
        names.push_back(t.description);
    FileTypeCombo.setItems(names);
    FileTypeCombo.setItemIndex(-1);
}

void TSearchForm::CreateCategoryList() {
    if (SearchRunning())
        return;
    categories_.categories.clear();
    for (int i = 0; i < CategoryList.count(); ++i)
        categories_.categories.push_back({CategoryList.item(i).text, CategoryList.checked(i)});
    categories_.flags.clear();
    for (int i = 0; i < FlagsList.count(); ++i)
        categories_.flags.push_back({FlagsList.item(i).text, FlagsList.checked(i)});
    kv::CreateCategoryList(categories_, services_.forest);
    CategoryList.clear();
    for (const CheckEntry& e : categories_.categories)
        CategoryList.setChecked(CategoryList.add(e.name), e.checked);
    FlagsList.clear();
    for (const CheckEntry& e : categories_.flags)
        FlagsList.setChecked(FlagsList.add(e.name), e.checked);
    const bool any = !categories_.categories.empty() || !categories_.flags.empty();
    ByCategoryCheck.setEnabled(any);
    if (!any)
        ByCategoryCheck.setChecked(false);
    CategoryList.onClickCheck = [this](ui::CheckListBox&, int i) {
        if (i < static_cast<int>(categories_.categories.size()))
            categories_.categories[static_cast<std::size_t>(i)].checked = CategoryList.checked(i);
    };
    FlagsList.onClickCheck = [this](ui::CheckListBox&, int i) {
        if (i < static_cast<int>(categories_.flags.size()))
            categories_.flags[static_cast<std::size_t>(i)].checked = FlagsList.checked(i);
    };
    SetupVisibleGroups();
}

void TSearchForm::SetupSearchDialog() {
    const bool dup = duplicateMode();
    setCaption(dup ? "Duplicates Search" : "Search");
    ByNameCheck.setText(dup ? "Search Duplicates by &Name" : "Search by &Name or Attributes");
    Pages.setPageCaption(SettingsSheet, dup ? "Duplicates Settings" : "Search Settings");
    ClearResultsCheck.setEnabled(!dup);
    for (ui::CheckBox* c : {&ByDescCheck, &ByCategoryCheck, &BySizeCheck, &ByDateCheck})
        c->setVisible(!dup);
    ByDuplicatesLabel.setVisible(dup);
    FoundList.SetList(&CurrentResults());
    Toolbar.BtnMaximize().setDown(CurrentResults().maximized);
    UpdateFormLayout();
    SetupVisibleGroups();
    ShowIdleStatus();
}

void TSearchForm::UpdateScopeButtons() {
    IncludeBtn.setEnabled(!SearchRunning() && CatalogTree.Model().CanInclude());
    ExcludeBtn.setEnabled(!SearchRunning() && CatalogTree.Model().CanExclude());
}

void TSearchForm::UpdateSearchButtons(bool full) {
    EnableActionButtons(SearchToolbarButtons(), FoundButtonStates(), full,
                        [this](FoundAction action) { return Toolbar.Button(action); });
    if (!full)
        return;
    const bool running = SearchRunning();
    const bool maximized = CurrentResults().listShown && CurrentResults().maximized;
    BtnFind.setVisible(!running && !maximized);
    BtnCancel.setVisible(running && !maximized);
    const bool anyGroup = ByNameCheck.checked() || ByDescCheck.checked() || ByCategoryCheck.checked() ||
                          BySizeCheck.checked() || ByDateCheck.checked();
    const bool anyKind = SearchForFiles.checked() || SearchForFolders.checked() || SearchForDisks.checked();
    BtnFind.setEnabled(!running && (duplicateMode() || (anyGroup && anyKind)));
    BtnNew.setEnabled(!running);
    NormalModeRadio.setEnabled(!running || !duplicateMode());
    DuplicateModeRadio.setEnabled(!running || duplicateMode());
}

bool TSearchForm::AskDisableCriterion(SearchPage page, const std::string& caption, const std::string& text) {
    static constexpr Sheet kSheets[] = {NameSheet, DescSheet, SizeSheet, DateSheet};
    const Sheet sheet = kSheets[static_cast<int>(page)];
    Pages.setPageVisible(sheet, true);
    Pages.setActivePage(sheet);
    // The field the question is about has the focus when the answer is No.
    const bool fileType = FileTypeCombo.visible();
    ui::Control* const fields[] = {fileType ? static_cast<ui::Control*>(&FileTypeCombo) : &NameEdit, &DescEdit,
                                   &SizeCombo, &DateCombo1};
    if (ui::Control* field = fields[static_cast<int>(page)]; field->hwnd() && IsWindowVisible(hwnd()))
        field->setFocus();
    return ui::Application::instance().prompt().ask(
               {text, caption, ui::PromptButtons::YesNo, ui::PromptIcon::Stop}) == ui::PromptAnswer::Yes;
}

void TSearchForm::BtnFindClick() {
    // A run beside a sort would renumber index words the worker reads.
    if (SearchRunning() || FoundList.Sorting())
        return;
    SearchFormValues v = Values();
    const bool accepted = ValidateSearchFields(v, *this);
    SetValues(v);
    if (!accepted)
        return;
    ui::UserPrompt& prompt = ui::Application::instance().prompt();
    if (!BtnFind.enabled()) {
        prompt.showInformation("There is no criteria left to search by.", "No criteria defined");
        return;
    }
    if (v.duplicateMode && !(v.dupName || v.dupSize || v.dupDate || v.dupAttributes)) {
        prompt.ask({"Please select at least one criteria for duplicate files.", "Error", ui::PromptButtons::Ok,
                    ui::PromptIcon::Warning});
        return;
    }
    if (!v.duplicateMode && ClearResultsCheck.checked())
        FoundList.BtnClearClick(false);
    TSearchCriteria criteria = CompileSearchCriteria(v);
    if (!v.duplicateMode && !criteria.matchable)
        return;
    TResultList& list = CurrentResults();
    list.sortColumn = TResultList::kUnsorted;
    list.sortDescending = false;
    const CategoryChoice choice{v.withoutCategoryChecked, v.checkedCategories, v.checkedFlags};
    const bool limited = ShowLimitCheck.checked();
    if (!limited)
        CatalogTree.EnableEntireCatalogTree();
    SearchScope scope = CaptureSearchScope(services_.forest, limited, choice,
                                           {criteria.searchFiles, criteria.searchFolders, criteria.searchDisks});
    SearchHostServices host{sync_, list, services_.shownNode,
                            [this](const SearchProgress& p) { ShowSearchProgress(p); },
                            [] {
                                return ui::Application::instance().prompt().ask(
                                           {std::string(kSortHaltedText), std::string(kSortHaltedCaption),
                                            ui::PromptButtons::YesNo, ui::PromptIcon::Question}) ==
                                       ui::PromptAnswer::Yes;
                            },
                            services_.escPressed ? services_.escPressed
                                                 : [] { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; },
                            // A damaged list the walk reads is reported, and the run goes on.
                            &ui::Application::instance().prompt()};
    const bool archivesAsFiles = !services_.archivesAsFiles || services_.archivesAsFiles();
    outcome_.reset();
    firstHitShown_ = false;
    // Nothing is left half-started: a failing start leaves the window idle.
    try {
        run_ = std::make_unique<SearchRun>(std::move(criteria), std::move(scope), std::move(host), archivesAsFiles);
        HWND form = hwnd();
        run_->Start([form](const SearchOutcome&) { PostMessageA(form, kSearchDoneMessage, 0, 0); });
    } catch (...) {
        run_.reset();
        UpdateSearchButtons();
        throw;
    }
    Animation.setActive(true);
    if (!list.listShown) {
        list.listShown = true;
        UpdateFormLayout();
    } else {
        ShowLayoutParts();
    }
    ShowSearchProgressBar();
    UpdateScopeButtons();
    if (services_.updateCommands)
        services_.updateCommands();
    FoundList.View().setFocus();
}

void TSearchForm::BtnCancelClick() {
    if (run_)
        run_->RequestStop();
}

void TSearchForm::BtnNewClick() {
    if (SearchRunning() || FoundList.Sorting())
        return;
    ResetSearchPages();
    FoundList.BtnClearClick(false);
    CurrentResults().listShown = false;
    SetupSearchDialog();
}

bool TSearchForm::StopSearch(std::chrono::milliseconds timeout) {
    if (!run_)
        return true;
    run_->RequestStop();
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    // A close straight from the outermost loop is a safe point: the worker's
    // calls (list loads among them) are served here. A close inside a modal
    // loop or a nested pump could find a reader half-done: the calls wait, and
    // the run cannot end in time.
    const bool serve = ui::Application::instance().atOuterLevel();
    while (!run_->WaitFor(std::chrono::milliseconds(10))) {
        if (serve)
            sync_.RunPending();
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
    }
    SearchThreadDone();
    return true;
}

void TSearchForm::SizeFoundColumns() {
    ui::NestedLockWindowUpdate(hwnd());
    ui::AutoSizeListColumns(FoundList.View());
    ui::NestedLockWindowUpdate(nullptr);
}

void TSearchForm::ShowSearchProgress(const SearchProgress& p) {
    const bool wasEmpty = FoundList.View().ItemCount() == 0;
    FoundList.SyncRowCount();
    if (wasEmpty && FoundList.View().ItemCount() > 0)
        SizeFoundColumns();
    // Once per run, the first hit becomes the focused and only selected row.
    if (!firstHitShown_ && run_ && run_->Host().FirstHit() >= 0) {
        firstHitShown_ = true;
        FoundList.View().ClearRowStates();
        FoundList.Focus(static_cast<std::size_t>(run_->Host().FirstHit()));
    }
    std::string text;
    if (p.phase == SearchPhase::Walking)
        text = "Checked " + std::to_string(p.checked) + " items, found " + std::to_string(p.found) + "...";
    else if (p.phase == SearchPhase::Collecting)
        text = "Collecting all items: " + std::to_string(p.found);
    else
        text = "Duplicates: " + std::to_string(p.found) + " of " + std::to_string(p.checked);
    StatusBar.setSimpleText(text);
    // 64-bit, clamped: no overflow past two million items, no division by zero.
    const std::int64_t position = p.total > 0 ? std::clamp<std::int64_t>(p.checked * 1000 / p.total, 0, 1000) : 0;
    if (progressBar_)
        progressBar_->setPosition(static_cast<int>(position));
    SetPendingRefresh(1);
}

void TSearchForm::ResultListRenumbered(ResultSlot slot) {
    // The other mode's list is shown afresh when the mode switches back.
    if (FoundList.List() != (slot == ResultSlot::Duplicates ? &duplicates_ : &normal_))
        return;
    // Rows moved up over the freed ones: the marks would now mark other records.
    FoundList.View().ClearRowStates();
    FoundList.SyncRowCount();
    InvalidateRect(FoundList.View().hwnd(), nullptr, TRUE);
    UpdateSearchButtons();
    ShowIdleStatus();
}

void TSearchForm::ShowIdleStatus() {
    StatusBar.setPanelText(0, "Items in list: " + std::to_string(CurrentResults().Count()));
    const ItemHead* focused = FocusedRecord();
    StatusBar.setPanelText(1, focused && services_.itemSummary ? services_.itemSummary(*focused) : "");
    std::string totals;
    if (services_.listTotals) {
        const std::vector<ItemHead*> selected = SelectedRecords();
        totals = selected.empty() ? services_.listTotals(CurrentResults().Items(), false)
                                  : services_.listTotals(selected, true);
    }
    StatusBar.setPanelText(2, totals);
}

void TSearchForm::SearchThreadDone() {
    if (!run_)
        return;
    run_->Join();
    outcome_ = run_->Outcome();
    run_.reset();
    FoundList.SyncRowCount();
    SizeFoundColumns();
    if (!FoundList.FocusedRow() && CurrentResults().Count() > 0) {
        LVITEMA state{};
        state.stateMask = state.state = LVIS_FOCUSED;
        SendMessageA(FoundList.View().hwnd(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    }
    Animation.setActive(false);
    ShowLayoutParts();
    HideSearchProgressBar();
    ShowIdleStatus();
    // Catalogs could not open or close during the run; the stored choice shows again.
    CatalogTree.CreateCatalogTree(services_.forest);
    UpdateScopeButtons();
    CreateCategoryList();
    if (services_.updateCommands)
        services_.updateCommands();
    if (closing_)
        return;
    ui::UserPrompt& prompt = ui::Application::instance().prompt();
    if (outcome_->error) {
        std::string what = "unknown error";
        try {
            std::rethrow_exception(outcome_->error);
        } catch (const std::exception& e) {
            what = e.what();
        } catch (...) {
        }
        prompt.showError("The search stopped because of an error: " + what);
    } else if (outcome_->found == 0 && !outcome_->stopped) {
        prompt.showInformation("Sorry, no items were found to match your criteria.", "No hits");
    }
}

void TSearchForm::BtnMaximizeClick() {
    CurrentResults().maximized = Toolbar.BtnMaximize().down();
    ShowLayoutParts();
    FormResize();
}

void TSearchForm::BtnStayOnTopClick() { setStayOnTop(Toolbar.BtnStayOnTop().down()); }

void TSearchForm::BtnHelpClick() {
    if (!whatsThis_) {
        whatsThis_ = std::make_unique<ui::WhatsThisMode>(*this);
        whatsThis_->onEnd = [this](ui::WhatsThisMode&) { Toolbar.BtnHelp().setDown(false); };
        whatsThis_->onPick = [this](ui::WhatsThisMode&, ui::Control* control, POINT) { HelpPicked(control); };
    }
    if (whatsThis_->active())
        return;
    Toolbar.BtnHelp().setDown(true);
    whatsThis_->start();
}

// A control's own help context shows as a pop-up, the window's as a topic;
// the toolbar's buttons have topics of their own.
void TSearchForm::HelpPicked(ui::Control* control) {
    if (!control)
        return;
    ui::Application& app = ui::Application::instance();
    if (control == this) {
        if (helpContext != 0)
            app.helpContext(hwnd(), helpContext);
    } else if (control->helpContext != 0) {
        app.helpContext(hwnd(), control->helpContext, true);
    } else if (control == &Animation) {
        app.helpContext(hwnd(), kAnimationHelp);
    } else if (dynamic_cast<ui::SpeedButton*>(control)) {
        if (const unsigned long topic = SearchButtonHelpContext(control->Name))
            app.helpContext(hwnd(), topic);
    }
}

void TSearchForm::SetPendingRefresh(std::uint8_t level) {
    pendingRefresh_ = std::max(pendingRefresh_, level);
    if (!refreshPosted_ && hwnd()) {
        refreshPosted_ = true;
        PostMessageA(hwnd(), kSearchRefreshMessage, 0, 0);
    }
}

void TSearchForm::UpdateSearchStatus() {
    UpdateSearchButtons(pendingRefresh_ == 2);
    if (!SearchRunning())
        ShowIdleStatus();
    pendingRefresh_ = 0;
}

}  // namespace kv
