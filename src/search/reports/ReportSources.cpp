#include "search/reports/ReportSources.h"

#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"

namespace kv {

bool ReportSourceEnabled(int source, const ReportWindowFacts& f) {
    switch (source) {
    case kSourceCatalog: return true;
    case kSourceSearch: return f.searchWindow && f.searchHasItems && !f.searching;
    case kSourceUser: return f.userListWindow && f.userListHasItems;
    case kSourceCompareMedia: return f.compareWindow && !f.compareCheckMode;
    case kSourceCheckFiles: return f.compareWindow && f.compareCheckMode;
    case kSourceCustom: return true;
    default: return false;
    }
}

int InitialReportSource(ReportOrigin origin, const ReportWindowFacts& f) {
    if (origin == ReportOrigin::SearchWindow && ReportSourceEnabled(kSourceSearch, f))
        return kSourceSearch;
    if (origin == ReportOrigin::UserList && ReportSourceEnabled(kSourceUser, f))
        return kSourceUser;
    if (origin == ReportOrigin::CompareWindow && f.compareWindow)
        return f.compareCheckMode ? kSourceCheckFiles : kSourceCompareMedia;
    return kSourceCatalog;
}

bool SortingAllowed(int source, const ReportWindowFacts& f) {
    if (source == kSourceCatalog)
        return false;
    if (source == kSourceCompareMedia || source == kSourceCheckFiles)
        return f.compareCategory >= 1 && f.compareCategory <= 3;
    return true;
}

std::string MainListTitle(const Node* shown) {
    if (!shown)
        return {};
    const ItemHead* rec = shown->record();
    if (!shown->parent() || (rec && rec->kind() == ItemFlags::Catalog))
        return "Catalog \"" + shown->text() + "\"";
    if (rec && rec->kind() == ItemFlags::Folder)
        return std::string(HasFlag(rec->flags, ItemFlags::Archive) ? "Contents of file \"" : "Contents of folder \"") +
               shown->text() + "\"";
    return shown->text();
}

std::string DefaultReportTitle(int source, const ReportWindowFacts& f, const Node* mainShown) {
    switch (source) {
    case kSourceSearch: return "Search Results";
    case kSourceUser: return "User List Contents";
    case kSourceCompareMedia: return "Compare To Media Results: " + f.compareCategoryName;
    case kSourceCheckFiles: return "Compare Files to Catalog Results: " + f.compareCategoryName;
    case kSourceCustom: return "Custom Report";
    default: return MainListTitle(mainShown);
    }
}

ReportColumnRow CopyColumnsFromList(const ReportColumnRow& row, std::span<const int> order,
                                    std::span<const int> widths) {
    ReportColumnRow out = row;
    const std::size_t n = std::min(order.size(), kReportColumnSlots);
    for (std::size_t i = 0; i < n; ++i) {
        const int column = order[i];
        if (column < 0 || static_cast<std::size_t>(column) >= kReportColumnSlots)
            continue;
        const bool hidden = static_cast<std::size_t>(column) < widths.size() &&
                            widths[static_cast<std::size_t>(column)] < 1;
        out[i] = static_cast<std::int8_t>(hidden ? -(column + 1) : column + 1);
    }
    return out;
}

}  // namespace kv
