#pragma once
// What the generator may report: the main list, the search results, the user
// list, the compare window's list (compare to media or the file check) and the
// custom selection. Which of them are open to the user follows from what the
// other windows hold; the window that opened the generator picks the first.
#include <span>
#include <string>

#include "search/reports/ReportGenSettings.h"

namespace kv {

class Node;

// The Tag of the source radio buttons and the row of the stored columns.
enum ReportSourceId : int {
    kSourceCatalog = 0,
    kSourceSearch = 1,
    kSourceUser = 2,
    kSourceCompareMedia = 3,
    kSourceCheckFiles = 4,
    kSourceCustom = 5,
};

// The window whose report command opened the generator.
enum class ReportOrigin { MainWindow, SearchWindow, UserList, CompareWindow };

// What the other windows hold when the generator asks.
struct ReportWindowFacts {
    bool searchWindow = false;
    bool searchHasItems = false;
    bool searching = false;
    bool userListWindow = false;
    bool userListHasItems = false;
    bool compareWindow = false;
    bool compareCheckMode = false;
    // The category the compare window shows (0 the files found only on the medium).
    int compareCategory = 0;
    std::string compareCategoryName;
};

// Whether the list source can be chosen now (the main list always can).
bool ReportSourceEnabled(int source, const ReportWindowFacts& facts);
// The source checked when the generator opens.
int InitialReportSource(ReportOrigin origin, const ReportWindowFacts& facts);
// Whether "Sort items in list by their source" may be chosen: not for the main
// list, and not for rows that are no catalog items (compare category 0).
bool SortingAllowed(int source, const ReportWindowFacts& facts);

// The title a source starts with; the main list's follows the node it shows.
std::string DefaultReportTitle(int source, const ReportWindowFacts& facts, const Node* mainShown);
// "Contents of folder \"x\"", "Contents of file \"x\"" (an archive), the disk
// name, or "Catalog \"x\"".
std::string MainListTitle(const Node* shown);

// "Copy from List": the list's columns in their display order (order[i] the
// 0-based column shown at position i), those narrower than 1 pixel negated;
// entries beyond the list's columns stay.
ReportColumnRow CopyColumnsFromList(const ReportColumnRow& row, std::span<const int> order,
                                    std::span<const int> widths);

}  // namespace kv
