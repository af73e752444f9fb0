#include "search/reports/ReportGenFormWin32.h"

#include <algorithm>
#include <cstdlib>

#include "search/reports/ReportJobsWin32.h"
#include "search/reports/ReportSort.h"

namespace kv {

namespace {

constexpr int kHelpContext = 27;
constexpr std::size_t kMaxColumns = 15;
constexpr std::size_t kMaxReplacement = 5;

template <class C>
void Place(C& control, ui::Control* parent, int x, int y, int w, int h, const char* text = nullptr) {
    if (text)
        control.setText(text);
    control.setBounds(x, y, w, h);
    control.create(parent);
}

}  // namespace

TReportGenForm::TReportGenForm(const ListReportSource& source, ReportServices services)
    : source_(source), services_(services) {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("Report Generator");
    setWindowClassName("KvReportGenForm");
    helpContext = kHelpContext;
    setBounds(0, 0, 560, 430);
    createHandle();
    setClientSize(550, 400);

    Place(TitleLabel, this, 10, 10, 200, 16, "Report title:");
    Place(TitleEdit, this, 10, 28, 300, 22);
    TitleEdit.setText(source.title);
    Place(ColumnsLabel, this, 10, 60, 200, 16, "Columns to print:");
    Place(ColumnsCheckList, this, 10, 78, 210, 200);
    if (services_.store)
        stored_ = LoadReportGenSettings(*services_.store);
    const std::size_t columns = std::min(source.columns.size(), kMaxColumns);
    const std::size_t sourceRow = std::min(source.sourceId, kReportSources - 1);
    const ReportColumnRow row = NormalizeColumnRow(stored_.columns[sourceRow], columns);
    for (std::size_t i = 0; i < columns; ++i) {
        const int column = std::abs(row[i]) - 1;
        const int at = ColumnsCheckList.add(source.columns[static_cast<std::size_t>(column)].caption, column);
        ColumnsCheckList.setChecked(at, row[i] > 0);
    }
    ColumnsCheckList.onClickCheck = [this](ui::CheckListBox&, int) { UpdateReportGenControls(); };
    ColumnsCheckList.onClick = [this](ui::CheckListBox&) { UpdateReportGenControls(); };
    Place(UpBtn, this, 228, 78, 82, 24, "Up");
    Place(DownBtn, this, 228, 106, 82, 24, "Down");
    Place(BtnSelectAll, this, 228, 146, 82, 24, "Select All");
    Place(BtnSelectNone, this, 228, 174, 82, 24, "Select None");
    UpBtn.onClick = [this](ui::Button&) { UpDownBtnClick(-1); };
    DownBtn.onClick = [this](ui::Button&) { UpDownBtnClick(1); };
    for (auto [button, tick] : {std::pair{&BtnSelectAll, true}, std::pair{&BtnSelectNone, false}}) {
        button->onClick = [this, tick = tick](ui::Button&) {
            for (int i = 0; i < ColumnsCheckList.count(); ++i)
                ColumnsCheckList.setChecked(i, tick);
            UpdateReportGenControls();
        };
    }

    Place(OutputGroup, this, 322, 10, 220, 50);
    Place(PrintCheck, &OutputGroup, 6, 4, 200, 20, "Print report");
    Place(ExportCheck, &OutputGroup, 6, 26, 200, 20, "Save report as ASCII file");
    Place(SortGroup, this, 322, 66, 220, 70);
    Place(SortItemsCheck, &SortGroup, 6, 4, 210, 20, "Sort items in list by their source");
    Place(NoSortingCheck, &SortGroup, 6, 26, 210, 34, "Print data in list 'as is', no sorting");
    for (ui::RadioButton* r : {&PrintCheck, &ExportCheck, &SortItemsCheck, &NoSortingCheck})
        r->onClick = [this](ui::RadioButton&) { SettingsChanged(); };
    Place(CatalogHeaderCheck, this, 328, 142, 200, 20, "Catalog headings");
    Place(DiskHeaderCheck, this, 328, 164, 200, 20, "Disk headings");
    Place(FolderHeaderCheck, this, 328, 186, 200, 20, "Folder headings");
    Place(AsciiSepLabel, this, 328, 216, 200, 16, "ASCII file columns:");
    Place(AsciiSepCombo, this, 328, 234, 200, 120);
    AsciiSepCombo.setItems({"Space-alligned columns", "TAB delimited columns", "Comma-separated columns"});
    AsciiSepCombo.setItemIndex(0);
    AsciiSepCombo.onChange = [this](ui::ComboBox&) { SettingsChanged(); };
    Place(ReplaceDelimiterCheck, this, 328, 264, 210, 20, "Replace delimiters in text with:");
    ReplaceDelimiterCheck.onClick = [this](ui::CheckBox&) { SettingsChanged(); };
    Place(DelimiterEdit, this, 328, 288, 60, 22);
    DelimiterEdit.setMaxLength(static_cast<int>(kMaxReplacement));
    DelimiterEdit.setText("_");

    Place(BtnPreview, this, 190, 360, 110, 28, "Print Preview");
    Place(BtnPrint, this, 310, 360, 110, 28, "Print");
    Place(BtnCancel, this, 430, 360, 110, 28, "Close");
    BtnPrint.onClick = [this](ui::Button&) { BtnPrintClick(); };
    BtnPreview.onClick = [this](ui::Button&) { BtnPreviewClick(); };
    BtnCancel.onClick = [this](ui::Button&) { setModalResult(ui::mrCancel); };

    (stored_.print ? PrintCheck : ExportCheck).setChecked(true);
    (source.sortable && stored_.sortItems ? SortItemsCheck : NoSortingCheck).setChecked(true);
    CatalogHeaderCheck.setChecked(stored_.catalogHeader);
    DiskHeaderCheck.setChecked(stored_.diskHeader);
    FolderHeaderCheck.setChecked(stored_.folderHeader);
    AsciiSepCombo.setItemIndex(std::clamp(stored_.separator, 0, 2));
    ReplaceDelimiterCheck.setChecked(stored_.replaceDelimiter);
    DelimiterEdit.setText(stored_.replacement);
    UpdateReportGenControls();
}

TReportGenForm::~TReportGenForm() { destroyWindow(); }

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
    const int selected = ColumnsCheckList.itemIndex();
    UpBtn.setEnabled(selected > 0);
    DownBtn.setEnabled(selected >= 0 && selected < ColumnsCheckList.count() - 1);
    bool anyTicked = false;
    for (int i = 0; i < ColumnsCheckList.count(); ++i)
        anyTicked = anyTicked || ColumnsCheckList.checked(i);
    BtnPrint.setEnabled(anyTicked);
    SettingsChanged();
}

