#pragma once
// The column sets of the item lists and the tables that turn a column of the
// search and user lists into the column kind a record's cell is made from.
#include <cstdint>
#include <span>
#include <string_view>

#include "catalog/model/ItemHead.h"

namespace kv {

// Which list a row belongs to; the comparer and the cell provider work per list.
enum class ItemListKind : std::uint8_t { Main = 0, UserList = 1, SearchResults = 2, DiskSelect = 3, CompareResults = 4 };

enum class ColumnAlign : std::uint8_t { Left, Right, Centre };

struct ListColumn {
    std::string_view caption;
    ColumnAlign align;
};

// The main list's disk columns (also the disk-selection list's) and file columns.
std::span<const ListColumn> DiskListColumns();
std::span<const ListColumn> FileListColumns();
std::span<const ListColumn> SearchListColumns();
std::span<const ListColumn> UserListColumns();

// The column kind of a list's column for a row's record: the main and the
// disk-selection lists use the column itself; the search and user lists
// translate it by the record being a disk or not. ColumnKind::Empty when the
// column has no cell for that record or is out of range.
std::uint8_t TranslateColumn(ItemListKind list, int column, const ItemHead* rec);

}  // namespace kv
