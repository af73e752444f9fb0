#include "shell/browse/ListReportCells.h"

namespace kv {

ListReportCells::ListReportCells(ItemListKind list, CellContext context, std::function<int(const ItemHead&)> icon)
    : list_(list), context_(context), icon_(std::move(icon)) {
    context_.forReport = true;
}

std::string ListReportCells::Cell(const ItemHead& rec, int column) const {
    const std::uint8_t kind = TranslateColumn(list_, column, &rec);
    return kind == ColumnKind::Empty ? std::string() : CellText(&rec, kind, context_);
}

int ListReportCells::Icon(const ItemHead& rec) const { return icon_ ? icon_(rec) : -1; }

std::vector<ReportColumn> AllReportColumns(std::span<const ListColumn> columns) {
    std::vector<ReportColumn> out;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const report::Alignment align = columns[i].align == ColumnAlign::Right    ? report::Alignment::Right
                                        : columns[i].align == ColumnAlign::Centre ? report::Alignment::Centre
                                                                                  : report::Alignment::Left;
        out.push_back({std::string(columns[i].caption), static_cast<int>(i), align});
    }
    return out;
}

}  // namespace kv
