#include "shell/commands/ScanDefaults.h"

#include "scan/DescSources.h"

namespace kv {

ScanOptions ScanDefaults(const Settings& s) {
    ScanOptions o;
    o.ignoreHiddenFiles = s.ignoreHiddenFiles;
    o.ignoreHiddenFolders = s.ignoreHiddenFolders;
    o.ignoreRecycle = s.ignoreRecycle;
    o.browseArchives = s.browseArchives;
    o.archiveQuickScan = s.archiveQuickScan;
    o.archiveDescOnly = s.archiveDescOnly;
    auto enabled = [&s](DescSource source) { return s.descEnabled[static_cast<std::size_t>(source)]; };
    o.importDiz = enabled(DescSource::FileIdDiz);
    o.importBbs = enabled(DescSource::FilesBbs);
    o.import4Dos = enabled(DescSource::DescriptIon);
    o.importComment = enabled(DescSource::ArchiveComment);
    // The settings keep the order by source code; the scan reads it as the dialog's items.
    const std::vector<std::string> items = DefaultImportDescItems();
    o.descOrder.clear();
    for (DescSource source : s.descOrder)
        for (const std::string& item : items)
            if (DescSourceOfItem(item) == static_cast<std::uint8_t>(source)) o.descOrder.push_back(item);
    o.descTruncLines = s.truncateDesc ? s.truncateLines : 0;
    o.archiveEnabled = s.archiveEnabled;
    o.carryOver = s.keepCurrentDesc;
    return o;
}

void SaveScanDefaults(Settings& s, const ScanOptions& o, bool ejectMedia) {
    auto enable = [&s](DescSource source, bool on) { s.descEnabled[static_cast<std::size_t>(source)] = on; };
    enable(DescSource::FileIdDiz, o.importDiz);
    enable(DescSource::FilesBbs, o.importBbs);
    enable(DescSource::DescriptIon, o.import4Dos);
    enable(DescSource::ArchiveComment, o.importComment);
    s.keepCurrentDesc = o.carryOver;
    s.browseArchives = o.browseArchives;
    s.ejectAfterScan = ejectMedia;
    s.archiveDescOnly = o.archiveDescOnly;
    s.archiveQuickScan = o.archiveQuickScan;
}

}  // namespace kv
