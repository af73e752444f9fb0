#include "shell/setup/ColumnsSetupModel.h"

#include <utility>

#include "search/compare/CompareView.h"
#include "shell/browse/ItemColumns.h"

namespace kv {

std::vector<std::string> ColumnsListCaptions(int list) {
    std::span<const ListColumn> columns;
    switch (list) {
    case ColumnsList::MainDisks: columns = DiskListColumns(); break;
    case ColumnsList::MainFiles: columns = FileListColumns(); break;
    case ColumnsList::SearchResults: columns = SearchListColumns(); break;
    case ColumnsList::UserList: columns = UserListColumns(); break;
    case ColumnsList::CompareResults: {
        std::vector<std::string> captions;
        for (const CompareListColumn& c : kCompareListColumns) captions.emplace_back(c.caption);
        return captions;
    }
    default: break;
    }
    std::vector<std::string> captions;
    for (const ListColumn& c : columns) captions.emplace_back(c.caption);
    return captions;
}

void ColumnsSetupModel::fill(int list, const ColumnsRecord& record, std::span<const std::string> captions) {
    list_ = list;
    base_ = record;
    rows_.clear();
    const ColumnPlacement place = PlaceColumns(list, record, captions.size());
    for (std::size_t i = 0; i < place.order.size(); ++i) {
        const auto column = static_cast<std::size_t>(place.order[i]);
        rows_.push_back({place.order[i], captions[column], place.widths[column] != 0});
    }
    changed_ = false;
}

int ColumnsSetupModel::move(int selected, int delta) {
    const int to = selected + delta;
    if (selected < 0 || to < 0 || static_cast<std::size_t>(selected) >= rows_.size() ||
        static_cast<std::size_t>(to) >= rows_.size())
        return -1;
    std::swap(rows_[static_cast<std::size_t>(selected)], rows_[static_cast<std::size_t>(to)]);
    changed_ = true;
    return to;
}

void ColumnsSetupModel::setVisible(int row, bool visible) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return;
    rows_[static_cast<std::size_t>(row)].visible = visible;
    changed_ = true;
}

ColumnsRecord ColumnsSetupModel::record() const {
    ColumnsRecord r = base_;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        r.order[i] = rows_[i].column;
        r.visible[i] = rows_[i].visible ? 1 : 0;
    }
    return r;
}

}  // namespace kv
