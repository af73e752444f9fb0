#include "scan/ArchiveTypes.h"

namespace kv {

const std::array<ArchiveTypeRow, kArchiveTypeCount> ArchiveTypeTable = {{
    {"ARC", true, false, false, false},
    {"ARJ", true, false, true, true},
    {"CAB", false, false, false, false},
    {"HA", false, false, false, false},
    {"LHA", true, false, false, false},
    {"LZH", true, false, false, false},
    {"PAK", false, false, false, false},
    {"RAR", true, true, true, true},
    {"ZIP", true, false, true, true},
    {"ZOO", true, false, false, true},
    {"EXE", false, false, false, false},
    {"TAR", true, false, false, false},
    {"GZ", true, false, false, false},
    {"Z", false, false, false, false},
}};

ArchiveSwitches DefaultArchiveSwitches() {
    ArchiveSwitches all{};
    all.fill(true);
    return all;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

}  // namespace

int GetArchiveType(std::string_view fileName) {
    const std::size_t slash = fileName.find_last_of("\\/:");
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return ArchiveTypeCode::None;
    std::string ext(fileName.substr(dot + 1));
    for (char& c : ext) c = AsciiUpper(c);
    for (int type = kArchiveTypeCount; type >= 1; --type) {
        const ArchiveTypeRow& row = ArchiveTypeTable[type - 1];
        if (ext == row.extension)
            return type;
        // A later volume keeps the first letter and numbers the other two.
        if (row.numberedVolumes && ext.size() == 3 && IsDigit(ext[1]) && IsDigit(ext[2]) &&
            ext[0] == row.extension[0])
            return type;
    }
    return ArchiveTypeCode::None;
}

const ArchiveTypeRow* ArchiveTypeInfo(int type) {
    return type >= 1 && type <= kArchiveTypeCount ? &ArchiveTypeTable[type - 1] : nullptr;
}

bool IsSupportedArchive(std::string_view fileName) {
    const ArchiveTypeRow* row = ArchiveTypeInfo(GetArchiveType(fileName));
    return row && row->extractable;
}

bool IsArchiveTypeEnabled(const ArchiveSwitches& switches, int type) {
    return type >= 1 && type <= kArchiveTypeCount && switches[type - 1];
}

}  // namespace kv
