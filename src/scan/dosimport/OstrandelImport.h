#pragma once
// The import of the earlier DOS program's database into a new open catalog,
// named "Ostrandel Catalog" until the ".CMT" file names it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalog/model/Forest.h"
#include "scan/dosimport/OstrandelFiles.h"

namespace kv {

// The four files' bytes; a file that could not be read is missing.
struct OstrandelDatabase {
    std::vector<std::uint8_t> dsk;
    std::optional<std::vector<std::uint8_t>> cmt, fds, fil;
};

class IFileSystem;

// Reads the ".DSK" file and, beside it with the same base name, the other
// three (their extension in the ".DSK" name's case). Nothing, with the reason
// in error, when the ".DSK" cannot be read or its size is not a multiple of 39.
std::optional<OstrandelDatabase> ReadOstrandelDatabase(IFileSystem& files, const std::string& dskPath,
                                                       std::string& error);

struct OstrandelImportResult {
    Node* catalog = nullptr;
    // The ".FIL" file could not be opened: the disks and comments stay.
    bool entriesMissing = false;
};

inline constexpr const char* kOstrandelCatalogName = "Ostrandel Catalog";
inline constexpr const char* kOstrandelNoEntries = "Can't open Ostrandel catalog file!";

// progress: the number of disks first (total), then once per disk read.
OstrandelImportResult ImportOstrandelDatabase(Forest& forest, const OstrandelDatabase& database,
                                              const std::function<void(std::size_t total, std::size_t done)>& progress = {});

// The media type from the record's drive code: hard disk for a disk number
// whose low byte is 0, floppy kinds by capacity, CD-ROM for the CD class, and
// removable drive for what matches no rule.
std::uint8_t SetImportedMediaKind(std::uint8_t driveCode, std::uint8_t diskNumberLowByte, std::uint32_t capacity);
// Label, serial, name length, file system and a geometry made up from the sizes.
void SetImportedDiskSizes(TDiskRec& disk, std::uint32_t capacity, std::uint32_t freeBytes);
// The cataloguing date at midnight; 0 for bytes that are no date.
double ImportedDate(std::uint8_t day, std::uint8_t month, std::uint8_t year);

}  // namespace kv
