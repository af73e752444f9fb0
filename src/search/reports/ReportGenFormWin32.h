#pragma once
// "Report Generator": which columns of a list to print and in which order,
// the title, print or save as a text file, sorting and headings, and the
// text file's delimiters. Any window with a list calls ShowReportGenerator
// with its rows, columns and cells.
#include <string>
#include <vector>

#include "search/reports/ReportGenSettings.h"
#include "search/reports/ReportText.h"
#include "ui/Button.h"
#include "ui/CheckListBox.h"
#include "ui/Edit.h"
#include "ui/FileDialogs.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/PrintDialog.h"
#include "ui/UserPrompt.h"

namespace kv {

struct ListReportSource {
    std::string title;
    std::vector<const ItemHead*> rows;
    // 1 when the first row is the ".." entry.
    std::size_t firstRow = 0;
    // The list's columns in their own order.
    std::vector<ReportColumn> columns;
    // Which list: the row of the stored columns (0 the main list, 1 the
    // search results, 2 the user list, 3 and 4 the compare window, 5 custom).
    std::size_t sourceId = 0;
    const ReportCells* cells = nullptr;
    // The rows are catalog items and may be sorted by their source.
    bool sortable = true;
};

struct ReportServices {
    ui::UserPrompt& prompt;
    ui::FileDialogs& files;
    ui::PrintDialog& printer;
    // Where the generator keeps its values ("ReportGen"); none: nowhere.
    SectionStore* store = nullptr;
    // Raised buttons in place of flat ones (the settings' choice).
    bool oldButtons = false;
};

class TReportGenForm : public ui::Form {
public:
    TReportGenForm(const ListReportSource& source, ReportServices services);
    ~TReportGenForm() override;

    ui::Label TitleLabel;
    ui::Edit TitleEdit;
    ui::Label ColumnsLabel;
    ui::CheckListBox ColumnsCheckList;
    ui::Button UpBtn, DownBtn, BtnSelectAll, BtnSelectNone;
    ui::Panel OutputGroup, SortGroup;
    ui::RadioButton PrintCheck, ExportCheck;
    ui::RadioButton SortItemsCheck, NoSortingCheck;
    ui::CheckBox CatalogHeaderCheck, DiskHeaderCheck, FolderHeaderCheck;
    ui::Label AsciiSepLabel;
    ui::ComboBox AsciiSepCombo;
    ui::CheckBox ReplaceDelimiterCheck;
    ui::Edit DelimiterEdit;
    ui::Button BtnPreview, BtnPrint, BtnCancel;

    void SettingsChanged();
    void UpdateReportGenControls();
    // The run the chosen settings make.
    ReportRun MakeRun() const;
    ReportTextOptions TextOptions() const;
    // The window's choices as they are kept, and kept.
    ReportGenSettings Settings() const;
    void SaveSettings() const;

private:
    void UpDownBtnClick(int step);
    void BtnPrintClick();
    void BtnPreviewClick();

    const ListReportSource& source_;
    ReportServices services_;
    ReportGenSettings stored_;
};

// Shows the generator modally over the source.
void ShowReportGenerator(const ListReportSource& source, ReportServices services);

}  // namespace kv
