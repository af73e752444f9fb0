#pragma once
// The generator's own values under "ReportGen": the printed columns of every
// source ("Columns", 6 rows of 15 signed bytes), the choices of the window
// ("MainSettings", a bit set) and the delimiter replacement text. Stored bytes
// are not trusted: rows are put right, wrong sizes give the defaults.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kv {

class SectionStore;

inline constexpr const char* kReportGenSection = "ReportGen";
inline constexpr std::size_t kReportSources = 6;
inline constexpr std::size_t kReportColumnSlots = 15;

// Entry k: the list column (1-based) printed at position k+1; negative: not printed.
using ReportColumnRow = std::array<std::int8_t, kReportColumnSlots>;
using ReportColumnTable = std::array<ReportColumnRow, kReportSources>;

ReportColumnTable DefaultReportColumns();
// A row for a list of n columns: its entries in order, each of 1..n once (a
// repeat, 0 or an entry beyond n dropped), the missing ones appended ticked;
// positions beyond n keep their own numbers.
ReportColumnRow NormalizeColumnRow(const ReportColumnRow& row, std::size_t columns);

struct ReportGenSettings {
    bool print = true;
    bool replaceDelimiter = false;
    int separator = 0;  // 0 space-aligned, 1 TAB, 2 comma
    bool sortItems = false;
    bool catalogHeader = true;
    bool diskHeader = true;
    bool folderHeader = true;
    std::string replacement = "_";
    ReportColumnTable columns = DefaultReportColumns();
};

std::uint32_t EncodeMainSettings(const ReportGenSettings& settings);
// Over settings: bits 2..4 give the separator (4 TAB, 8 comma, else space).
void DecodeMainSettings(std::uint32_t bits, ReportGenSettings& settings);

// No section: the designed state; a section without "MainSettings": 7.
ReportGenSettings LoadReportGenSettings(const SectionStore& store);
void SaveReportGenSettings(SectionStore& store, const ReportGenSettings& settings);

}  // namespace kv
