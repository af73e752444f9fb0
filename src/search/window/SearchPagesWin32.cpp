// The search window's criteria pages: their controls and labels, and the rules
// by which each page shows and enables its fields.
#include "search/window/SearchFormWin32.h"

#include <algorithm>
#include <string>

#include "ui/PlaceControl.h"

namespace kv {

namespace {

const std::vector<std::string> kUnits = {"Bytes", "KB", "MB", "GB"};

constexpr const char* kNameLabels[] = {"Search for:", "File Mask:", "File Name:", "Extension:", "File Type:"};

void label(ui::Label& l, ui::Control& parent, const std::string& text, int x, int y, int w) {
    ui::Put(l, parent, x, y + 3, w, 16, text);
}

bool hasSecondBound(int relationIndex, int first) { return relationIndex >= first; }

}  // namespace

void TSearchForm::BuildCriteriaPages() {
    ui::Put(Pages, *this, 5, 5, 560, 215);
    Pages.setTabStyles(TCS_MULTILINE);
    Pages.onChange = [this](ui::PageControl&) {
        // Leaving a page normalises what it holds, as Find does.
        SearchFormValues v = Values();
        NormalizeSearchValues(v);
        SetValues(v);
    };
    ui::Panel& main = Pages.addPage("What to Search for");
    ui::Panel& name = Pages.addPage("by Name or Type");
    ui::Panel& desc = Pages.addPage("by Description");
    ui::Panel& category = Pages.addPage("by Category");
    ui::Panel& size = Pages.addPage("by Item Size");
    ui::Panel& date = Pages.addPage("by Item Date");
    ui::Panel& limit = Pages.addPage("Limit Search");
    ui::Panel& settings = Pages.addPage("Search Settings");

    ui::Put(GroupsBox, main, 5, 2, 265, 135, " Check groups to search by: ");
    auto groupSwitch = [this, &main](ui::CheckBox& box, const char* caption, int y) {
        ui::Put(box, main, 15, y, 245, 20, caption);
        box.onClick = [this](ui::CheckBox&) { SetupVisibleGroups(true); };
    };
    groupSwitch(ByNameCheck, "Search by &Name or Attributes", 20);
    groupSwitch(ByDescCheck, "Search by &Description", 42);
    groupSwitch(ByCategoryCheck, "Search by &Categories", 64);
    groupSwitch(BySizeCheck, "Search by &Size", 86);
    groupSwitch(ByDateCheck, "Search by Date and &Time", 108);
    ui::Put(ByDuplicatesLabel, main, 15, 45, 245, 50, "Duplicates are searched for among the items whose name fits.");
    ui::Put(SearchForFiles, main, 285, 5, 120, 20, "&Files");
    ui::Put(SearchForFolders, main, 285, 27, 120, 20, "F&olders");
    ui::Put(SearchForDisks, main, 285, 49, 120, 20, "Dis&ks");
    ui::Put(SearchForCompressed, main, 285, 71, 120, 20, "Do not search for");
    // 18 pixels right of the box's text.
    label(SearchCompLabel, main, "items inside archive files", 285 + 18 + 104, 71, 150);
    auto kindSwitch = [this](ui::CheckBox& box) { box.onClick = [this](ui::CheckBox&) { UpdatePageStates(); }; };
    kindSwitch(SearchForFiles);
    kindSwitch(SearchForFolders);
    kindSwitch(SearchForDisks);
    ui::Put(ShowLimitCheck, main, 285, 95, 260, 20, "&Limit search to specific disks");
    ui::Put(ShowSettingsCheck, main, 285, 117, 260, 20, "Show &Advanced Search Settings");
    ui::Put(ClearResultsCheck, main, 15, 142, 300, 20, "Clear &previous search results");
    for (ui::CheckBox* box : {&ShowLimitCheck, &ShowSettingsCheck})
        box->onClick = [this](ui::CheckBox&) { SetupVisibleGroups(true); };

    ui::PutCombo(NameCombo, name, 10, 10, 200, 200,
                 {"Part of Filename", "File Mask (wildcards)", "Exact Filename", "File Extension", "File Type"});
    NameCombo.onChange = [this](ui::ComboBox&) {
        NameModeChanged();
        SetupVisibleGroups();
    };
    label(NameEditLabel, name, kNameLabels[0], 10, 40, 80);
    ui::Put(NameEdit, name, 95, 40, 250, 22);
    ui::Put(FileTypeCombo, name, 95, 40, 250, 300);
    FileTypeCombo.onChange = [this](ui::ComboBox&) {
        if (FileTypeCombo.itemIndex() == 0)
            FileTypeCombo.setItemIndex(-1);
    };
    ui::Put(FileCaseCheck, name, 355, 40, 180, 20, "Case sensitive search");
    label(AttrLabel, name, "Attributes:", 10, 80, 80);
    int x = 95;
    for (auto [box, caption] : {std::pair{&AttrArchiveCheck, "Archive"}, std::pair{&AttrHiddenCheck, "Hidden"},
                                std::pair{&AttrSystemCheck, "System"}, std::pair{&AttrReadOnlyCheck, "Read-only"}}) {
        box->setAllowGrayed(true);
        ui::Put(*box, name, x, 80, 95, 20, caption);
        x += 105;
    }

    ui::Put(DescCheck1, desc, 10, 10, 400, 20, "Find items with any description");
    ui::Put(DescCheck2, desc, 10, 32, 400, 20, "Find items with the folowing text in description:");
    ui::Put(DescCheck3, desc, 10, 54, 400, 20, "Find items without description");
    for (ui::RadioButton* radio : {&DescCheck1, &DescCheck2, &DescCheck3})
        radio->onClick = [this](ui::RadioButton&) {
            UpdatePageStates();
            if (DescCheck2.checked() && Pages.activePage() == DescSheet)
                DescEdit.setFocus();
        };
    ui::Put(DescEdit, desc, 30, 80, 330, 22);
    ui::Put(DescCaseCheck, desc, 370, 80, 170, 20, "Case sensitive search");

    label(CategoryLabel, category, "By Categories:", 10, 4, 200);
    label(FlagsLabel, category, "By Flags:", 340, 4, 150);
    ui::Put(CategoryList, category, 10, 26, 320, 115);
    ui::Put(FlagsList, category, 340, 26, 200, 115);

    ui::PutCombo(SizeCombo, size, 10, 10, 120, 200,
                 {"(none)", "Equal To", "Smaller Than", "Larger Than", "Between", "Not Between"});
    SizeCombo.onChange = [this](ui::ComboBox&) {
        if (SizeCombo.itemIndex() == 0)
            SizeCombo.setItemIndex(-1);
        SetupVisibleGroups();
    };
    ui::Put(SizeValue1, size, 140, 10, 90, 22, "0");
    ui::PutCombo(SizeUnits1, size, 235, 10, 65, 200, kUnits);
    label(SizeAndLabel, size, "and", 308, 10, 25);
    ui::Put(SizeValue2, size, 338, 10, 90, 22, "0");
    ui::PutCombo(SizeUnits2, size, 433, 10, 65, 200, kUnits);
    for (ui::Edit* value : {&SizeValue1, &SizeValue2, &SizeValue3})
        value->setMaxLength(9);
    SizeValue1.onExit = [this](ui::Control&) { SizeValueChange(SizeValue1, SizeUnits1); };
    SizeValue2.onExit = [this](ui::Control&) { SizeValueChange(SizeValue2, SizeUnits2); };
    ui::Put(SizeAllowTolerance, size, 10, 45, 125, 20, "Allow tolerance of");
    SizeAllowTolerance.onClick = [this](ui::CheckBox&) { UpdatePageStates(); };
    ui::Put(SizeValue3, size, 140, 45, 90, 22, "0");
    std::vector<std::string> toleranceUnits = kUnits;
    toleranceUnits.push_back("TB");
    ui::PutCombo(SizeUnits3, size, 235, 45, 65, 200, toleranceUnits);

    // The date row and the time row: what, how, one or two values, a tolerance.
    struct WhenRow {
        ui::Label& caption;
        ui::ComboBox& what;
        std::vector<std::string> fields;
        ui::ComboBox& how;
        std::vector<std::string> relations;
        ui::DateTimePicker& first;
        ui::Label& andLabel;
        ui::DateTimePicker& second;
        ui::CheckBox& allow;
        ui::SpinEdit& tolerance;
        int maxTolerance;
        ui::Label& unit;
    };
    auto whenRow = [&date](const WhenRow& r, const char* caption, const char* unit, int y) {
        label(r.caption, date, caption, 10, y, 120);
        ui::PutCombo(r.what, date, 10, y + 20, 100, 200, r.fields);
        ui::PutCombo(r.how, date, 115, y + 20, 100, 200, r.relations);
        ui::Put(r.first, date, 220, y + 20, 120, 22);
        label(r.andLabel, date, "and", 345, y + 20, 25);
        ui::Put(r.second, date, 375, y + 20, 120, 22);
        ui::Put(r.allow, date, 115, y + 47, 130, 20, "Allow tolerance of");
        r.tolerance.setDigitsOnly(true);
        r.tolerance.setMaxLength(static_cast<int>(std::to_string(r.maxTolerance).size()));
        r.tolerance.setRange(0, r.maxTolerance);
        ui::Put(r.tolerance, date, 250, y + 47, 50, 22, "0");
        label(r.unit, date, unit, 305, y + 47, 60);
    };
    whenRow({DateLabel, DateCombo1, {"(none)", "Created", "Modified", "Accessed"}, DateCombo2,
             {"On", "Before", "After", "Between", "Not Between"}, DatePicker1, DateAndLabel, DatePicker2,
             DateAllowTolerance, DateTolerance, 99, DaysLabel},
            "By File Date:", "days.", 5);
    whenRow({TimeLabel, TimeCombo1, {"(none)", "Created", "Modified"}, TimeCombo2,
             {"At", "Before", "After", "Between", "Not Between"}, TimePicker1, TimeAndLabel, TimePicker2,
             TimeAllowTolerance, TimeTolerance, 999, MinutesLabel},
            "By File Time:", "minutes.", 80);
    for (ui::ComboBox* c : {&DateCombo1, &DateCombo2, &TimeCombo1, &TimeCombo2})
        c->onChange = [this, c](ui::ComboBox&) {
            if ((c == &DateCombo1 || c == &TimeCombo1) && c->itemIndex() == 0)
                c->setItemIndex(-1);
            SetupVisibleGroups();
        };
    for (ui::CheckBox* box : {&DateAllowTolerance, &TimeAllowTolerance})
        box->onClick = [this](ui::CheckBox&) { UpdatePageStates(); };

    label(LimitLabel, limit, "Search only in selected catalogs:", 10, 4, 300);
    CatalogTree.View().setBounds(10, 26, 400, 115);
    CatalogTree.Create(limit);
    CatalogTree.mayToggle = [this] { return !SearchRunning(); };
    CatalogTree.changed = [this] { UpdateScopeButtons(); };
    ui::Put(IncludeBtn, limit, 420, 26, 110, 26, "&Include All");
    ui::Put(ExcludeBtn, limit, 420, 61, 110, 26, "E&xclude All");
    IncludeBtn.onClick = [this](ui::Button&) { CatalogTree.SetAll(true); };
    ExcludeBtn.onClick = [this](ui::Button&) { CatalogTree.SetAll(false); };
    onShow = [this](ui::Form&) {
        if (SearchRunning())
            return;
        CatalogTree.CreateCatalogTree(services_.forest);
        CreateCategoryList();
        UpdateScopeButtons();
    };

    ui::Put(NormalModeRadio, settings, 10, 5, 150, 20, "Normal search");
    ui::Put(DuplicateModeRadio, settings, 170, 5, 250, 20, "Search for Duplicate Items");
    NormalModeRadio.onClick = [this](ui::RadioButton&) { SetupSearchDialog(); };
    DuplicateModeRadio.onClick = [this](ui::RadioButton&) { SetupSearchDialog(); };
    ui::Put(NormalSearchGroup, settings, 5, 30, 540, 100, "Normal Search Settings");
    ui::PutCombo(SearchTypeCombo, settings, 15, 50, 300, 200,
                 {"All conditions must be fulfilled", "At least one condition must be fulfilled"});
    ui::Put(LimitFoundCheck, settings, 15, 80, 190, 20, "Stop searching when found");
    LimitFoundCheck.onClick = [this](ui::CheckBox&) { UpdatePageStates(); };
    MaxFoundNum.setDigitsOnly(true);
    MaxFoundNum.setMaxLength(4);
    MaxFoundNum.setRange(1, 9999);
    ui::Put(MaxFoundNum, settings, 210, 80, 65, 22, "1000");
    label(ItemsLabel, settings, "items.", 280, 80, 60);
    ui::Put(DuplicateSearchGroup, settings, 5, 30, 540, 110, "Duplicates Search Settings");
    label(DuplicateKeysLabel, settings, "Files or folders are considered the same when they have the same:", 15, 47,
          500);
    ui::Put(DuplicateNameCheck, settings, 15, 70, 80, 20, "Name");
    ui::Put(DuplicateSizeCheck, settings, 100, 70, 80, 20, "Size");
    ui::Put(DuplicateDateCheck, settings, 185, 70, 120, 20, "Date and Time");
    ui::Put(DuplicateAttrCheck, settings, 310, 70, 110, 20, "Attributes");
    ui::Put(DuplicateArchivesCheck, settings, 15, 100, 420, 20, "Don't search for duplicates inside compressed files");
    // The two archive boxes say the same thing in the two modes: they move together.
    SearchForCompressed.onClick = [this](ui::CheckBox&) {
        DuplicateArchivesCheck.setChecked(SearchForCompressed.checked());
    };
    DuplicateArchivesCheck.onClick = [this](ui::CheckBox&) {
        SearchForCompressed.setChecked(DuplicateArchivesCheck.checked());
    };
}

void TSearchForm::NameModeChanged() {
    const int mode = std::clamp(NameCombo.itemIndex(), 0, 4);
    if (mode == static_cast<int>(NameMode::FileType))
        return;
    if (lastNameMode_ != static_cast<int>(NameMode::FileType))
        nameTexts_[static_cast<std::size_t>(lastNameMode_)] = NameEdit.text();
    NameEdit.setText(nameTexts_[static_cast<std::size_t>(mode)]);
    lastNameMode_ = mode;
}

void TSearchForm::SizeValueChange(ui::Edit& value, ui::ComboBox& units) {
    const SizeInBytes normalised = SizeToBytes(value.text(), std::max(units.itemIndex(), 0));
    if (normalised.text != value.text())
        value.setText(normalised.text);
    if (normalised.unit != units.itemIndex())
        units.setItemIndex(normalised.unit);
}

void TSearchForm::SetupVisibleGroups(bool switchClicked) {
    const bool dup = duplicateMode();
    const int active = Pages.activePage();
    auto show = [&](int page, bool visible, bool wasVisible, ui::Control* first) {
        Pages.setPageVisible(page, visible);
        // A page just switched on comes to the front with its first field.
        if (visible && !wasVisible && switchClicked) {
            Pages.setActivePage(page);
            if (first && first->hwnd() && first->enabled())
                first->setFocus();
        }
    };
    const NameMode mode = static_cast<NameMode>(std::clamp(NameCombo.itemIndex(), 0, 4));
    struct Rule {
        int page;
        bool visible;
        ui::Control* first;
    };
    const Rule rules[] = {
        {NameSheet, ByNameCheck.checked(),
         mode == NameMode::FileType ? static_cast<ui::Control*>(&FileTypeCombo) : &NameEdit},
        {DescSheet, !dup && ByDescCheck.checked(), &DescEdit},
        {CategorySheet, !dup && ByCategoryCheck.checked(), &CategoryList},
        {SizeSheet, !dup && BySizeCheck.checked(), &SizeCombo},
        {DateSheet, !dup && ByDateCheck.checked(), &DateCombo1},
        {LimitSheet, ShowLimitCheck.checked(), &CatalogTree.View()},
        {SettingsSheet, ShowSettingsCheck.checked(), nullptr},
    };
    for (const Rule& r : rules)
        show(r.page, r.visible, pageShown_[static_cast<std::size_t>(r.page)], r.first);
    for (const Rule& r : rules)
        pageShown_[static_cast<std::size_t>(r.page)] = r.visible;
    if (Pages.tabOfPage(Pages.activePage()) < 0 || (active >= 0 && Pages.tabOfPage(active) < 0))
        Pages.setActivePage(MainSheet);
    if (mode == NameMode::FileType && fileTypes_.empty())
        GetRegisteredExtensions();
    UpdatePageStates();
    UpdateSearchButtons();
}

void TSearchForm::UpdatePageStates() {
    const bool dup = duplicateMode();
    const NameMode mode = static_cast<NameMode>(std::clamp(NameCombo.itemIndex(), 0, 4));
    NameEditLabel.setText(kNameLabels[static_cast<int>(mode)]);
    NameEdit.setVisible(mode != NameMode::FileType);
    FileCaseCheck.setVisible(mode != NameMode::FileType);
    FileTypeCombo.setVisible(mode == NameMode::FileType);
    FileCaseCheck.setEnabled(mode == NameMode::Part || mode == NameMode::Exact);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&AttrLabel, &AttrArchiveCheck, &AttrHiddenCheck,
                                                              &AttrSystemCheck, &AttrReadOnlyCheck}) {
        c->setVisible(!dup);
        c->setEnabled(!dup);
    }

    DescEdit.setEnabled(DescCheck2.checked());
    DescCaseCheck.setEnabled(DescCheck2.checked());

    CategoryList.setEnabled(CategoryList.count() > 0);
    CategoryLabel.setEnabled(CategoryList.count() > 0);
    FlagsList.setEnabled(FlagsList.count() > 0);
    FlagsLabel.setEnabled(FlagsList.count() > 0);

    const bool sizeChosen = SizeCombo.itemIndex() > 0;
    const bool twoSizes = hasSecondBound(SizeCombo.itemIndex(), 4);
    SizeValue1.setEnabled(sizeChosen);
    SizeUnits1.setEnabled(sizeChosen);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&SizeAndLabel, &SizeValue2, &SizeUnits2})
        c->setVisible(twoSizes);
    SizeAllowTolerance.setEnabled(sizeChosen);
    SizeValue3.setEnabled(sizeChosen && SizeAllowTolerance.checked());
    SizeUnits3.setEnabled(sizeChosen && SizeAllowTolerance.checked());

    const bool dateChosen = DateCombo1.itemIndex() > 0;
    DateCombo2.setEnabled(dateChosen);
    DatePicker1.setEnabled(dateChosen);
    DateAllowTolerance.setEnabled(dateChosen);
    DateTolerance.setEnabled(dateChosen && DateAllowTolerance.checked());
    DatePicker2.setVisible(hasSecondBound(DateCombo2.itemIndex(), 3));
    DateAndLabel.setVisible(hasSecondBound(DateCombo2.itemIndex(), 3));
    const bool timeChosen = TimeCombo1.itemIndex() > 0;
    TimeCombo2.setEnabled(timeChosen);
    TimePicker1.setEnabled(timeChosen);
    TimeAllowTolerance.setEnabled(timeChosen);
    TimeTolerance.setEnabled(timeChosen && TimeAllowTolerance.checked());
    TimePicker2.setVisible(hasSecondBound(TimeCombo2.itemIndex(), 3));
    TimeAndLabel.setVisible(hasSecondBound(TimeCombo2.itemIndex(), 3));

    for (ui::Control* c : std::initializer_list<ui::Control*>{&NormalSearchGroup, &SearchTypeCombo, &LimitFoundCheck,
                                                              &MaxFoundNum, &ItemsLabel})
        c->setVisible(!dup);
    MaxFoundNum.setEnabled(LimitFoundCheck.checked());
    const bool anyKind = SearchForFiles.checked() || SearchForFolders.checked() || SearchForDisks.checked();
    for (ui::Control* c : std::initializer_list<ui::Control*>{&DuplicateSearchGroup, &DuplicateKeysLabel,
                                                              &DuplicateNameCheck, &DuplicateSizeCheck,
                                                              &DuplicateDateCheck, &DuplicateAttrCheck,
                                                              &DuplicateArchivesCheck}) {
        c->setVisible(dup);
        c->setEnabled(anyKind || c == &DuplicateSearchGroup || c == &DuplicateKeysLabel);
    }
}

}  // namespace kv
