#include "shell/browse/ItemCells.h"

#include <cmath>
#include <cstdio>

#include "base/CatalogDate.h"
#include "base/DosDateTime.h"
#include "base/text/FileNameText.h"
#include "base/text/SizeFormat.h"
#include "base/text/TextLines.h"
#include "catalog/model/DiskSpace.h"
#include "catalog/model/ItemPath.h"
#include "catalog/model/Node.h"
#include "system/drives/MediaTypes.h"

namespace kv {

namespace {

constexpr std::size_t kShortDescriptionLength = 70;

std::string isoDate(const DateTime& t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
    return buf;
}

std::string isoTime(const DateTime& t, bool seconds) {
    char buf[16];
    if (seconds)
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    else
        std::snprintf(buf, sizeof buf, "%02d:%02d", t.hour, t.minute);
    return buf;
}

std::string groupedNumber(std::uint64_t value) {
    std::string digits = std::to_string(value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

const CellFormats& formatsOf(const CellContext& ctx) {
    static const CellFormats fallback;
    return ctx.formats ? *ctx.formats : fallback;
}

std::string dosDate(std::uint32_t value, const CellFormats& f) {
    const auto t = value ? decodeDosDateTime(value) : std::nullopt;
    if (!t)
        return {};
    return f.shortDate ? f.shortDate(*t) : isoDate(*t);
}

std::string dosTime(std::uint32_t value, const CellFormats& f) {
    const auto t = value ? decodeDosDateTime(value) : std::nullopt;
    if (!t)
        return {};
    return f.longTime ? f.longTime(*t) : isoTime(*t, true);
}

std::string wholeSize(std::uint64_t bytes, const CellContext& ctx) {
    const CellFormats& f = formatsOf(ctx);
    if (ctx.formattedSizes)
        return FormatSize(bytes, f.decimalSeparator);
    return f.wholeNumber ? f.wholeNumber(bytes) : groupedNumber(bytes);
}

std::string spaceText(FixedSize size, const CellContext& ctx) {
    return FormatSize(size, formatsOf(ctx).decimalSeparator);
}

std::string description(std::string_view text, const CellContext& ctx) {
    return ctx.forReport ? std::string(text) : ShortDescription(text);
}

const TCatalogRec* catalogOf(const Node* node) {
    while (node && node->parent())
        node = node->parent();
    return node ? RecordAs<TCatalogRec>(node->record()) : nullptr;
}

std::string categoryName(const Node* node, std::uint8_t categoryByte) {
    const std::uint8_t code = CategoryByte::Code(categoryByte);
    const TCatalogRec* catalog = code ? catalogOf(node) : nullptr;
    if (!catalog)
        return {};
    for (const CategoryEntry& c : catalog->categories)
        if (c.code == code)
            return c.name;
    return {};
}

const TDiskRec* diskOf(const Node* diskNode) { return diskNode ? RecordAs<TDiskRec>(diskNode->record()) : nullptr; }

std::string nodeText(const Node* node) { return node ? node->text() : std::string(); }

std::string mediaName(const Node* diskNode) {
    const TDiskRec* disk = diskOf(diskNode);
    return disk ? MediaTypeName(disk->volume.mediaType, disk->flags) : std::string();
}

std::string fileCell(const TFileRec& file, std::uint8_t kind, const CellContext& ctx) {
    const CellFormats& f = formatsOf(ctx);
    switch (kind) {
    case ColumnKind::Name: return std::string(file.name());
    case ColumnKind::Ext: return GetExtNoDot(file.name());
    case ColumnKind::Size: return wholeSize(file.stored.size, ctx);
    case ColumnKind::Date: return dosDate(file.stored.modified, f);
    case ColumnKind::Time: return dosTime(file.stored.modified, f);
    case ColumnKind::Attributes: return AttributeLetters(file.stored.attributes);
    case ColumnKind::Description: return description(file.description.view(), ctx);
    case ColumnKind::Category: return categoryName(file.node, file.stored.category);
    case ColumnKind::DiskName: return nodeText(GetItemOwner(&file, OwnerQuery::DiskOfOwner));
    case ColumnKind::MediaType: return mediaName(GetItemOwner(&file, OwnerQuery::DiskOfOwner));
    case ColumnKind::Location: return file.node ? GetItemPath(&file, true, false) : std::string();
    default: return {};
    }
}

std::string folderCell(const TFolderRec& folder, std::uint8_t kind, const CellContext& ctx) {
    const CellFormats& f = formatsOf(ctx);
    // The ".." row has no parent and no disk: only its own fields make cells.
    const bool up = &folder == ctx.upRecord;
    switch (kind) {
    case ColumnKind::Name: return nodeText(folder.node);
    case ColumnKind::Ext: return up ? std::string() : GetExtNoDot(nodeText(folder.node));
    case ColumnKind::Size: {
        if (up)
            return {};
        const std::int64_t bytes = folder.stored.totalSize.bytes();
        return wholeSize(bytes > 0 ? static_cast<std::uint64_t>(bytes) : 0, ctx);
    }
    case ColumnKind::Date: return dosDate(folder.stored.modified, f);
    case ColumnKind::Time: return dosTime(folder.stored.modified, f);
    case ColumnKind::Attributes: return AttributeLetters(folder.stored.attributes);
    case ColumnKind::Description: return description(folder.description, ctx);
    case ColumnKind::Category: return up ? std::string() : categoryName(folder.node, folder.stored.category);
    case ColumnKind::DiskName: return up ? std::string() : nodeText(GetItemOwner(&folder, OwnerQuery::DiskOfFolder));
    case ColumnKind::MediaType: return up ? std::string() : mediaName(GetItemOwner(&folder, OwnerQuery::DiskOfFolder));
    case ColumnKind::Location: return up || !folder.node ? std::string() : GetItemPath(&folder, false, false);
    default: return {};
    }
}

std::string cataloguedText(double date, const CellFormats& f) {
    if (date == 0 || !std::isfinite(date))
        return {};
    const DateTime t = fromCatalogDate(date);
    std::string text = f.shortDate ? f.shortDate(t) : isoDate(t);
    if (t.hour || t.minute || t.second)
        text += ", " + (f.shortTime ? f.shortTime(t) : isoTime(t, false));
    return text;
}

std::string diskCell(const TDiskRec& disk, std::uint8_t kind, const CellContext& ctx) {
    switch (kind) {
    case ColumnKind::Name: return nodeText(disk.node);
    case ColumnKind::Ext: return MediaTypeName(disk.volume.mediaType, disk.flags);
    case ColumnKind::Size: return disk.label;
    case ColumnKind::Date:
    case ColumnKind::MediaType: return spaceText(GetDiskSpace(disk, DiskSpaceKind::Total), ctx);
    case ColumnKind::Time:
    case ColumnKind::Location: return spaceText(GetDiskSpace(disk, DiskSpaceKind::Free), ctx);
    case ColumnKind::Attributes: return cataloguedText(disk.volume.catalogued, formatsOf(ctx));
    case ColumnKind::Description:
    case ColumnKind::DiskDescription: return description(disk.description, ctx);
    case ColumnKind::DiskName: {
        const Node* n = disk.node;
        while (n && !RecordAs<TCatalogRec>(n->record()))
            n = n->parent();
        return nodeText(n);
    }
    default: return {};
    }
}

std::string catalogCell(const TCatalogRec& catalog, std::uint8_t kind, const CellContext& ctx) {
    const Node* node = catalog.node;
    switch (kind) {
    case ColumnKind::Name: return nodeText(node);
    case ColumnKind::Size: {
        FixedSize total;
        if (node)
            for (const auto& child : node->children())
                if (const auto* disk = RecordAs<TDiskRec>(child->record()))
                    total += GetDiskSpace(*disk, DiskSpaceKind::Total);
        return spaceText(total, ctx);
    }
    case ColumnKind::DiskName: {
        std::size_t disks = 0;
        if (node)
            for (const auto& child : node->children())
                disks += RecordAs<TDiskRec>(child->record()) != nullptr;
        return std::to_string(disks);
    }
    default: return {};
    }
}

}  // namespace

std::string SizeCellText(std::uint64_t bytes, const CellContext& ctx) { return wholeSize(bytes, ctx); }

std::string DateTimeCellText(std::uint32_t dosDateTime, const CellContext& ctx) {
    const CellFormats& f = formatsOf(ctx);
    std::string text = dosDate(dosDateTime, f);
    const std::string time = dosTime(dosDateTime, f);
    return text.empty() || time.empty() ? text : text + " " + time;
}

std::string CellText(const ItemHead* rec, std::uint8_t kind, const CellContext& ctx) {
    if (const auto* file = RecordAs<TFileRec>(rec))
        return fileCell(*file, kind, ctx);
    if (const auto* folder = RecordAs<TFolderRec>(rec))
        return folderCell(*folder, kind, ctx);
    if (const auto* disk = RecordAs<TDiskRec>(rec))
        return diskCell(*disk, kind, ctx);
    if (const auto* catalog = RecordAs<TCatalogRec>(rec))
        return catalogCell(*catalog, kind, ctx);
    return {};
}

std::string ShortDescription(std::string_view text) {
    while (!text.empty() && (text.front() == '\r' || text.front() == '\n'))
        text.remove_prefix(1);
    const std::size_t lineBreak = text.find_first_of("\r\n");
    std::string_view kept;
    if (lineBreak != std::string_view::npos && lineBreak < kShortDescriptionLength)
        kept = text.substr(0, lineBreak);
    else if (text.size() > kShortDescriptionLength)
        kept = text.substr(0, kShortDescriptionLength - 1);
    else
        return std::string(text);
    return TrimLines(kept) + " (more...)";
}

std::string AttributeLetters(std::uint8_t attributes) {
    static constexpr struct {
        std::uint8_t bit;
        char letter;
    } kLetters[] = {{0x10, 'd'}, {0x01, 'r'}, {0x02, 'h'}, {0x04, 's'}, {0x20, 'a'}};
    std::string text;
    for (const auto& l : kLetters)
        if (attributes & l.bit)
            text += l.letter;
    return text;
}

std::string_view ItemName(const ItemHead* rec) {
    if (const auto* file = RecordAs<TFileRec>(rec))
        return file->name();
    if (rec && rec->node)
        return rec->node->text();
    return {};
}

}  // namespace kv
