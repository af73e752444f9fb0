#pragma once
// For the report benchmarks: a catalog of 100,000 files in 1,000 folders of
// one disk (or fewer folders of 100 files); rows: every folder followed by its
// files, the folders in reverse order of their names so that the sort by
// source has work to do.
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "catalog/model/Forest.h"
#include "report/ReportTarget.h"
#include "search/reports/ReportForm.h"
#include "search/reports/ReportSort.h"
#include "shell/browse/ListReportCells.h"

namespace kv::bench {

struct ReportCatalog {
    kv::Forest forest;
    std::vector<const kv::ItemHead*> rows;

    explicit ReportCatalog(int folders = 1000) {
        kv::Node& catalog = forest.addRoot("Big");
        (void)catalog.setRecord(std::make_unique<kv::TCatalogRec>());
        kv::Node& disk = forest.addChild(catalog, "Disk");
        (void)disk.setRecord(std::make_unique<kv::TDiskRec>());
        for (int f = folders - 1; f >= 0; --f) {
            kv::Node& folder = forest.addChild(disk, "folder" + std::to_string(f));
            auto rec = std::make_unique<kv::TFolderRec>();
            for (int i = 0; i < 100; ++i)
                rec->addFileFromFile("file" + std::to_string(i) + ".txt").stored.size = 1000u + static_cast<unsigned>(i);
            kv::TFolderRec& owner = *rec;
            (void)folder.setRecord(std::move(rec));
            rows.push_back(&owner);
            for (kv::TFileRec& file : owner.files)
                rows.push_back(&file);
        }
    }
};

// The rows sorted by their source under the user list's columns: the report
// every benchmark times.
inline kv::ReportRun SortedUserListRun(const std::vector<const kv::ItemHead*>& rows) {
    kv::ReportRun run;
    run.rows = rows;
    kv::SortItemsBySource(run.rows);
    run.sorted = true;
    run.columns = kv::AllReportColumns(kv::UserListColumns());
    return run;
}

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Text measured by its length: pages laid out without GDI's measuring.
class LengthMeasurer : public report::TextMeasurer {
public:
    double TextWidth(const report::ReportFont& font, std::string_view text) const override {
        return static_cast<double>(text.size()) * font.size * 0.6;
    }
    double TextHeight(const report::ReportFont& font, std::string_view, double, bool) const override {
        return report::FontPixels(font.size);
    }
};

}  // namespace kv::bench
