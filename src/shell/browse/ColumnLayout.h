#pragma once
// The kept column layout of an item list: the column shown at each display
// position and whether it shows, stored as 56 bytes ("ListView" + the list's
// number under "Columns"). Stored bytes are not trusted: a layout that does
// not fit the list's columns falls back to the default order.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kv {

class SectionStore;

// The lists whose layouts are kept.
namespace ColumnsList {
inline constexpr int MainDisks = 0;
inline constexpr int MainFiles = 1;
inline constexpr int SearchResults = 2;
inline constexpr int UserList = 3;
inline constexpr int CompareResults = 4;
}  // namespace ColumnsList

struct ColumnsRecord {
    static constexpr std::size_t kPositions = 11;
    static constexpr std::size_t kBytes = 56;
    std::array<std::int32_t, kPositions> order{};
    std::array<std::uint8_t, kPositions> visible{};
    bool operator==(const ColumnsRecord&) const = default;
};

// Every column visible in its own place; the file list shows the category
// before the description.
ColumnsRecord DefaultColumnsRecord(int list);
// The stored bytes over the defaults: a shorter value sets only what it
// holds, a longer one is not the record and leaves the defaults.
ColumnsRecord DecodeColumnsRecord(int list, std::span<const std::uint8_t> bytes);
std::array<std::uint8_t, ColumnsRecord::kBytes> EncodeColumnsRecord(const ColumnsRecord& record);

inline constexpr const char* kColumnsSection = "Columns";
std::string ColumnsValueName(int list);
ColumnsRecord ReadColumnsRecord(const SectionStore& store, int list);
bool WriteColumnsRecord(SectionStore& store, int list, const ColumnsRecord& record);

// The record applied to a list of `count` columns: the display order and each
// column's width (0 hidden, -2 sized to its header).
struct ColumnPlacement {
    std::vector<int> order;
    std::vector<int> widths;
};
inline constexpr int kHeaderWidth = -2;
ColumnPlacement PlaceColumns(int list, const ColumnsRecord& record, std::size_t count);
// Reads a live list back into the record: its display order, and a column
// shows when its width is not 0. Positions beyond the list keep their values.
void SyncColumnsRecord(ColumnsRecord& record, std::span<const int> order, std::span<const int> widths);

}  // namespace kv
