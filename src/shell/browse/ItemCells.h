#pragma once
// The text of every cell of every item list (main list, search results, user
// list, disk selection, reports): one function over record kind and column kind.
// It never fails: a record without a disk node, a damaged date or the ".." row
// give empty cells.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/text/DateText.h"
#include "catalog/model/ItemHead.h"

namespace kv {

// Column kinds 0..13; their meaning depends on the record's kind.
namespace ColumnKind {
inline constexpr std::uint8_t Name = 0;
inline constexpr std::uint8_t Ext = 1;            // disks: media type
inline constexpr std::uint8_t Size = 2;           // disks: volume label
inline constexpr std::uint8_t Date = 3;           // disks: capacity
inline constexpr std::uint8_t Time = 4;           // disks: free space
inline constexpr std::uint8_t Attributes = 5;     // disks: cataloguing date
inline constexpr std::uint8_t Description = 6;
inline constexpr std::uint8_t Category = 7;
inline constexpr std::uint8_t DiskName = 10;      // disks: catalog name
inline constexpr std::uint8_t MediaType = 11;     // disks: capacity
inline constexpr std::uint8_t Location = 12;      // disks: free space
inline constexpr std::uint8_t DiskDescription = 13;
inline constexpr std::uint8_t Empty = 255;        // a translated column with no cell
}  // namespace ColumnKind

// How the user's locale writes dates, times and numbers. Members left empty
// fall back to a fixed portable form.
struct CellFormats {
    DateTimeFormatter shortDate;
    DateTimeFormatter longTime;
    DateTimeFormatter shortTime;  // without seconds
    // A whole number with thousands separators.
    std::function<std::string(std::uint64_t)> wholeNumber;
    std::string decimalSeparator = ".";
};

struct CellContext {
    const CellFormats* formats = nullptr;
    // Sizes in units ("1.5 kB"); off: whole numbers of bytes.
    bool formattedSizes = true;
    // The report gets descriptions whole.
    bool forReport = false;
    // The ".." row's record, recognised by identity.
    const ItemHead* upRecord = nullptr;
};

std::string CellText(const ItemHead* rec, std::uint8_t kind, const CellContext& ctx);

// A file size and a DOS date-time ("date time"; empty for 0) as the lists
// show them, for rows that have no record (files found on a medium).
std::string SizeCellText(std::uint64_t bytes, const CellContext& ctx);
std::string DateTimeCellText(std::uint32_t dosDateTime, const CellContext& ctx);

// The first line of a description, or its first 69 characters, with
// " (more...)" when it was cut.
std::string ShortDescription(std::string_view text);

// "d", "r", "h", "s", "a" for the attribute bits set, in that order.
std::string AttributeLetters(std::uint8_t attributes);

// The name the lists search and show first: a file's name, else its node's text.
std::string_view ItemName(const ItemHead* rec);

}  // namespace kv
