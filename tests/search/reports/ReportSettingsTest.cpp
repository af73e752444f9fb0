#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "search/reports/ReportGenSettings.h"
#include "search/reports/ReportSettings.h"
#include "system/settings/MemorySectionStore.h"

namespace kv {
namespace {

using report::ReportFont;
using report::ReportUnits;
using Bytes = std::vector<std::uint8_t>;

std::size_t At(ReportSection s) { return static_cast<std::size_t>(s); }

TEST(ReportSettings, EachSectionHasItsFontValue) {
    const char* expected[kReportSections] = {"ReportFont1", "ReportFont2", "ReportFont7", "ReportFont8", "ReportFont9",
                                             "ReportFont3", "ReportFont4", "ReportFont5", "ReportFont6"};
    for (std::size_t i = 0; i < kReportSections; ++i)
        EXPECT_EQ(SectionFontValueName(static_cast<ReportSection>(i)), expected[i]) << kReportSectionNames[i];

    // The value with digit 3 restores the column headers, not the catalog heading.
    MemorySectionStore store;
    ASSERT_TRUE(store.OpenSectionForWriting(kReportGenSection));
    const ReportFont font{"Courier New", 11, report::FontStyle::Underline, 0x0000FF};
    store.WriteBinary(kReportGenSection, "ReportFont3", EncodeSectionFont(font));
    ReportSettings settings;
    const ReportSettings designed;
    LoadReportSettings(store, settings);
    EXPECT_EQ(settings.look.fonts[At(ReportSection::ColumnHeaders)], font);
    EXPECT_EQ(settings.look.fonts[At(ReportSection::CatalogHeading)],
              designed.look.fonts[At(ReportSection::CatalogHeading)]);
}

TEST(ReportSettings, SectionFontBytes) {
    const Bytes arial = EncodeSectionFont({"Arial", 10, report::FontStyle::Bold, 0x00112233});
    EXPECT_EQ(arial, (Bytes{0x33, 0x22, 0x11, 0x00, 10, 0, 0, 0, 1, 5, 'A', 'r', 'i', 'a', 'l', 0}));

    auto withName = [](std::size_t length, std::size_t size, std::int32_t points = 10) {
        Bytes b(size, 'x');
        b[4] = static_cast<std::uint8_t>(points);
        b[5] = static_cast<std::uint8_t>(points >> 8);
        b[6] = b[7] = points < 0 ? 0xFF : 0;
        b[8] = 0;
        b[9] = static_cast<std::uint8_t>(length);
        return b;
    };
    struct Case {
        const char* name;
        Bytes bytes;
        bool accepted;
    };
    const Case cases[] = {
        {"one character", withName(1, 12), true},
        {"the byte after the name may be anything", withName(3, 14), true},
        {"the longest name", withName(254, 265), true},
        {"a name longer than the value", withName(4, 14), false},
        {"no name", withName(0, 11), false},
        {"shorter than the record's head", withName(0, 10), false},
        {"longer than the record", withName(255, 266), false},
        {"zero points", withName(3, 14, 0), false},
        {"negative points", withName(3, 14, -12), false},
        {"absurd points", withName(3, 14, 4000), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeSectionFont(c.bytes).has_value(), c.accepted) << c.name;

    // A name too long for the record is cut so that it reads back.
    const ReportFont longName{std::string(300, 'n'), 12, 0, 0};
    const auto back = DecodeSectionFont(EncodeSectionFont(longName));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, std::string(254, 'n'));
}

TEST(ReportSettings, ExtendedFloats) {
    EXPECT_EQ(EncodeExtended(10.0), (std::array<std::uint8_t, 10>{0, 0, 0, 0, 0, 0, 0, 0xA0, 0x02, 0x40}));
    for (double v : {0.0, 10.0, 0.25, 25.4, -3.5, 1e-300, 123456.789})
        EXPECT_EQ(DecodeExtended(EncodeExtended(v)), v) << v;
    const Bytes infinity{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F};
    const Bytes nan{1, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F};
    const Bytes huge{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x7F};  // beyond a double
    const Bytes denormal{1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(DecodeExtended(infinity));
    EXPECT_FALSE(DecodeExtended(nan));
    EXPECT_FALSE(DecodeExtended(huge));
    EXPECT_EQ(DecodeExtended(denormal), 0.0);
    EXPECT_FALSE(DecodeExtended(Bytes(8, 0)));
}

TEST(ReportSettings, SettingsBits) {
    // "Settings" missing: everything printed, icons, mm, landscape.
    MemorySectionStore store;
    store.WriteString(kReportGenSection, "Printer", "");
    ReportSettings s;
    s.look.include.fill(false);
    s.look.icons = false;
    s.portrait = true;
    s.units = ReportUnits::Pixels;
    LoadReportSettings(store, s);
    for (bool included : s.look.include)
        EXPECT_TRUE(included);
    EXPECT_TRUE(s.look.icons);
    EXPECT_FALSE(s.portrait);
    EXPECT_EQ(s.units, ReportUnits::Millimetres);
    EXPECT_EQ(EncodeReportSettingsBits(s), 15u);

    s.look.include[At(ReportSection::PageHeader)] = false;
    s.look.include[At(ReportSection::FolderHeading)] = false;
    s.look.icons = false;
    s.portrait = true;
    s.units = ReportUnits::Inches;
    EXPECT_EQ(EncodeReportSettingsBits(s), 14u | 64u | 256u | 512u | 2048u);
    ReportSettings back;
    DecodeReportSettingsBits(EncodeReportSettingsBits(s), back);
    EXPECT_EQ(back.look.include, s.look.include);
    EXPECT_EQ(back.units, ReportUnits::Inches);
    // The details always print.
    DecodeReportSettingsBits(0xFFFFFFFF, back);
    EXPECT_TRUE(back.look.include[At(ReportSection::Details)]);
    EXPECT_EQ(back.units, ReportUnits::Millimetres);
}

TEST(ReportSettings, RoundTripThroughTheStore) {
    ReportSettings s;
    s.units = ReportUnits::Inches;
    s.margins = {96, 48, 24, 0};
    s.printer = "Korvalder Test PS";
    s.paperSize = 11;
    s.look.fonts[At(ReportSection::Summary)] = {"Times New Roman", 13, report::FontStyle::StrikeOut, 0x808080};
    s.look.colors[At(ReportSection::DiskHeading)] = 0x00C0C0C0;
    s.look.include[At(ReportSection::Title)] = false;
    MemorySectionStore store;
    SaveReportSettings(store, s);
    EXPECT_EQ(store.ReadBinary(kReportGenSection, "TopMargin"), Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
    EXPECT_EQ(store.ReadBinary(kReportGenSection, "SectionColors")->size(), 36u);
    EXPECT_EQ(store.ReadBinary(kReportGenSection, "PaperSize"), Bytes{11});

    ReportSettings back;
    LoadReportSettings(store, back);
    EXPECT_EQ(back.units, ReportUnits::Inches);
    EXPECT_EQ(back.margins, s.margins);
    EXPECT_EQ(back.printer, s.printer);
    EXPECT_EQ(back.paperSize, 11);
    EXPECT_EQ(back.look.fonts, s.look.fonts);
    EXPECT_EQ(back.look.colors, s.look.colors);
    EXPECT_EQ(back.look.include, s.look.include);
}

TEST(ReportSettings, DamagedValuesKeepTheirDefaults) {
    MemorySectionStore store;
    ReportSettings s;
    s.printer = "Stored";
    SaveReportSettings(store, s);
    const Bytes negative = [] {
        auto e = EncodeExtended(-5);
        return Bytes(e.begin(), e.end());
    }();
    store.WriteBinary(kReportGenSection, "TopMargin", negative);
    store.WriteBinary(kReportGenSection, "BottomMargin", Bytes{0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F});
    store.WriteBinary(kReportGenSection, "LeftMargin", Bytes{1, 2, 3});
    store.WriteString(kReportGenSection, "RightMargin", "12");
    store.WriteBinary(kReportGenSection, "PaperSize", Bytes{200});
    store.WriteBinary(kReportGenSection, "ReportFont4", Bytes{1, 2, 3});
    store.WriteBinary(kReportGenSection, "SectionColors", Bytes(35, 1));
    // In inches too a damaged margin is 10 mm.
    ReportSettings inches;
    inches.units = ReportUnits::Inches;
    std::uint8_t bits[4] = {};
    const std::uint32_t encoded = EncodeReportSettingsBits(inches);
    for (int i = 0; i < 4; ++i)
        bits[i] = static_cast<std::uint8_t>(encoded >> (8 * i));
    store.WriteBinary(kReportGenSection, "Settings", bits);
    ReportSettings back;
    back.paperSize = 9;
    LoadReportSettings(store, back);
    EXPECT_EQ(back.units, ReportUnits::Inches);
    const double tenMm = report::ToDesignPixels(10, ReportUnits::Millimetres);
    for (double m : back.margins)
        EXPECT_DOUBLE_EQ(m, tenMm);
    EXPECT_EQ(back.paperSize, 9);
    EXPECT_EQ(back.look.fonts, ReportSettings().look.fonts);
    EXPECT_EQ(back.look.colors, ReportSettings().look.colors);
    EXPECT_EQ(back.printer, "Stored");

    // No section at all: nothing changes.
    MemorySectionStore empty;
    ReportSettings untouched;
    untouched.portrait = true;
    LoadReportSettings(empty, untouched);
    EXPECT_TRUE(untouched.portrait);
}

TEST(ReportSettings, BandHeightsAndLabelTopsFollowTheFont) {
    // 10 pt is 13 pixels.
    struct Row {
        ReportSection section;
        double height, top;
    };
    const Row rows[] = {
        {ReportSection::PageHeader, 17, 0},     {ReportSection::Title, 26, 8},
        {ReportSection::CatalogHeading, 20, 3}, {ReportSection::DiskHeading, 33, 3},
        {ReportSection::FolderHeading, 20, 3},  {ReportSection::ColumnHeaders, 22, 4},
        {ReportSection::Details, 18, 2},        {ReportSection::Summary, 30, 10},
        {ReportSection::PageFooter, 17, 3},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(SectionHeight(r.section, 10), r.height) << kReportSectionNames[At(r.section)];
        EXPECT_EQ(SectionLabelTop(r.section, 10), r.top) << kReportSectionNames[At(r.section)];
    }
    EXPECT_EQ(SummaryLineTop(10), 5);
}

TEST(ReportSettings, TextsOfTheDialog) {
    EXPECT_EQ(FontCaption({"Arial", 10, 0, 0}), "Arial, 10 pt");
    EXPECT_EQ(FontCaption({"Arial", 9, 0x0F, 0}), "Arial, 9 pt, Bold, Italic, Underline, Strike-out");
    EXPECT_EQ(FormatMargin(report::ToDesignPixels(10, ReportUnits::Millimetres), ReportUnits::Millimetres), "10.00");
    EXPECT_EQ(FormatMargin(48, ReportUnits::Inches), "0.50");
    struct Case {
        const char* text;
        std::optional<double> inches;
    };
    const Case cases[] = {{"0.5", 0.5}, {"1,25", 1.25}, {" 2 ", 2.0}, {"0", 0.0}, {"-1", std::nullopt},
                          {"abc", std::nullopt}, {"", std::nullopt}, {"1e400", std::nullopt}, {"nan", std::nullopt},
                          {"1.2.3", std::nullopt}};
    for (const Case& c : cases) {
        const auto pixels = ParseMargin(c.text, ReportUnits::Inches);
        EXPECT_EQ(pixels.has_value(), c.inches.has_value()) << c.text;
        if (pixels && c.inches) {
            EXPECT_DOUBLE_EQ(*pixels, *c.inches * 96) << c.text;
        }
    }
}

TEST(ReportSettings, PaperCodes) {
    EXPECT_EQ(ReportPaperOfPrinterCode(9), 9);      // A4
    EXPECT_EQ(ReportPaperOfPrinterCode(256), 0);    // the printer's own size
    EXPECT_EQ(PulledReportPaper(11), 11);
    EXPECT_EQ(PulledReportPaper(256), kCustomPaper);
    EXPECT_EQ(PrinterCodeOfReportPaper(kCustomPaper), 0);
    EXPECT_EQ(PrinterCodeOfReportPaper(kDefaultPaper), 0);
}

}  // namespace
}  // namespace kv
