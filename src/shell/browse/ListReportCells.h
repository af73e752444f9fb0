#pragma once
// A list's cells for a report: the list's own cell texts, descriptions whole,
// and the columns a report of it prints by default.
#include <functional>
#include <vector>

#include "search/reports/ReportCommands.h"
#include "shell/browse/ItemCells.h"
#include "shell/browse/ItemColumns.h"

namespace kv {

class ListReportCells : public ReportCells {
public:
    // icon: the picture of a row in the shared image lists; none: no icons.
    ListReportCells(ItemListKind list, CellContext context, std::function<int(const ItemHead&)> icon = {});
    std::string Cell(const ItemHead& rec, int column) const override;
    int Icon(const ItemHead& rec) const override;

private:
    ItemListKind list_;
    CellContext context_;
    std::function<int(const ItemHead&)> icon_;
};

// Every column of the list in its own order.
std::vector<ReportColumn> AllReportColumns(std::span<const ListColumn> columns);

}  // namespace kv
