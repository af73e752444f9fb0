#include "scan/properties/PropertiesFacts.h"

#include <cmath>
#include <cstdio>

#include "base/text/SizeFormat.h"
#include "catalog/model/DiskSpace.h"
#include "scan/ArchiveTypes.h"
#include "system/drives/MediaTypes.h"

namespace kv {

PropertyPages ChoosePropertyPages(const ItemRecord* nodeRecord, const TFileRec* file) {
    PropertyPages pages;
    const bool catalog = RecordAs<TCatalogRec>(nodeRecord) != nullptr;
    pages.shown[static_cast<std::size_t>(PropertyPage::File)] = file != nullptr;
    pages.shown[static_cast<std::size_t>(PropertyPage::Folder)] = RecordAs<TFolderRec>(nodeRecord) != nullptr;
    pages.shown[static_cast<std::size_t>(PropertyPage::Disk)] = !catalog;
    pages.shown[static_cast<std::size_t>(PropertyPage::Catalog)] = catalog;
    for (std::size_t i = 0; i < pages.shown.size(); ++i)
        if (pages.shown[i]) {
            pages.first = static_cast<PropertyPage>(i);
            break;
        }
    return pages;
}

std::string SizeWithBytes(std::int64_t bytes, std::string_view decimalSeparator) {
    return FormatSize(bytes, decimalSeparator) + "  (" + std::to_string(bytes) + " Bytes)";
}

std::string PackedSizeText(std::uint32_t packed, std::uint32_t size, std::string_view decimalSeparator) {
    if (packed == 0)
        return "(unknown)";
    std::string text = FormatSize(packed, decimalSeparator);
    if (size == 0)
        return text;
    const long ratio = 100 - std::lround(static_cast<double>(packed) * 100.0 / static_cast<double>(size));
    return text + "  (ratio: " + std::to_string(ratio) + " %)";
}

std::string CrcText(std::uint32_t crc) {
    char text[12];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(crc));
    return text;
}

namespace {

std::string extensionOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == name.size())
        return "";
    std::string ext(name.substr(dot + 1));
    for (char& c : ext)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return ext;
}

}  // namespace

std::string FileTypeText(std::string_view fileName, const std::string& shellTypeName) {
    if (!shellTypeName.empty())
        return shellTypeName;
    const std::string ext = extensionOf(fileName);
    return ext.empty() ? "unknown file type" : ext + " file";
}

std::string ArchiveFolderType(std::string_view archiveName) {
    const int type = GetArchiveType(archiveName);
    if (type == ArchiveTypeCode::Exe)
        return "Self-extracted compressed file";
    const ArchiveTypeRow* row = ArchiveTypeInfo(type);
    return "Compressed file (" + (row ? std::string(row->extension) : extensionOf(archiveName)) + ")";
}

DiskClass ClassifyDisk(const TDiskRec& disk) {
    if (disk.isVirtual())
        return DiskClass::Virtual;
    switch (disk.volume.mediaType) {
    case 0: case 1: case 2: case 3: case 4: case 7: case 9: return DiskClass::Floppy;
    case MediaType::HardDisk: return DiskClass::HardDisk;
    case MediaType::CdRom: return DiskClass::CdRom;
    case MediaType::Removable: return DiskClass::Removable;
    default: return DiskClass::Other;
    }
}

CatalogStatistics CollectCatalogStatistics(const Node& catalog) {
    CatalogStatistics stats;
    for (const auto& child : catalog.children()) {
        const TDiskRec* disk = RecordAs<TDiskRec>(child->record());
        if (!disk)
            continue;
        const auto c = static_cast<std::size_t>(ClassifyDisk(*disk));
        const FixedSize total = GetDiskSpace(*disk, DiskSpaceKind::Total);
        ++stats.count[c];
        stats.capacity[c] += total;
        ++stats.disks;
        stats.total += total;
        stats.used += GetDiskSpace(*disk, DiskSpaceKind::Used);
        stats.files += std::uint64_t{disk->volume.fileCount} + disk->volume.archiveMemberCount;
        stats.folders += disk->volume.folderCount;
    }
    return stats;
}

std::string DiskClassText(const CatalogStatistics& stats, DiskClass c, std::string_view decimalSeparator) {
    const auto i = static_cast<std::size_t>(c);
    return std::to_string(stats.count[i]) + " (total " + FormatSize(stats.capacity[i], decimalSeparator) + ")";
}

FixedSize LostInFileSystem(const Node& diskNode) {
    const TDiskRec* disk = RecordAs<TDiskRec>(diskNode.record());
    if (!disk)
        return {};
    FixedSize lost = GetDiskSpace(*disk, DiskSpaceKind::Used);
    for (const TFileRec& file : disk->files)
        lost -= FixedSize::fromBytes(file.stored.size);
    for (const auto& child : diskNode.children())
        if (const TFolderRec* folder = RecordAs<TFolderRec>(child->record()))
            lost -= folder->stored.totalSize;
    return lost.raw < 0 ? FixedSize{} : lost;
}

PieSplit SplitPie(FixedSize total, FixedSize used) {
    PieSplit split;
    if (total.raw > 0 && used.raw >= 0) {
        const long percent = std::lround(used.toDouble() / total.toDouble() * 100.0);
        split.usedPercent = static_cast<int>(std::min(100L, percent));
    }
    split.showFree = split.usedPercent < 100;
    return split;
}

CategoryChoices ListCategoryChoices(const TCatalogRec* catalog, std::uint8_t categoryByte) {
    CategoryChoices choices;
    if (!catalog || catalog->categories.empty()) {
        choices.names = {"(no categories defined)"};
        choices.codes = {0};
        return choices;
    }
    choices.enabled = true;
    choices.names = {"(none)"};
    choices.codes = {0};
    const std::uint8_t code = CategoryByte::Code(categoryByte);
    for (const CategoryEntry& entry : catalog->categories) {
        if (entry.code == code && code != 0)
            choices.selected = static_cast<int>(choices.names.size());
        choices.names.push_back(entry.name);
        choices.codes.push_back(entry.code);
    }
    return choices;
}

}  // namespace kv
