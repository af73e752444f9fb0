#include "search/reports/ReportGenFormWin32.h"

#include <algorithm>
#include <cstdlib>


#include "search/reports/ReportJobsWin32.h"
#include "search/reports/ReportPrinterWin32.h"
#include "search/reports/ReportSettings.h"
#include "search/reports/ReportSort.h"
#include "ui/Application.h"
#include "ui/PlaceControl.h"
#include "ui/ToolbarHelpers.h"

namespace kv {

namespace {

constexpr int kHelpContext = 27;
constexpr std::size_t kMaxReplacement = 5;

using ui::Put;

}  // namespace

ReportGenSources OneListSource(ListReportSource source) {
    ReportGenSources s;
    const int id = static_cast<int>(std::min<std::size_t>(source.sourceId, kSourceCheckFiles));
    ReportWindowFacts facts;
    switch (id) {
    case kSourceSearch: facts.searchWindow = facts.searchHasItems = true; s.origin = ReportOrigin::SearchWindow; break;
    case kSourceUser: facts.userListWindow = facts.userListHasItems = true; s.origin = ReportOrigin::UserList; break;
    case kSourceCompareMedia:
    case kSourceCheckFiles:
        facts.compareWindow = true;
        facts.compareCheckMode = id == kSourceCheckFiles;
        facts.compareCategory = source.sortable ? 1 : 0;
        s.origin = ReportOrigin::CompareWindow;
        break;
    default: break;
    }
    s.facts = [facts] { return facts; };
    auto shared = std::make_shared<ListReportSource>(std::move(source));
    s.list = [shared, id](int which) {
        if (which == id)
            return *shared;
        ListReportSource other;
        other.columns = shared->columns;
        other.cells = shared->cells;
        other.sourceId = static_cast<std::size_t>(which);
        return other;
    };
    s.loaders = {};
    return s;
}

TReportGenForm::TReportGenForm(ReportGenSources sources, ReportServices services)
    : CustomModel(sources.loaders), TreeView(CustomModel), sources_(std::move(sources)), services_(services) {
    const ui::ScopedHourglass hourglass;
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("Report Generator");
    setWindowClassName("KvReportGenForm");
    helpContext = kHelpContext;
    setBounds(0, 0, 730, 510);
    createHandle();
    setClientSize(720, 478);

    if (services_.store)
        stored_ = LoadReportGenSettings(*services_.store);
    if (sources_.forest)
        CustomModel.BuildReportTree(*sources_.forest);
    BuildSourceControls();
    BuildCustomControls();
    BuildColumnControls();
    BuildOutputControls();

    (stored_.print ? PrintCheck : ExportCheck).setChecked(true);
    (stored_.sortItems ? SortItemsCheck : NoSortingCheck).setChecked(true);
    CatalogHeaderCheck.setChecked(stored_.catalogHeader);
    DiskHeaderCheck.setChecked(stored_.diskHeader);
    FolderHeaderCheck.setChecked(stored_.folderHeader);
    HeadingsChanged(&CatalogHeaderCheck);
    AsciiSepCombo.setItemIndex(std::clamp(stored_.separator, 0, 2));
    ReplaceDelimiterCheck.setChecked(stored_.replaceDelimiter);
    DelimiterEdit.setText(stored_.replacement);
    ReportListCheck.setChecked(true);
    SettingsChanged();
    for (ui::BitBtn* b : {&BtnPrint, &BtnPreview, &BtnRepSetup})
        ui::CenterBitBtnGlyph(*b);
}

TReportGenForm::~TReportGenForm() { destroyWindow(); }

void TReportGenForm::BuildSourceControls() {
    Put(ReportTypeGroup, *this, 10, 6, 336, 24);
    ReportTypeGroup.setBevel(false);
    Put(ReportListCheck, ReportTypeGroup, 0, 2, 114, 20, "Report from &List");
    Put(ReportCustomCheck, ReportTypeGroup, 116, 2, 220, 20, "&Custom Report from Main Window");
    for (ui::RadioButton* r : {&ReportListCheck, &ReportCustomCheck})
        r->onClick = [this](ui::RadioButton& sender) { ReportTypeChanged(&sender); };

    Put(SourceFrame, *this, 10, 34, 330, 150, "Report source");
    Put(SourceGroup, *this, 18, 52, 314, 126);
    SourceGroup.setBevel(false);
    const char* captions[] = {"Contents in Main Window", "Search results list", "User list",
                              "Compare to Media results", "Check for Files in Catalog results"};
    ui::RadioButton* radios[] = {&SourceCatalog, &SourceSearch, &SourceUser, &SourceCompareMedia, &SourceCheckFiles};
    for (int i = 0; i < 5; ++i) {
        Put(*radios[i], SourceGroup, 0, i * 24, 310, 20, captions[i]);
        radios[i]->onClick = [this](ui::RadioButton& sender) { SourceChanged(&sender); };
    }

    Put(LayoutFrame, *this, 10, 190, 330, 170, "Report layout");
    Put(LayoutGroup, *this, 18, 208, 314, 146);
    LayoutGroup.setBevel(false);
    Put(SortItemsCheck, LayoutGroup, 0, 0, 310, 20, "Sort items in list by their source");
    Put(NoSortingCheck, LayoutGroup, 0, 24, 310, 20, "Print data in list 'as is', no sorting");
    for (ui::RadioButton* r : {&SortItemsCheck, &NoSortingCheck})
        r->onClick = [this](ui::RadioButton&) { SettingsChanged(); };
    Put(CatalogHeaderCheck, LayoutGroup, 18, 56, 280, 20, "Print catalog headings");
    Put(DiskHeaderCheck, LayoutGroup, 18, 80, 280, 20, "Print disk headings");
    Put(FolderHeaderCheck, LayoutGroup, 18, 104, 280, 20, "Print folder headings");
}

void TReportGenForm::BuildColumnControls() {
    Put(TitleLabel, *this, 350, 8, 200, 16, "Report title:");
    Put(TitleEdit, *this, 350, 26, 360, 22);
    Put(ColumnsLabel, *this, 350, 56, 200, 16, "Columns to print:");
    Put(ColumnsCheckList, *this, 350, 74, 240, 200);
    ColumnsCheckList.onClickCheck = [this](ui::CheckListBox&, int) { UpdateReportGenControls(); };
    ColumnsCheckList.onClick = [this](ui::CheckListBox&) { UpdateReportGenControls(); };
    ColumnsCheckList.onKeyUp = [this](ui::Control&, WORD&, UINT) { UpdateReportGenControls(); };
    Put(UpBtn, *this, 598, 74, 112, 24, "Up");
    Put(DownBtn, *this, 598, 102, 112, 24, "Down");
    Put(BtnSelectAll, *this, 598, 138, 112, 24, "Select All");
    Put(BtnSelectNone, *this, 598, 166, 112, 24, "Select None");
    Put(BtnCopyColumns, *this, 598, 202, 112, 24, "Copy from List");
    UpBtn.onClick = [this](ui::Button&) { UpDownBtnClick(-1); };
    DownBtn.onClick = [this](ui::Button&) { UpDownBtnClick(1); };
    for (auto [button, tick] : {std::pair{&BtnSelectAll, true}, std::pair{&BtnSelectNone, false}}) {
        button->onClick = [this, tick = tick](ui::Button&) {
            for (int i = 0; i < ColumnsCheckList.count(); ++i)
                ColumnsCheckList.setChecked(i, tick);
            UpdateReportGenControls();
        };
    }
    BtnCopyColumns.onClick = [this](ui::Button&) { BtnCopyColumnsClick(); };
}

void TReportGenForm::BuildOutputControls() {
    Put(OutputGroup, *this, 350, 282, 360, 46);
    OutputGroup.setBevel(false);
    Put(PrintCheck, OutputGroup, 0, 2, 300, 20, "Print report");
    Put(ExportCheck, OutputGroup, 0, 24, 300, 20, "Save report as ASCII file");
    for (ui::RadioButton* r : {&PrintCheck, &ExportCheck})
        r->onClick = [this](ui::RadioButton&) { SettingsChanged(); };

    Put(PrinterOptionsGroup, *this, 350, 334, 360, 92, "Printer");
    Put(PrnLabel, *this, 360, 356, 60, 16, "Printer:");
    Put(PrinterData, *this, 420, 356, 280, 16);
    Put(BtnRepSetup, *this, 360, 386, 120, 26, "Report Setup");
    BtnRepSetup.onClick = [this](ui::Button&) { BtnRepSetupClick(); };
    HINSTANCE module = GetModuleHandleA(nullptr);
    setupGlyph_.reset(LoadBitmapA(module, "BtnRepSetup"));
    BtnRepSetup.setGlyph(setupGlyph_.get(), 2);

    Put(AsciiOptionsGroup, *this, 350, 334, 360, 92, "ASCII file");
    Put(AsciiSepLabel, *this, 360, 356, 110, 16, "Columns:");
    Put(AsciiSepCombo, *this, 470, 352, 230, 120);
    AsciiSepCombo.setItems({"Space-alligned columns", "TAB delimited columns", "Comma-separated columns"});
    AsciiSepCombo.setItemIndex(0);
    AsciiSepCombo.onChange = [this](ui::ComboBox&) { SettingsChanged(); };
    Put(ReplaceDelimiterCheck, *this, 360, 390, 230, 20, "Replace delimiters in text with:");
    ReplaceDelimiterCheck.onClick = [this](ui::CheckBox&) { SettingsChanged(); };
    Put(DelimiterEdit, *this, 596, 388, 60, 22);
    DelimiterEdit.setMaxLength(static_cast<int>(kMaxReplacement));
    DelimiterEdit.setText("_");

    Put(BtnPreview, *this, 350, 440, 110, 28, "Print Preview");
    Put(BtnPrint, *this, 470, 440, 110, 28, "Print");
    Put(BtnCancel, *this, 600, 440, 110, 28, "Close");
    BtnPrint.onClick = [this](ui::Button&) { BtnPrintClick(); };
    BtnPreview.onClick = [this](ui::Button&) { BtnPreviewClick(); };
    printGlyph_.reset(LoadBitmapA(module, "ButtonPrint"));
    previewGlyph_.reset(LoadBitmapA(module, "BtnPreview"));
    BtnPrint.setGlyph(printGlyph_.get(), 2);
    BtnPreview.setGlyph(previewGlyph_.get(), 2);
    BtnCancel.onClick = [this](ui::Button&) { setModalResult(ui::mrCancel); };
    setCancelControl(&BtnCancel);
}

ReportWindowFacts TReportGenForm::Facts() const { return sources_.facts ? sources_.facts() : ReportWindowFacts{}; }

void TReportGenForm::InitReportSource() {
    ShowReportPrinter();
    UpdateReportGenControls();
    ui::RadioButton* radios[] = {&SourceCatalog, &SourceSearch, &SourceUser, &SourceCompareMedia, &SourceCheckFiles};
    radios[InitialReportSource(sources_.origin, Facts())]->setChecked(true);
    SourceChanged(nullptr);
    UpdateReportGenControls();
    TitleEdit.setFocus();
    SendMessageA(TitleEdit.hwnd(), EM_SETSEL, 0, -1);
}

void TReportGenForm::SourceChanged(ui::Control* sender) {
    const int previous = reportSource_;
    const ReportWindowFacts facts = Facts();
    if (ReportCustomCheck.checked()) {
        reportSource_ = kSourceCustom;
    } else {
        const ui::RadioButton* radios[] = {&SourceCatalog, &SourceSearch, &SourceUser, &SourceCompareMedia,
                                           &SourceCheckFiles};
        reportSource_ = kSourceCatalog;
        for (int i = 4; i >= 0; --i)
            if (radios[i]->checked()) {
                reportSource_ = i;
                break;
            }
    }
    current_ = sources_.list ? sources_.list(reportSource_) : ListReportSource{};
    if (!current_.cells)
        current_.cells = current_.ownedCells.get();
    const Node* shown = sources_.mainShown ? sources_.mainShown() : nullptr;
    TitleEdit.setText(current_.title.empty() ? DefaultReportTitle(reportSource_, facts, shown) : current_.title);
    ShowSourceColumns(previous);
    if (sender != &ReportCustomCheck) {
        SortItemsCheck.setEnabled(SortingAllowed(reportSource_, facts) && current_.sortable);
        if (!SortItemsCheck.enabled())
            NoSortingCheck.setChecked(true);
    }
    UpdateReportGenControls();
}

void TReportGenForm::ReportTypeChanged(ui::Control* sender) {
    const ui::ScopedHourglass hourglass;
    SettingsChanged();
    SourceChanged(sender);
}

void TReportGenForm::StoreSourceColumns(int source) {
    if (source < 0 || source >= static_cast<int>(kReportSources))
        return;
    ReportColumnRow& row = stored_.columns[static_cast<std::size_t>(source)];
    for (std::size_t i = 0; i < kReportColumnSlots; ++i) {
        const int at = static_cast<int>(i);
        row[i] = at < ColumnsCheckList.count()
                     ? static_cast<std::int8_t>((ColumnsCheckList.itemData(at) + 1) *
                                                (ColumnsCheckList.checked(at) ? 1 : -1))
                     : static_cast<std::int8_t>(i + 1);
    }
}

void TReportGenForm::ShowSourceColumns(int previous) {
    if (previous >= 0)
        StoreSourceColumns(previous);
    const std::size_t columns = std::min(current_.columns.size(), kReportColumnSlots);
    const std::size_t source = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(reportSource_, 0)), 0,
                                                       kReportSources - 1);
    const ReportColumnRow row = NormalizeColumnRow(stored_.columns[source], columns);
    ColumnsCheckList.clear();
    for (std::size_t i = 0; i < columns; ++i) {
        const int column = std::abs(row[i]) - 1;
        const int at = ColumnsCheckList.add(current_.columns[static_cast<std::size_t>(column)].caption, column);
        ColumnsCheckList.setChecked(at, row[i] > 0);
    }
    if (ColumnsCheckList.count() > 0)
        ColumnsCheckList.setItemIndex(0);
}

