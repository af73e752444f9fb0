#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReportFixture.h"
#include "search/reports/CustomTree.h"
#include "search/reports/ReportSort.h"

namespace kv::test {
namespace {

class ReportBuild : public ::testing::Test {
protected:
    void SetUp() override {
        ModelOf(forest_, HomeCatalog());
        ModelOf(forest_, WorkCatalog());
        tree_.BuildReportTree(forest_);
    }

    // Every disk, folder and file of every catalog, as the generator collects them.
    std::vector<const ItemHead*> Everything() {
        for (const auto& catalog : tree_.roots()) {
            tree_.ExpandLevels(*catalog, kAllLevels);
            tree_.SetFilesState(*catalog, true, kAllLevels);
        }
        return tree_.CollectCustomReportItems();
    }

    // The command stream as "code text|cells" lines.
    std::vector<std::string> Commands(ReportRun& run) {
        FixtureCells cells;
        ReportBatcher batcher(run, cells, [](bool, std::string_view t) { return LongestLineLength(t); });
        std::vector<std::string> out;
        while (!batcher.Done()) {
            for (const ReportCommand& c : batcher.FillReportCommands()) {
                std::string line = std::to_string(static_cast<int>(c.code)) + ' ' + c.text;
                if (c.code == ReportCode::Row)
                    line += c.cells[0];
                if (c.code != ReportCode::ColumnHeader)
                    out.push_back(line);
            }
        }
        return out;
    }

    Forest forest_;
    CustomTree tree_{CatalogLoaders{}};
};

TEST_F(ReportBuild, SortedRowsComeInSourceOrderWithTheirHeadings) {
    ReportRun run;
    run.rows = Everything();
    ASSERT_TRUE(SortItemsBySource(run.rows));
    run.columns = {{"Name", 0, report::Alignment::Left}};
    run.sorted = true;
    run.title = "Custom Report";
    const std::vector<std::string> expected = {
        // The title before the first headings; a disk row gets only the catalog heading.
        "2 Custom Report", "4 Home", "0 CD-ROM 17", "0 CD-ROM 17 copy",
        "3 Total of 2 disks (1.18 GB)",
        // The root's rows get no folder heading: folders first, the archive counts as a file.
        "5 CD-ROM 17", "11 Type: CD-ROM, total 609 MB (free 0 B)", "0 Photos, 2004", "0 Setup", "0 readme.txt",
        "0 tools.zip", "3 Total of 2 folders (3 MB), 2 files (2.22 kB)",
        "6 \\Photos, 2004", "0 Raw", "0 beach.jpg", "0 a,b.jpg", "3 Total of 1 folder (0 B), 2 files (3 MB)",
        "6 \\Photos, 2004\\Raw", "0 img1.raw", "3 Total of 1 file (4 kB)",
        "6 \\tools.zip", "0 tool.exe", "3 Total of 1 file (777 B)",
        "5 CD-ROM 17 copy", "11 Type: CD-ROM, total 609 MB (free 0 B)", "0 other.txt", "3 Total of 1 file (10 B)",
        // A disk of another catalog with the same name is a group of its own.
        "4 Work", "0 CD-ROM 17", "3 Total of 1 disk (1.38 MB)",
        "5 CD-ROM 17", "11 Type: CD-ROM, total 1.38 MB (free 0 B)", "0 plan.doc", "3 Total of 1 file (2 kB)",
    };
    EXPECT_EQ(Commands(run), expected);
}

TEST_F(ReportBuild, HeadingSwitchesAndTheUpRowShapeTheBatches) {
    ReportRun run;
    run.rows = Everything();
    SortItemsBySource(run.rows);
    run.columns = {{"Name", 0, report::Alignment::Left}};
    run.sorted = true;
    run.headings = {false, false, true};
    const std::vector<std::string> folders = Commands(run);
    EXPECT_EQ(std::count_if(folders.begin(), folders.end(), [](const std::string& s) { return s[0] == '4' || s[0] == '5'; }),
              0);
    EXPECT_EQ(std::count_if(folders.begin(), folders.end(), [](const std::string& s) { return s[0] == '6'; }), 3);

    // Unsorted: one batch, no headings; a leading ".." row is neither shown nor summed.
    ReportRun flat;
    Node& up = forest_.makeDetached("..");
    TFolderRec upRec;
    flat.rows = {&upRec, forest_.roots()[1]->child(0)->record()};
    flat.firstRow = 1;
    flat.columns = run.columns;
    EXPECT_EQ(Commands(flat), (std::vector<std::string>{"2 ", "0 CD-ROM 17", "3 Total of 1 disk (1.38 MB)"}));
    (void)up;
}

TEST(ReportSummary, TextsCountEachKindInOrder) {
    struct Case {
        ReportSummary s;
        const char* text;
    };
    const Case cases[] = {
        {{}, "Total of 0 files (0 B)"},
        {{1, 0, 0, 10 * 10000, 0, 0}, "Total of 1 file (10 B)"},
        {{2, 3, 1, 2048ull * 10000, 0, 1024ull * 10000}, "Total of 1 disk (1 kB), 3 folders (0 B), 2 files (2 kB)"},
        // Totals past what the fixed-point type holds stay at its largest value.
        {{1, 0, 0, ~0ull, 0, 0}, "Total of 1 file (838 TB)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildSummaryText(c.s), c.text);
}

// Rows that are no catalog records (files found only on a medium) are counted
// by their list.
TEST(ReportSummary, ListsCountRowsThatAreNoRecords) {
    struct Loose : ItemHead {
        Loose() : ItemHead(0) {}
    };
    class LooseCells : public ReportCells {
    public:
        std::string Cell(const ItemHead&, int) const override { return "loose"; }
        int Icon(const ItemHead&) const override { return -1; }
        void Summarise(const ItemHead&, ReportSummary& summary) const override { summary.AddFile(1024); }
    };
    const Loose a, b;
    ReportRun run;
    run.rows = {&a, &b};
    run.columns = {{"Name", 0, report::Alignment::Left}};
    LooseCells cells;
    ReportBatcher batcher(run, cells, [](bool, std::string_view t) { return LongestLineLength(t); });
    const std::vector<ReportCommand> commands = batcher.FillReportCommands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back().text, "Total of 2 files (2 kB)");
}

}  // namespace
}  // namespace kv::test
