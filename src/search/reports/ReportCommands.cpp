#include "search/reports/ReportCommands.h"

#include <algorithm>
#include <limits>

#include "base/text/SizeFormat.h"
#include "base/text/TextLines.h"
#include "base/text/TextPadding.h"
#include "catalog/model/DiskSpace.h"
#include "catalog/model/ItemPath.h"
#include "catalog/model/Node.h"
#include "system/drives/MediaTypes.h"

namespace kv {

namespace {

void AddSaturated(std::uint64_t& total, std::int64_t raw) {
    if (raw <= 0)
        return;
    const auto add = static_cast<std::uint64_t>(raw);
    total = add > std::numeric_limits<std::uint64_t>::max() - total ? std::numeric_limits<std::uint64_t>::max()
                                                                   : total + add;
}

FixedSize ToFixed(std::uint64_t raw) {
    const auto top = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return FixedSize::fromRaw(static_cast<std::int64_t>(std::min(raw, top)));
}

void AppendPart(std::string& out, std::uint64_t count, const char* noun, std::uint64_t total,
                std::string_view separator) {
    if (!out.empty())
        out += ", ";
    out += std::to_string(count) + ' ' + noun + (count == 1 ? "" : "s") + " (" + FormatSize(ToFixed(total), separator) +
           ')';
}

}  // namespace

void ReportCells::Summarise(const ItemHead& rec, ReportSummary& summary) const { summary.Add(rec); }

void ReportSummary::AddFile(std::uint64_t bytes) {
    ++files;
    const auto top = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max() / FixedSize::kScale);
    AddSaturated(fileTotal, static_cast<std::int64_t>(std::min(bytes, top)) * FixedSize::kScale);
}

void ReportSummary::Add(const ItemHead& rec) {
    if (const auto* file = RecordAs<TFileRec>(&rec)) {
        AddFile(file->stored.size);
    } else if (const auto* folder = RecordAs<TFolderRec>(&rec)) {
        // An archive stands for a file.
        if (HasFlag(folder->flags, ItemFlags::Archive)) {
            ++files;
            AddSaturated(fileTotal, folder->stored.totalSize.raw);
        } else {
            ++folders;
            AddSaturated(folderTotal, folder->stored.totalSize.raw);
        }
    } else if (const auto* disk = RecordAs<TDiskRec>(&rec)) {
        ++disks;
        AddSaturated(diskTotal, GetDiskSpace(*disk, DiskSpaceKind::Total).raw);
    }
}

std::string BuildSummaryText(const ReportSummary& s, std::string_view sep) {
    std::string parts;
    if (s.disks > 0)
        AppendPart(parts, s.disks, "disk", s.diskTotal, sep);
    if (s.folders > 0)
        AppendPart(parts, s.folders, "folder", s.folderTotal, sep);
    if (s.files > 0 || parts.empty())
        AppendPart(parts, s.files, "file", s.fileTotal, sep);
    return "Total of " + parts;
}

std::string DiskDetailsText(const ItemHead& rec, std::string_view sep) {
    const auto* disk = RecordAs<TDiskRec>(&rec);
    if (!disk)
        return {};
    return "Type: " + MediaTypeName(disk->volume.mediaType, disk->flags) + ", total " +
           FormatSize(GetDiskSpace(*disk, DiskSpaceKind::Total), sep) + " (free " +
           FormatSize(GetDiskSpace(*disk, DiskSpaceKind::Free), sep) + ")";
}

int LongestLineLength(std::string_view text) {
    std::size_t longest = 0;
    for (std::string_view line : SplitLines(text))
        longest = std::max(longest, line.size());
    return static_cast<int>(longest);
}

ReportBatcher::ReportBatcher(const ReportRun& run, const ReportCells& cells, ColumnMeasure measure)
    : run_(run), cells_(cells), measure_(std::move(measure)), row_(std::min(run.firstRow, run.rows.size())) {}

bool ReportBatcher::AddHeadings(const ItemHead& item, bool emit, std::vector<ReportCommand>* out) {
    const std::uint8_t kind = item.kind();
    if (kind == ItemFlags::Catalog)
        return false;
    const Node* disk = nullptr;
    const Node* folder = nullptr;
    if (kind == ItemFlags::Disk) {
        disk = item.node;
    } else {
        disk = GetItemOwner(&item, OwnerQuery::DiskOfOwner);
        const Node* own = kind == ItemFlags::File ? item.node : (item.node ? item.node->parent() : nullptr);
        if (own && RecordAs<TFolderRec>(own->record()))
            folder = own;
    }
    const Node* catalog = disk ? disk->parent() : nullptr;
    const bool belowDisk = kind == ItemFlags::File || kind == ItemFlags::Folder;
    bool pending = false;
    if (run_.headings.catalog && catalog && catalog != lastCatalog_) {
        pending = true;
        if (emit) {
            out->push_back({ReportCode::CatalogHeading, catalog->text(), {}, -1});
            lastCatalog_ = catalog;
        }
    }
    if (run_.headings.disk && belowDisk && disk && disk != lastDisk_) {
        pending = true;
        if (emit) {
            out->push_back({ReportCode::DiskHeading, disk->text(), {}, -1});
            out->push_back({ReportCode::DiskDetails,
                            disk->record() ? DiskDetailsText(*disk->record(), run_.decimalSeparator) : std::string(),
                            {}, -1});
            lastDisk_ = disk;
        }
    }
    if (run_.headings.folder && belowDisk && folder != lastFolder_) {
        // Rows in a disk's root get no folder heading, but they do not stay
        // under the heading of the folder before them either.
        pending = true;
        if (emit) {
            if (folder)
                out->push_back({ReportCode::FolderHeading, GetItemPath(folder->record(), true, false), {}, -1});
            lastFolder_ = folder;
        }
    }
    return pending;
}

std::vector<ReportCommand> ReportBatcher::FillReportCommands(const std::function<bool()>& stop) {
    std::vector<ReportCommand> out;
    if (Done())
        return out;
    const std::size_t n = run_.columns.size();
    widths_.assign(n, 0);
    summary_ = {};
    if (run_.sorted)
        AddHeadings(*run_.rows[row_], true, &out);
    bool firstPass = true;
    while (!Done()) {
        if (!titleTaken_) {
            titleTaken_ = true;
            // The title comes before the first headings.
            out.insert(out.begin(), ReportCommand{ReportCode::Title, run_.title, {}, -1});
        }
        if (firstPass) {
            ReportCommand header{ReportCode::ColumnHeader, {}, {}, -1};
            for (std::size_t k = 0; k < n; ++k) {
                header.cells.push_back(run_.columns[k].caption);
                widths_[k] = std::max(widths_[k], measure_(true, run_.columns[k].caption));
            }
            out.push_back(std::move(header));
            firstPass = false;
        }
        const ItemHead& item = *run_.rows[row_];
        ReportCommand row{ReportCode::Row, {}, {}, cells_.Icon(item)};
        for (std::size_t k = 0; k < n; ++k) {
            std::string cell = TrimTrailing(cells_.Cell(item, run_.columns[k].column));
            widths_[k] = std::max(widths_[k], measure_(false, cell));
            row.cells.push_back(std::move(cell));
        }
        out.push_back(std::move(row));
        cells_.Summarise(item, summary_);
        ++row_;
        if (stop && stop())
            break;
        if (run_.sorted && !Done() && AddHeadings(*run_.rows[row_], false, nullptr))
            break;
    }
    out.push_back({ReportCode::Summary, BuildSummaryText(summary_, run_.decimalSeparator), {}, -1});
    return out;
}

}  // namespace kv