void TReportGenForm::BtnCopyColumnsClick() {
    if (!sources_.columnLayout || reportSource_ < 0)
        return;
    StoreSourceColumns(reportSource_);
    const ListColumnLayout layout = sources_.columnLayout(reportSource_);
    ReportColumnRow& row = stored_.columns[static_cast<std::size_t>(reportSource_)];
    row = CopyColumnsFromList(row, layout.order, layout.widths);
    ShowSourceColumns(-1);
    UpdateReportGenControls();
}

void TReportGenForm::UpDownBtnClick(int step) {
    const int from = ColumnsCheckList.itemIndex();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= ColumnsCheckList.count())
        return;
    ColumnsCheckList.exchange(from, to);
    ColumnsCheckList.setItemIndex(to);
    UpdateReportGenControls();
}

void TReportGenForm::UpdateReportGenControls() {
    const ReportWindowFacts facts = Facts();
    SourceSearch.setEnabled(ReportSourceEnabled(kSourceSearch, facts));
    SourceUser.setEnabled(ReportSourceEnabled(kSourceUser, facts));
    SourceCompareMedia.setEnabled(ReportSourceEnabled(kSourceCompareMedia, facts));
    SourceCheckFiles.setEnabled(ReportSourceEnabled(kSourceCheckFiles, facts));
    const int selected = ColumnsCheckList.itemIndex();
    UpBtn.setEnabled(selected > 0);
    DownBtn.setEnabled(selected >= 0 && selected < ColumnsCheckList.count() - 1);
    bool anyTicked = false;
    for (int i = 0; i < ColumnsCheckList.count(); ++i)
        anyTicked = anyTicked || ColumnsCheckList.checked(i);
    BtnPrint.setEnabled(anyTicked);
    BtnCopyColumns.setEnabled(sources_.columnLayout != nullptr);
    SettingsChanged();
}

