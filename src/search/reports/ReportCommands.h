#pragma once
// Report rows turned into commands: headings, column headers, rows and group
// summaries, one batch per heading group. Printing and the text export both
// consume the same commands. Each command keeps its cells apart, so a cell
// with line breaks (a full description) never shifts the cells after it.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/model/ItemHead.h"
#include "report/ReportModel.h"

namespace kv {

class Node;

enum class ReportCode : std::uint8_t {
    Row = 0,
    ColumnHeader = 1,
    Title = 2,
    Summary = 3,
    CatalogHeading = 4,
    DiskHeading = 5,
    FolderHeading = 6,
    DiskDetails = 11,
};

struct ReportCommand {
    ReportCode code = ReportCode::Row;
    // Headings, title and summary: their text; rows and headers: the cells.
    std::string text;
    std::vector<std::string> cells;
    int icon = -1;
};

// A printed column: its caption, the list column it shows (0-based) and the
// list column's alignment.
struct ReportColumn {
    std::string caption;
    int column = 0;
    report::Alignment align = report::Alignment::Left;
};

struct ReportSummary;

// What the report asks of the list it reports.
class ReportCells {
public:
    virtual ~ReportCells() = default;
    // The cell's full text (descriptions whole).
    virtual std::string Cell(const ItemHead& rec, int column) const = 0;
    virtual int Icon(const ItemHead& rec) const = 0;
    // Counts the row in its group's summary; a list whose rows are no
    // catalog records counts them itself.
    virtual void Summarise(const ItemHead& rec, ReportSummary& summary) const;
};

struct HeadingSwitches {
    bool catalog = true;
    bool disk = true;
    bool folder = true;
};

// One group's counts and totals. Sizes are summed as bytes x 10000 and stop at
// the largest value instead of wrapping.
struct ReportSummary {
    std::uint64_t files = 0, folders = 0, disks = 0;
    std::uint64_t fileTotal = 0, folderTotal = 0, diskTotal = 0;
    void Add(const ItemHead& rec);
    void AddFile(std::uint64_t bytes);
};

// "Total of 2 disks (1.5 GB), 1 folder (10 kB), 3 files (2 kB)".
std::string BuildSummaryText(const ReportSummary& summary, std::string_view decimalSeparator = ".");

// "Type: CD-ROM, total 650 MB (free 0 B)".
std::string DiskDetailsText(const ItemHead& disk, std::string_view decimalSeparator = ".");

// The rows, their columns and the switches of one run.
struct ReportRun {
    std::vector<const ItemHead*> rows;
    // Rows before this one are not reported (the ".." entry).
    std::size_t firstRow = 0;
    std::vector<ReportColumn> columns;
    bool sorted = false;
    HeadingSwitches headings;
    std::string title;
    std::string decimalSeparator = ".";
};

// The width a column needs for a text: characters for the export, the
// measured width for printing.
using ColumnMeasure = std::function<int(bool header, std::string_view text)>;

// Character count of the longest line.
int LongestLineLength(std::string_view text);

// FillReportCommands and AddHeadings over one run. Starts from the first row,
// with no heading emitted yet.
class ReportBatcher {
public:
    ReportBatcher(const ReportRun& run, const ReportCells& cells, ColumnMeasure measure);

    bool Done() const { return row_ >= run_.rows.size(); }
    std::size_t RowIndex() const { return row_; }
    // The next batch: the title on the first one, headings, the column header,
    // the rows up to the next heading change, and a summary placeholder.
    // Empty when every row is done or stop() says so.
    std::vector<ReportCommand> FillReportCommands(const std::function<bool()>& stop = {});
    // The summary of the batch last filled.
    const ReportSummary& Summary() const { return summary_; }
    // The column widths of the batch last filled.
    const std::vector<int>& Widths() const { return widths_; }

    // Whether the item needs a heading; with emit, appends it and remembers it.
    bool AddHeadings(const ItemHead& item, bool emit, std::vector<ReportCommand>* out);

private:
    const ReportRun& run_;
    const ReportCells& cells_;
    ColumnMeasure measure_;
    std::size_t row_;
    bool titleTaken_ = false;
    const Node* lastCatalog_ = nullptr;
    const Node* lastDisk_ = nullptr;
    const Node* lastFolder_ = nullptr;
    ReportSummary summary_;
    std::vector<int> widths_;
};

}  // namespace kv
