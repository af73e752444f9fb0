#pragma once
// "Report Generator": what to report (the main list, the search results, the
// user list, the compare results or a custom selection of catalogs, disks and
// folders), which columns in which order, the title, print or save as a text
// file, sorting and headings, and the text file's delimiters. The windows
// with lists answer through ReportGenSources; MainForm::OpenReportGenerator
// opens it from every report command.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "search/reports/CustomTree.h"
#include "search/reports/ReportCustomTreeWin32.h"
#include "search/reports/ReportGenSettings.h"
#include "search/reports/ReportSources.h"
#include "search/reports/ReportText.h"
#include "ui/BitBtn.h"
#include "ui/Button.h"
#include "ui/Canvas.h"
#include "ui/CheckListBox.h"
#include "ui/Edit.h"
#include "ui/FileDialogs.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"
#include "ui/Menu.h"
#include "ui/Panel.h"
#include "ui/PrintDialog.h"
#include "ui/UserPrompt.h"

namespace kv {

class Forest;

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
    // Keeps cells alive when the source made them.
    std::shared_ptr<const ReportCells> ownedCells;
    // The rows are catalog items and may be sorted by their source.
    bool sortable = true;
};

// The display order of a list's columns and their widths ("Copy from List").
struct ListColumnLayout {
    std::vector<int> order;
    std::vector<int> widths;
};

// What the generator reports, asked of the windows that hold the lists.
struct ReportGenSources {
    ReportOrigin origin = ReportOrigin::MainWindow;
    std::function<ReportWindowFacts()> facts;
    // The rows, columns and cells of a list source; for the custom report the
    // columns and cells of the user list (its rows come from the custom tree).
    std::function<ListReportSource(int source)> list;
    std::function<ListColumnLayout(int source)> columnLayout;
    // The node the main list shows (the title of its report).
    std::function<const Node*()> mainShown;
    // The catalogs of the custom tree; none: an empty tree.
    const Forest* forest = nullptr;
    CatalogLoaders loaders = DefaultCatalogLoaders();
    std::function<int(const Node*, bool selected)> nodeImage;
    HIMAGELIST smallImages = nullptr;
    HIMAGELIST checkImages = nullptr;
    // Where the layout dialogs start (the settings' catalog folder).
    std::string layoutFolder;
};

// The generator over one list only.
ReportGenSources OneListSource(ListReportSource source);

struct ReportServices {
    ui::UserPrompt& prompt;
    ui::FileDialogs& files;
    ui::PrintDialog& printer;
    // Where the generator keeps its values ("ReportGen"); none: nowhere.
    SectionStore* store = nullptr;
    // "Report Setup": the report settings dialog, shown modally; none: the
    // button says the settings are not available.
    std::function<void()> reportSettings = nullptr;
    // Raised buttons in place of flat ones (the settings' choice).
    bool oldButtons = false;
};

class TReportGenForm : public ui::Form {
public:
    TReportGenForm(ReportGenSources sources, ReportServices services);
    ~TReportGenForm() override;

    // The report type: a list of another window, or the custom selection.
    ui::Panel ReportTypeGroup;
    ui::RadioButton ReportListCheck, ReportCustomCheck;
    ui::GroupBox SourceFrame;
    ui::Panel SourceGroup;
    ui::RadioButton SourceCatalog, SourceSearch, SourceUser, SourceCompareMedia, SourceCheckFiles;
    ui::GroupBox LayoutFrame;
    ui::Panel LayoutGroup;
    ui::RadioButton SortItemsCheck, NoSortingCheck;
    ui::CheckBox CatalogHeaderCheck, DiskHeaderCheck, FolderHeaderCheck;

    ui::GroupBox CustomFrame;
    ui::Panel CustomGroup;
    CustomTree CustomModel;
    ReportCustomTreeWin32 TreeView;
    ui::Button BtnMacros, BtnLoadLayout, BtnSaveLayout;
    ui::Label CustomHeaderLabel;
    ui::CheckBox CustomCatalogHeader, CustomDiskHeader, CustomFolderHeader;
    ui::PopupMenu MacrosPopup;

    ui::Label TitleLabel;
    ui::Edit TitleEdit;
    ui::Label ColumnsLabel;
    ui::CheckListBox ColumnsCheckList;
    ui::Button UpBtn, DownBtn, BtnSelectAll, BtnSelectNone, BtnCopyColumns;
    ui::Panel OutputGroup;
    ui::RadioButton PrintCheck, ExportCheck;
    ui::GroupBox PrinterOptionsGroup;
    ui::Label PrnLabel, PrinterData;
    ui::BitBtn BtnRepSetup;
    ui::GroupBox AsciiOptionsGroup;
    ui::Label AsciiSepLabel;
    ui::ComboBox AsciiSepCombo;
    ui::CheckBox ReplaceDelimiterCheck;
    ui::Edit DelimiterEdit;
    ui::BitBtn BtnPreview, BtnPrint;
    ui::Button BtnCancel;

    int ReportSource() const { return reportSource_; }
    void InitReportSource();
    void SourceChanged(ui::Control* sender);
    void ReportTypeChanged(ui::Control* sender);
    void SettingsChanged();
    void HeadingsChanged(ui::Control* sender);
    void UpdateReportGenControls();
    void ShowReportPrinter();
    void StoreSourceColumns(int source);
    void ShowSourceColumns(int previous);
    void BtnCopyColumnsClick();
    // The macros on the selected node: expand or include/exclude d levels.
    void MacroExpandFrom(int depth);
    void MacroCollapseFrom();
    void MacroFiles(bool include, int depth);
    void BtnSaveLayoutClick();
    void BtnLoadLayoutClick();
    // The rows of the custom report, with "Generating list of selected items...";
    // nothing when cancelled or a catalog could not be read.
    std::optional<std::vector<const ItemHead*>> CollectCustomReportItems();

    // The run the chosen settings make (the custom items collected before).
    ReportRun MakeRun() const;
    ReportTextOptions TextOptions() const;
    // The window's choices as they are kept, and kept.
    ReportGenSettings Settings() const;
    void SaveSettings();

private:
    void BuildSourceControls();
    void BuildCustomControls();
    void BuildColumnControls();
    void BuildOutputControls();
    void BuildMacros();
    void UpDownBtnClick(int step);
    void BtnPrintClick();
    // The custom report's rows collected anew; false when that was cancelled.
    bool CollectWhenCustom();
    void BtnPreviewClick();
    void BtnRepSetupClick();
    // Changes the custom tree with the hourglass and painting held, then shows
    // it; false when the change failed (and said so).
    bool ChangeTree(const std::function<void()>& change);
    // Runs a macro on the selected node, then shows it.
    void RunMacro(const std::function<void(CustomTreeNode&)>& macro);
    ReportWindowFacts Facts() const;
    ui::FileDialogRequest LayoutDialog(const char* title) const;
    void ShowPrinterGroup(bool visible);
    void ShowAsciiGroup(bool visible);

    ReportGenSources sources_;
    ReportServices services_;
    ReportGenSettings stored_;
    int reportSource_ = -1;
    ListReportSource current_;
    std::vector<const ItemHead*> customItems_;
    // The pictures of Print, Print Preview and Report Setup (the buttons do not own them).
    ui::GdiObject<HBITMAP> printGlyph_, previewGlyph_, setupGlyph_;
};

// Shows the generator modally.
void ShowReportGenerator(ReportGenSources sources, ReportServices services);

}  // namespace kv
