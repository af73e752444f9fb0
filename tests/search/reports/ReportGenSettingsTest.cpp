#include <gtest/gtest.h>

#include "search/reports/ReportGenSettings.h"
#include "system/settings/MemorySectionStore.h"

namespace kv {
namespace {

ReportColumnRow Row(std::initializer_list<int> entries) {
    ReportColumnRow row{};
    std::size_t k = 0;
    for (int e : entries)
        if (k < kReportColumnSlots)
            row[k++] = static_cast<std::int8_t>(e);
    for (; k < kReportColumnSlots; ++k)
        row[k] = static_cast<std::int8_t>(k + 1);
    return row;
}

TEST(ReportGenSettings, ColumnRowsArePutRightForTheirList) {
    struct Case {
        const char* name;
        ReportColumnRow stored;
        std::size_t columns;
        ReportColumnRow shown;
    };
    const Case cases[] = {
        {"kept", Row({3, -1, 2, 4, 5}), 5, Row({3, -1, 2, 4, 5})},
        // The file list's 8th column stored in the row the 7-column disk list shares.
        {"beyond the list", Row({8, 1, 2, 3, 4, 5, 6, 7}), 7, Row({1, 2, 3, 4, 5, 6, 7})},
        {"repeats and zero", Row({2, 2, 0, -2, 1}), 3, Row({2, 1, 3})},
        {"missing ones appended", Row({-3, -3, -3, -3, -3, -3, -3, -3, -3, -3, -3, -3, -3, -3, -3}), 4,
         Row({-3, 1, 2, 4})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeColumnRow(c.stored, c.columns), c.shown) << c.name;
}

TEST(ReportGenSettings, MainSettingsBits) {
    ReportGenSettings s;
    // Before any separator was chosen the space-aligned bit is written, never bit 1.
    EXPECT_EQ(EncodeMainSettings(s), 1u | 4u | 256u);
    s.print = false;
    s.separator = 2;
    s.sortItems = true;
    s.catalogHeader = false;
    s.folderHeader = false;
    s.replaceDelimiter = true;
    const std::uint32_t bits = EncodeMainSettings(s);
    EXPECT_EQ(bits, 2u | 16u | 32u | 64u);
    ReportGenSettings back;
    DecodeMainSettings(bits, back);
    EXPECT_EQ(EncodeMainSettings(back), bits);
    // Separator bits: 2 (bit 3) TAB, 4 (bit 4) comma, anything else space-aligned.
    for (auto [raw, separator] : {std::pair{4u, 0}, {8u, 1}, {16u, 2}, {24u, 0}, {0u, 0}}) {
        DecodeMainSettings(raw, back);
        EXPECT_EQ(back.separator, separator) << raw;
    }
    DecodeMainSettings(7, back);
    EXPECT_TRUE(back.print && back.replaceDelimiter && back.catalogHeader && back.diskHeader);
    EXPECT_FALSE(back.folderHeader);
}

TEST(ReportGenSettings, StoreRoundTripAndDamagedValues) {
    MemorySectionStore store;
    EXPECT_TRUE(LoadReportGenSettings(store).folderHeader);  // no key: the designed state

    ReportGenSettings s;
    s.columns[2] = Row({2, -1, 3});
    s.replacement = "<TAB>";
    s.separator = 1;
    SaveReportGenSettings(store, s);
    const ReportGenSettings back = LoadReportGenSettings(store);
    EXPECT_EQ(back.columns, s.columns);
    EXPECT_EQ(back.replacement, "<TAB>");
    EXPECT_EQ(back.separator, 1);

    store.WriteBinary(kReportGenSection, "Columns", std::vector<std::uint8_t>(89, 9));
    store.WriteInteger(kReportGenSection, "ReplaceDelimiter", 5);
    store.WriteBinary(kReportGenSection, "MainSettings", std::vector<std::uint8_t>{1, 2});
    const ReportGenSettings damaged = LoadReportGenSettings(store);
    EXPECT_EQ(damaged.columns, DefaultReportColumns());
    EXPECT_EQ(damaged.replacement, "_");
    EXPECT_EQ(EncodeMainSettings(damaged), EncodeMainSettings([] {
                  ReportGenSettings seven;
                  DecodeMainSettings(7, seven);
                  return seven;
              }()));
}

}  // namespace
}  // namespace kv
