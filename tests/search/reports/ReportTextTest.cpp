// The text export against golden files, byte for byte. KV_UPDATE_GOLDEN=1
// rewrites them; read the diff before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ReportFixture.h"
#include "search/reports/CustomTree.h"
#include "search/reports/ReportSort.h"
#include "search/reports/ReportText.h"

namespace kv::test {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TextCase {
    const char* golden;
    TextDelimiter delimiter;
    bool sorted;
    ReportSections sections;
    std::string replacement;
    int stopAfterRows;  // 0: runs to the end
};

class ReportTextGolden : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReportTextGolden, MatchesItsFile) {
    const TextCase& c = GetParam();
    Forest forest;
    ModelOf(forest, HomeCatalog());
    CustomTree tree{CatalogLoaders{}};
    tree.BuildReportTree(forest);
    CustomTreeNode& home = *tree.roots()[0];
    tree.ExpandLevels(home, kAllLevels);
    tree.SetFilesState(home, true, kAllLevels);
    ReportRun run;
    run.rows = tree.CollectCustomReportItems();
    if (c.sorted)
        SortItemsBySource(run.rows);
    run.sorted = c.sorted;
    run.title = "Photos & more";
    run.columns = {{"Name", 0, report::Alignment::Left},
                   {"Size", 1, report::Alignment::Right},
                   {"Description", 2, report::Alignment::Left}};
    ReportTextOptions options;
    options.delimiter = c.delimiter;
    options.replacement = c.replacement;
    options.sections = c.sections;
    options.timestamp = "2026-12-11, 13:05:09";
    std::string text;
    std::size_t rows = 0;
    const bool done = ExportReportToText(
        run, FixtureCells(), options, [&](std::string_view s) { text.append(s); },
        [&](std::size_t n) { rows = n; }, [&] { return c.stopAfterRows > 0 && rows >= static_cast<std::size_t>(c.stopAfterRows); });
    EXPECT_EQ(done, c.stopAfterRows == 0);

    const std::string path = std::string(KV_REPORT_GOLDEN_DIR) + "/" + c.golden;
    if (std::getenv("KV_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    EXPECT_EQ(text, ReadAll(path)) << "golden file " << path;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportTextGolden,
    ::testing::Values(TextCase{"sorted-space.txt", TextDelimiter::Space, true, {}, "_", 0},
                      TextCase{"sorted-tab.txt", TextDelimiter::Tab, true, {}, "", 0},
                      TextCase{"unsorted-comma.txt", TextDelimiter::Comma, false, {}, "", 0},
                      TextCase{"no-sections.txt", TextDelimiter::Space, true, {false, false, false}, "_", 0},
                      TextCase{"cancelled.txt", TextDelimiter::Space, true, {}, "_", 3}),
    [](const auto& info) {
        std::string name = info.param.golden;
        name = name.substr(0, name.find('.'));
        for (char& ch : name)
            if (ch == '-')
                ch = '_';
        return name;
    });

TEST(ReportText, DelimitersInsideCellsAreReplaced) {
    EXPECT_EQ(ReplaceDelimiterChars("a,b,,c", ',', "_"), "a_b__c");
    EXPECT_EQ(ReplaceDelimiterChars("a\tb", '\t', "<TAB>"), "a<TAB>b");
    EXPECT_EQ(ReplaceDelimiterChars("", ',', "_"), "");
}

}  // namespace
}  // namespace kv::test
