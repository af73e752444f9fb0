#include "shell/browse/ItemColumns.h"

#include <array>

#include "shell/browse/ItemCells.h"

namespace kv {

namespace {

using A = ColumnAlign;
constexpr std::uint8_t X = ColumnKind::Empty;

constexpr ListColumn kDiskColumns[] = {
    {"Disk Name", A::Left},      {"Media Type", A::Left},     {"Volume Name", A::Left},
    {"Capacity", A::Right},      {"Free Space", A::Right},    {"Last Updated", A::Right},
    {"Description", A::Left},
};

constexpr ListColumn kFileColumns[] = {
    {"Filename", A::Left}, {"Ext", A::Left},    {"Size", A::Right},        {"Date", A::Right},
    {"Time", A::Right},    {"Attr", A::Centre}, {"Description", A::Left},  {"Category", A::Left},
};

constexpr ListColumn kSearchColumns[] = {
    {"File, Folder or Disk", A::Left}, {"Ext", A::Left},         {"Item Size", A::Right},
    {"Item Date", A::Right},           {"Item Time", A::Right},  {"Media Name", A::Left},
    {"Media Type", A::Left},           {"Location", A::Left},    {"Category", A::Left},
    {"Description", A::Left},
};

constexpr ListColumn kUserColumns[] = {
    {"File, Folder or Disk", A::Left}, {"Ext", A::Left},      {"Item Size", A::Right},
    {"Item Date", A::Right},           {"Location", A::Left}, {"Media Type", A::Left},
    {"Folder", A::Left},               {"Category", A::Left}, {"Description", A::Left},
};

constexpr std::array<std::uint8_t, 10> kSearchItemKinds = {0, 1, 2, 3, 4, 10, 11, 12, 7, 6};
constexpr std::array<std::uint8_t, 10> kSearchDiskKinds = {0, X, 3, 5, X, X, 1, 10, 7, 13};
constexpr std::array<std::uint8_t, 9> kUserItemKinds = {0, 1, 2, 3, 10, 11, 12, 7, 6};
constexpr std::array<std::uint8_t, 9> kUserDiskKinds = {0, X, 3, 5, 10, 1, X, 7, 13};
// The compare window lists files and archives only.
constexpr std::array<std::uint8_t, 7> kCompareKinds = {0, 1, 2, 3, 10, 12, 6};

template <std::size_t N>
std::uint8_t lookUp(const std::array<std::uint8_t, N>& table, int column) {
    return column >= 0 && static_cast<std::size_t>(column) < N ? table[static_cast<std::size_t>(column)] : X;
}

}  // namespace

std::span<const ListColumn> DiskListColumns() { return kDiskColumns; }
std::span<const ListColumn> FileListColumns() { return kFileColumns; }
std::span<const ListColumn> SearchListColumns() { return kSearchColumns; }
std::span<const ListColumn> UserListColumns() { return kUserColumns; }

std::uint8_t TranslateColumn(ItemListKind list, int column, const ItemHead* rec) {
    const bool disk = rec && rec->kind() == ItemFlags::Disk;
    switch (list) {
    case ItemListKind::UserList: return lookUp(disk ? kUserDiskKinds : kUserItemKinds, column);
    case ItemListKind::SearchResults: return lookUp(disk ? kSearchDiskKinds : kSearchItemKinds, column);
    case ItemListKind::CompareResults: return lookUp(kCompareKinds, column);
    case ItemListKind::Main:
    case ItemListKind::DiskSelect: break;
    }
    return column >= 0 && column <= 13 ? static_cast<std::uint8_t>(column) : X;
}

}  // namespace kv
