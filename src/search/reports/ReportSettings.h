#pragma once
// The page and section settings of every report, as the "Report Settings"
// dialog keeps them under "ReportGen": which sections print, their fonts and
// colours, icons in rows, printer, paper, orientation, units and margins.
// Stored bytes are not trusted: a value of the wrong size or with impossible
// contents is ignored and its default kept.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report/BandReport.h"
#include "search/reports/ReportForm.h"

namespace kv {

class SectionStore;

// The captions of the sections, in the order of ReportSection.
extern const std::array<const char*, kReportSections> kReportSectionNames;
// The digit of each section's font value: "ReportFont" + digit.
inline constexpr std::array<int, kReportSections> kSectionFontDigits{1, 2, 7, 8, 9, 3, 4, 5, 6};
std::string SectionFontValueName(ReportSection section);

// A section font as stored: Color (u32), Size (i32, points), Style (u8),
// Name (a length byte and the characters), then one byte; 11 + name bytes.
inline constexpr std::size_t kSectionFontMinSize = 11;
inline constexpr std::size_t kSectionFontMaxSize = 265;
std::vector<std::uint8_t> EncodeSectionFont(const report::ReportFont& font);
// Nothing for a value of impossible size, name length or point size.
std::optional<report::ReportFont> DecodeSectionFont(std::span<const std::uint8_t> bytes);

// An 80-bit extended float, written by hand so it reads the same everywhere.
std::array<std::uint8_t, 10> EncodeExtended(double value);
// Nothing for infinities and NaNs.
std::optional<double> DecodeExtended(std::span<const std::uint8_t> bytes);

// Paper sizes as the report knows them: 0 the printer's own paper, 1..67 the
// system's paper codes of the same number, kCustomPaper the printer's paper
// when it is none of those.
inline constexpr int kDefaultPaper = 0;
inline constexpr int kCustomPaper = 68;
// The report's paper for a printer paper code; 0 when it has none.
int ReportPaperOfPrinterCode(int printerCode);
// After the printer setup: its paper, or the last size when it has none.
int PulledReportPaper(int printerCode);
// The printer paper code of a report paper; 0 for Default and Custom.
int PrinterCodeOfReportPaper(int paper);

enum class ReportMargin : std::uint8_t { Top, Bottom, Left, Right };
extern const std::array<const char*, 4> kReportMarginNames;

struct ReportSettings {
    ReportLook look;
    bool portrait = false;
    report::ReportUnits units = report::ReportUnits::Millimetres;
    // In design pixels (1/96 inch); stored in the chosen units.
    std::array<double, 4> margins;
    // Empty: the printer chosen when the program started.
    std::string printer;
    int paperSize = kDefaultPaper;
    ReportSettings();

    double margin(ReportMargin m) const { return margins[static_cast<std::size_t>(m)]; }
    // The report's page on paper of this size (design pixels, as oriented).
    report::PageSetup PageOn(double paperWidth, double paperLength) const;
};

// "Settings": which sections print, orientation, units and icons; 15 when missing.
std::uint32_t EncodeReportSettingsBits(const ReportSettings& settings);
void DecodeReportSettingsBits(std::uint32_t bits, ReportSettings& settings);

// Over the settings as they stand: what is missing or unreadable keeps them.
void LoadReportSettings(const SectionStore& store, ReportSettings& settings);
void SaveReportSettings(SectionStore& store, const ReportSettings& settings);
// The settings a report runs with: the stored ones, the designed ones without a store.
ReportSettings CurrentReportSettings(const SectionStore* store);

// "Arial, 10 pt, Bold, Italic".
std::string FontCaption(const report::ReportFont& font);

// A margin as the dialog shows it, in units, with 2 decimals; and read back:
// '.' or ',' as the separator; anything not a finite number >= 0 gives nothing.
std::string FormatMargin(double pixels, report::ReportUnits units);
std::optional<double> ParseMargin(std::string_view text, report::ReportUnits units);

}  // namespace kv