void TReportGenForm::SettingsChanged() {
    const bool printing = PrintCheck.checked();
    BtnPreview.setEnabled(printing && BtnPrint.enabled());
    BtnPrint.setText(printing ? "Print" : "Export");
    AsciiSepLabel.setEnabled(!printing);
    AsciiSepCombo.setEnabled(!printing);
    ReplaceDelimiterCheck.setEnabled(!printing && AsciiSepCombo.itemIndex() > 0);
    DelimiterEdit.setEnabled(ReplaceDelimiterCheck.enabled() && ReplaceDelimiterCheck.checked());
    SortItemsCheck.setEnabled(source_.sortable);
    const bool sorted = source_.sortable && SortItemsCheck.checked();
    for (ui::CheckBox* box : {&CatalogHeaderCheck, &DiskHeaderCheck, &FolderHeaderCheck})
        box->setEnabled(sorted);
}

ReportRun TReportGenForm::MakeRun() const {
    ReportRun run;
    run.rows = source_.rows;
    run.firstRow = source_.firstRow;
    run.title = TitleEdit.text();
    run.sorted = source_.sortable && SortItemsCheck.checked();
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
        if (ColumnsCheckList.checked(i) && column < source_.columns.size())
            run.columns.push_back(source_.columns[column]);
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
    const ReportRun run = MakeRun();
    ReportLook look;
    look.dateTimeText = ReportTimestampNow();
    look.icons = false;
    PreviewListReport(run, *source_.cells, look, services_.prompt, [this] { BtnPrintClick(); }, services_.oldButtons);
}

void TReportGenForm::BtnPrintClick() {
    const ReportRun run = MakeRun();
    if (ExportCheck.checked()) {
        ui::FileDialogRequest request;
        request.title = "Save Report As";
        request.filters = {{"Text Files (*.txt)", "*.txt"}, {"All Files (*.*)", "*.*"}};
        request.defaultExtension = "txt";
        const auto path = services_.files.saveFile(request);
        if (path)
            ExportListReport(run, *source_.cells, TextOptions(), *path, services_.prompt);
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
    ReportLook look;
    look.dateTimeText = ReportTimestampNow();
    look.icons = false;
    if (PrintListReport(run, *source_.cells, look, *choice, services_.prompt))
        setModalResult(ui::mrOk);
}

ReportGenSettings TReportGenForm::Settings() const {
    ReportGenSettings s = stored_;
    s.print = PrintCheck.checked();
    s.replaceDelimiter = ReplaceDelimiterCheck.checked();
    s.separator = std::max(0, AsciiSepCombo.itemIndex());
    // A list that cannot be sorted keeps the choice made for the others.
    if (source_.sortable)
        s.sortItems = SortItemsCheck.checked();
    s.catalogHeader = CatalogHeaderCheck.checked();
    s.diskHeader = DiskHeaderCheck.checked();
    s.folderHeader = FolderHeaderCheck.checked();
    s.replacement = DelimiterEdit.text().substr(0, kMaxReplacement);
    ReportColumnRow& row = s.columns[std::min(source_.sourceId, kReportSources - 1)];
    for (std::size_t i = 0; i < kReportColumnSlots; ++i) {
        const int at = static_cast<int>(i);
        row[i] = at < ColumnsCheckList.count()
                     ? static_cast<std::int8_t>((ColumnsCheckList.itemData(at) + 1) * (ColumnsCheckList.checked(at) ? 1 : -1))
                     : static_cast<std::int8_t>(i + 1);
    }
    return s;
}

void TReportGenForm::SaveSettings() const {
    if (services_.store)
        SaveReportGenSettings(*services_.store, Settings());
}

void ShowReportGenerator(const ListReportSource& source, ReportServices services) {
    TReportGenForm form(source, services);
    form.TitleEdit.setFocus();
    form.showModal();
    form.SaveSettings();
}

}  // namespace kv