// Read from the stored settings and the system's printers: only when the
// generator opens and after Report Setup, not on every click in the dialog.
void TReportGenForm::ShowReportPrinter() {
    const std::string printer = ResolveReportPrinter(CurrentReportSettings(services_.store).printer);
    PrinterData.setText(printer.empty() ? "(no printer)" : printer);
}

void TReportGenForm::ShowPrinterGroup(bool visible) {
    for (ui::Control* c : std::initializer_list<ui::Control*>{&PrinterOptionsGroup, &PrnLabel, &PrinterData, &BtnRepSetup})
        c->setVisible(visible);
}

void TReportGenForm::ShowAsciiGroup(bool visible) {
    for (ui::Control* c : std::initializer_list<ui::Control*>{&AsciiOptionsGroup, &AsciiSepLabel, &AsciiSepCombo,
                                                               &ReplaceDelimiterCheck, &DelimiterEdit})
        c->setVisible(visible);
}

void TReportGenForm::SettingsChanged() {
    const bool custom = ReportCustomCheck.checked();
    const bool shown = CustomGroup.visible();
    const std::initializer_list<ui::Control*> customControls{&CustomFrame, &CustomGroup};
    const std::initializer_list<ui::Control*> listControls{&SourceFrame, &SourceGroup, &LayoutFrame, &LayoutGroup};
    // Those going first, so the ones coming are drawn last.
    for (ui::Control* c : custom ? listControls : customControls)
        c->setVisible(false);
    for (ui::Control* c : custom ? customControls : listControls)
        c->setVisible(true);
    if (custom && !shown && TreeView.View().hwnd())
        RedrawWindow(CustomGroup.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    const bool printing = PrintCheck.checked();
    ShowPrinterGroup(printing);
    ShowAsciiGroup(!printing);
    BtnPreview.setEnabled(printing && BtnPrint.enabled());
    BtnPrint.setText(printing ? "Print" : "Export");
    ui::CenterBitBtnGlyph(BtnPrint);
    AsciiSepLabel.setEnabled(!printing);
    AsciiSepCombo.setEnabled(!printing);
    ReplaceDelimiterCheck.setEnabled(!printing && AsciiSepCombo.itemIndex() > 0);
    DelimiterEdit.setEnabled(ReplaceDelimiterCheck.enabled() && ReplaceDelimiterCheck.checked());
    for (ui::CheckBox* box : {&CatalogHeaderCheck, &DiskHeaderCheck, &FolderHeaderCheck})
        box->setEnabled(SortItemsCheck.checked());
}

void TReportGenForm::HeadingsChanged(ui::Control* sender) {
    ui::CheckBox* list[] = {&CatalogHeaderCheck, &DiskHeaderCheck, &FolderHeaderCheck};
    ui::CheckBox* custom[] = {&CustomCatalogHeader, &CustomDiskHeader, &CustomFolderHeader};
    const bool fromList = std::find(std::begin(list), std::end(list), sender) != std::end(list);
    for (int i = 0; i < 3; ++i) {
        if (fromList)
            custom[i]->setChecked(list[i]->checked());
        else
            list[i]->setChecked(custom[i]->checked());
    }
}

ReportRun TReportGenForm::MakeRun() const {
    ReportRun run;
    const bool custom = reportSource_ == kSourceCustom;
    run.rows = custom ? customItems_ : current_.rows;
    run.firstRow = custom ? 0 : current_.firstRow;
    run.title = TitleEdit.text();
    run.sorted = custom || (SortItemsCheck.enabled() && SortItemsCheck.checked());
    if (run.sorted) {
        // The sorted copy never holds the ".." entry.
        run.rows.erase(run.rows.begin(), run.rows.begin() + static_cast<std::ptrdiff_t>(
                                                                 std::min(run.firstRow, run.rows.size())));
        run.firstRow = 0;
        SortItemsBySource(run.rows);
    }
    run.headings = {CatalogHeaderCheck.checked(), DiskHeaderCheck.checked(), FolderHeaderCheck.checked()};
    for (int i = 0; i < ColumnsCheckList.count(); ++i) {
        const auto column = static_cast<std::size_t>(ColumnsCheckList.itemData(i));
        if (ColumnsCheckList.checked(i) && column < current_.columns.size())
            run.columns.push_back(current_.columns[column]);
    }
    return run;
}

ReportTextOptions TReportGenForm::TextOptions() const {
    ReportTextOptions options;
    switch (AsciiSepCombo.itemIndex()) {
    case 1: options.delimiter = TextDelimiter::Tab; break;
    case 2: options.delimiter = TextDelimiter::Comma; break;
    default: options.delimiter = TextDelimiter::Space; break;
    }
    options.replacement = DelimiterEdit.text().substr(0, kMaxReplacement);
    if (options.replacement.empty())
        options.replacement = "_";
    options.timestamp = ReportTimestampNow();
    return options;
}

void TReportGenForm::BtnPreviewClick() {
    if (!current_.cells)
        return;
    // The preview takes the generator's place; it comes back whatever happens.
    struct ShownAgain {
        TReportGenForm& form;
        ~ShownAgain() {
            form.show();
            SetForegroundWindow(form.hwnd());
        }
    } again{*this};
    hide();
    if (!CollectWhenCustom())
        return;
    const ReportRun run = MakeRun();
    ReportSettings settings = CurrentReportSettings(services_.store);
    settings.look.dateTimeText = ReportTimestampNow();
    PreviewListReport(run, *current_.cells, settings, services_.prompt, [this] { BtnPrintClick(); },
                      services_.oldButtons);
}

bool TReportGenForm::CollectWhenCustom() {
    if (reportSource_ != kSourceCustom)
        return true;
    auto items = CollectCustomReportItems();
    if (!items)
        return false;
    customItems_ = std::move(*items);
    return true;
}

void TReportGenForm::BtnPrintClick() {
    if (!current_.cells || !CollectWhenCustom())
        return;
    const ReportRun run = MakeRun();
    if (ExportCheck.checked()) {
        ui::FileDialogRequest request;
        request.title = "Save Report As";
        request.filters = {{"Text Files (*.txt)", "*.txt"}, {"All Files (*.*)", "*.*"}};
        request.defaultExtension = "txt";
        const auto path = services_.files.saveFile(request);
        if (path)
            ExportListReport(run, *current_.cells, TextOptions(), *path, services_.prompt);
        return;
    }
    if (run.rows.size() <= run.firstRow) {
        services_.prompt.showInformation("There is nothing to print: the list of the report is empty.",
                                         "Report Generator");
        return;
    }
    ui::PrintRequest request;
    const auto choice = services_.printer.choosePrinter(request);
    if (!choice)
        return;
    ReportSettings settings = CurrentReportSettings(services_.store);
    settings.look.dateTimeText = ReportTimestampNow();
    if (PrintListReport(run, *current_.cells, settings, *choice, services_.prompt))
        setModalResult(ui::mrOk);
}

void TReportGenForm::BtnRepSetupClick() {
    if (services_.reportSettings)
        services_.reportSettings();
    else
        services_.prompt.showInformation("The report settings are not available in this version.", "Report Setup");
    ShowReportPrinter();
    UpdateReportGenControls();
}

ReportGenSettings TReportGenForm::Settings() const {
    ReportGenSettings s = stored_;
    s.print = PrintCheck.checked();
    s.replaceDelimiter = ReplaceDelimiterCheck.checked();
    s.separator = std::max(0, AsciiSepCombo.itemIndex());
    s.sortItems = SortItemsCheck.checked();
    s.catalogHeader = CatalogHeaderCheck.checked();
    s.diskHeader = DiskHeaderCheck.checked();
    s.folderHeader = FolderHeaderCheck.checked();
    s.replacement = DelimiterEdit.text().substr(0, kMaxReplacement);
    return s;
}

void TReportGenForm::SaveSettings() {
    StoreSourceColumns(reportSource_);
    if (services_.store)
        SaveReportGenSettings(*services_.store, Settings());
}

void ShowReportGenerator(ReportGenSources sources, ReportServices services) {
    TReportGenForm form(std::move(sources), services);
    form.InitReportSource();
    form.showModal();
    form.SaveSettings();
}

}  // namespace kv
