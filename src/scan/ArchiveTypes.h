#pragma once
// The archive file types the scan knows by extension (1..14), with what each
// type can do. A different coding from the types the archive library detects
// from signatures: this one decides which files the scan opens as archives.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

inline constexpr int kArchiveTypeCount = 14;

namespace ArchiveTypeCode {
inline constexpr int None = 0;
inline constexpr int Arc = 1;
inline constexpr int Arj = 2;
inline constexpr int Cab = 3;
inline constexpr int Ha = 4;
inline constexpr int Lha = 5;
inline constexpr int Lzh = 6;
inline constexpr int Pak = 7;
inline constexpr int Rar = 8;
inline constexpr int Zip = 9;
inline constexpr int Zoo = 10;
inline constexpr int Exe = 11;
inline constexpr int Tar = 12;
inline constexpr int Gz = 13;
inline constexpr int Z = 14;
}  // namespace ArchiveTypeCode

struct ArchiveTypeRow {
    std::string_view extension;  // upper case, at most 3 characters
    bool extractable;            // members can be read back out, not only listed
    bool extractToFolders;       // RAR only: Extract To asks for it
    bool numberedVolumes;        // later parts: first letter of the extension and two digits
    bool hasComment;             // the format carries an archive comment
};

// Index = type - 1.
extern const std::array<ArchiveTypeRow, kArchiveTypeCount> ArchiveTypeTable;

// The user's per-type switch ("ArchiveSupport"); index = type - 1. An archive of
// a disabled type is an ordinary file.
using ArchiveSwitches = std::array<bool, kArchiveTypeCount>;
ArchiveSwitches DefaultArchiveSwitches();

// The type of a file by its extension: 1..14, or 0. "ARCHIVE.R05" is RAR,
// "A.z" is 14, "A.001" and "A.A1" are nothing.
int GetArchiveType(std::string_view fileName);
// The type is known and its members can be extracted.
bool IsSupportedArchive(std::string_view fileName);
// Row of a type 1..14; nullptr for anything else.
const ArchiveTypeRow* ArchiveTypeInfo(int type);
bool IsArchiveTypeEnabled(const ArchiveSwitches& switches, int type);

}  // namespace kv
