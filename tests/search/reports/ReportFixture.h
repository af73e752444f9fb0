#pragma once
// Two catalogs in memory for the report tests: "Home" with two disks (one a
// copy of the other's medium, under another name), folders with commas in
// their names, an archive in a root and a two-line description; "Work", a
// second catalog whose disk has the same name as one of Home's.
#include "base/DosDateTime.h"
#include "catalog/model/Forest.h"
#include "search/reports/CustomTree.h"
#include "search/reports/ReportCommands.h"
#include "search/reports/ReportSort.h"
#include "tests/catalog/CatalogPlan.h"

namespace kv::test {

inline std::uint32_t ReportDos(int y, int mo, int d) { return encodeDosDateTime({y, mo, d, 12, 30, 0}); }

inline FilePlan ReportFile(std::string name, std::uint32_t size, std::string description = {}) {
    return {std::move(name), {0x20, ReportDos(2020, 1, 2), ReportDos(2021, 3, 4), ReportDos(2021, 3, 4), size, 0},
            std::move(description)};
}

inline DiskPlan ReportDisk(std::string name, std::uint32_t serial) {
    DiskPlan d;
    d.start.name = std::move(name);
    d.start.fileSystem = "CDFS";
    d.start.volume.mediaType = 10;  // CD-ROM
    d.start.volume.bytesPerSector = 2048;
    d.start.volume.sectorsPerCluster = 1;
    d.start.volume.totalClusters = 312000;
    d.start.volume.serialNumber = serial;
    return d;
}

inline CatalogPlan HomeCatalog() {
    CatalogPlan c;
    c.name = "Home";
    DiskPlan cd = ReportDisk("CD-ROM 17", 0x950CDE9A);  // top bit set: written negative
    cd.files = {ReportFile("readme.txt", 1500, "Read me\r\nfirst")};
    FolderPlan photos;
    photos.name = "Photos, 2004";
    photos.data.totalSize = FixedSize::fromBytes(3 * 1024 * 1024);
    photos.files = {ReportFile("beach.jpg", 2 * 1024 * 1024), ReportFile("a,b.jpg", 1024 * 1024)};
    FolderPlan raw;
    raw.name = "Raw";
    raw.files = {ReportFile("img1.raw", 4096)};
    photos.children.push_back(raw);
    FolderPlan setup;
    setup.name = "Setup";
    FolderPlan zip;
    zip.name = "tools.zip";
    zip.flags = ItemFlags::Folder | ItemFlags::Archive;
    zip.data.totalSize = FixedSize::fromBytes(777);
    zip.files = {ReportFile("tool.exe", 777)};
    cd.folders = {photos, setup, zip};
    DiskPlan copy = ReportDisk("CD-ROM 17 copy", 0x950CDE9A);
    copy.files = {ReportFile("other.txt", 10)};
    c.disks = {cd, copy};
    return c;
}

inline CatalogPlan WorkCatalog() {
    CatalogPlan c;
    c.name = "Work";
    DiskPlan d = ReportDisk("CD-ROM 17", 1234567);
    d.start.volume.bytesPerSector = 512;
    d.start.volume.totalClusters = 2847;
    d.files = {ReportFile("plan.doc", 2048)};
    c.disks = {d};
    return c;
}

// Cells by column: 0 the name, 1 the size in bytes, 2 the description.
class FixtureCells : public ReportCells {
public:
    std::string Cell(const ItemHead& rec, int column) const override;
    int Icon(const ItemHead& rec) const override { return rec.kind(); }
};

// The name, size and description columns.
inline std::vector<ReportColumn> FixtureColumns() {
    return {{"Name", 0, report::Alignment::Left}, {"Size", 1, report::Alignment::Right},
            {"Description", 2, report::Alignment::Left}};
}

// A custom report of the forest's first catalog with everything included, as
// the generator collects and sorts it; tree holds the collected lists.
inline ReportRun FixtureRun(const Forest& forest, CustomTree& tree) {
    tree.BuildReportTree(forest);
    tree.ExpandLevels(*tree.roots()[0], kAllLevels);
    tree.SetFilesState(*tree.roots()[0], true, kAllLevels);
    ReportRun run;
    run.rows = tree.CollectCustomReportItems();
    SortItemsBySource(run.rows);
    run.sorted = true;
    run.title = "Custom Report";
    run.columns = FixtureColumns();
    return run;
}

}  // namespace kv::test
