#pragma once
// What the compare window shows without windows: the category names, the
// cells of files found on disk, which actions the rows allow, the stepping
// between categories and the order of the New list.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "search/compare/CompareEngine.h"
#include "search/results/FoundActions.h"
#include "search/window/SearchToolbar.h"

namespace kv {

// Rows 0..3 name Compare to Media's lists, rows 4..6 the file check's.
int CategoryRow(bool checkMode, int category);
const char* CategoryName(int row);
const char* CategoryDescription(int row);
// "Files that ... (3 files)" for the combo box, "  Same files (3)  " for the tab.
std::string CategoryComboText(int row, std::size_t count);
std::string CategoryTabText(int row, std::size_t count);

// The category step keys wrap around: after the last comes the first.
int StepCategory(int current, int highest, int step);

enum CompareColumn { kCompareName, kCompareExt, kCompareSize, kCompareDate, kCompareMedia, kCompareFolder,
                     kCompareDescription, kCompareColumnCount };

// The compare list's columns as the window makes them (the columns setup names them too).
struct CompareListColumn {
    const char* caption;
    int width;
    bool rightAligned;
};
inline constexpr CompareListColumn kCompareListColumns[kCompareColumnCount] = {
    {"File or Folder", 160, false}, {"Ext", 50, false},    {"Item Size", 90, true},     {"Item Date", 110, true},
    {"Media Name", 110, false},     {"Folder", 200, false}, {"Description", 200, false}};

struct MediaCellFormats {
    std::function<std::string(std::uint64_t)> size;
    std::function<std::string(std::uint32_t)> dateTime;
};

// A file found on disk, by column: no disk ("(none)") and no description.
std::string MediaEntryCell(const CompareResults& results, const TMediaFileEntry& entry, int column,
                           const MediaCellFormats& formats);

// Sorts the New list by a column: text columns ignoring case, size, date.
void SortMediaEntries(std::vector<TMediaFileEntry>& entries, const CompareResults& results, int column,
                      bool descending);

// Category 0 lists files without records: nothing acts on them. Locate, Edit
// Description and Properties need a focused record; Explorer, Launch and View
// also a selection (and not in Deleted for Explorer and View); Set Category,
// Add to User List, Copy To and Extract go by the selected records.
FoundActionStates EnableCompareActions(int category, bool checkMode, const FoundSelection& selection,
                                       const SupportedArchive& supported);

std::span<const SearchButton> CompareToolbarButtons();
std::span<const int> CompareToolbarBevelTags();

}  // namespace kv
