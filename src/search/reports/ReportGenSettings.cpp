#include "search/reports/ReportGenSettings.h"

#include <algorithm>

#include "system/settings/SectionStore.h"

namespace kv {

namespace {

constexpr std::uint32_t kMissingMainSettings = 7;
constexpr std::size_t kMaxReplacement = 5;

namespace Bit {
constexpr std::uint32_t Print = 1u << 0;
constexpr std::uint32_t ReplaceDelimiter = 1u << 1;
constexpr int SeparatorShift = 2;
constexpr std::uint32_t SortItems = 1u << 5;
constexpr std::uint32_t NoCatalogHeader = 1u << 6;
constexpr std::uint32_t NoDiskHeader = 1u << 7;
constexpr std::uint32_t FolderHeader = 1u << 8;
}  // namespace Bit

}  // namespace

ReportColumnTable DefaultReportColumns() {
    ReportColumnTable table{};
    for (ReportColumnRow& row : table)
        for (std::size_t k = 0; k < kReportColumnSlots; ++k)
            row[k] = static_cast<std::int8_t>(k + 1);
    return table;
}

ReportColumnRow NormalizeColumnRow(const ReportColumnRow& row, std::size_t columns) {
    const std::size_t n = std::min(columns, kReportColumnSlots);
    std::vector<bool> seen(n + 1, false);
    ReportColumnRow out{};
    std::size_t at = 0;
    for (std::int8_t entry : row) {
        const int column = entry < 0 ? -entry : entry;
        if (column < 1 || static_cast<std::size_t>(column) > n || seen[static_cast<std::size_t>(column)])
            continue;
        seen[static_cast<std::size_t>(column)] = true;
        out[at++] = entry;
    }
    for (std::size_t column = 1; column <= n; ++column)
        if (!seen[column])
            out[at++] = static_cast<std::int8_t>(column);
    for (; at < kReportColumnSlots; ++at)
        out[at] = static_cast<std::int8_t>(at + 1);
    return out;
}

std::uint32_t EncodeMainSettings(const ReportGenSettings& s) {
    std::uint32_t bits = 0;
    if (s.print)
        bits |= Bit::Print;
    if (s.replaceDelimiter)
        bits |= Bit::ReplaceDelimiter;
    // Exactly one separator bit, also before the first choice.
    bits |= 1u << (std::clamp(s.separator, 0, 2) + Bit::SeparatorShift);
    if (s.sortItems)
        bits |= Bit::SortItems;
    if (!s.catalogHeader)
        bits |= Bit::NoCatalogHeader;
    if (!s.diskHeader)
        bits |= Bit::NoDiskHeader;
    if (s.folderHeader)
        bits |= Bit::FolderHeader;
    return bits;
}

void DecodeMainSettings(std::uint32_t bits, ReportGenSettings& s) {
    s.print = (bits & Bit::Print) != 0;
    s.replaceDelimiter = (bits & Bit::ReplaceDelimiter) != 0;
    const std::uint32_t separator = (bits >> Bit::SeparatorShift) & 7;
    s.separator = separator == 2 ? 1 : separator == 4 ? 2 : 0;
    s.sortItems = (bits & Bit::SortItems) != 0;
    s.catalogHeader = (bits & Bit::NoCatalogHeader) == 0;
    s.diskHeader = (bits & Bit::NoDiskHeader) == 0;
    s.folderHeader = (bits & Bit::FolderHeader) != 0;
}

ReportGenSettings LoadReportGenSettings(const SectionStore& store) {
    ReportGenSettings s;
    if (!store.SectionExists(kReportGenSection))
        return s;
    const auto columns = store.ReadBinary(kReportGenSection, "Columns");
    if (columns && columns->size() == kReportSources * kReportColumnSlots)
        for (std::size_t i = 0; i < columns->size(); ++i)
            s.columns[i / kReportColumnSlots][i % kReportColumnSlots] = static_cast<std::int8_t>((*columns)[i]);
    std::uint32_t bits = kMissingMainSettings;
    if (const auto main = store.ReadBinary(kReportGenSection, "MainSettings"); main && main->size() == 4)
        bits = static_cast<std::uint32_t>((*main)[0]) | static_cast<std::uint32_t>((*main)[1]) << 8 |
               static_cast<std::uint32_t>((*main)[2]) << 16 | static_cast<std::uint32_t>((*main)[3]) << 24;
    DecodeMainSettings(bits, s);
    // A value that is not text reads as "_"; a missing one leaves the default.
    const StoredKind kind = store.KindOf(kReportGenSection, "ReplaceDelimiter");
    if (kind != StoredKind::Missing) {
        std::string text = kind == StoredKind::Text ? store.ReadString(kReportGenSection, "ReplaceDelimiter", "_")
                                                    : std::string(1, '_');
        if (text.size() > kMaxReplacement)
            text.resize(kMaxReplacement);
        s.replacement = std::move(text);
    }
    return s;
}

void SaveReportGenSettings(SectionStore& store, const ReportGenSettings& s) {
    std::vector<std::uint8_t> columns;
    for (const ReportColumnRow& row : s.columns)
        for (std::int8_t entry : row)
            columns.push_back(static_cast<std::uint8_t>(entry));
    store.WriteBinary(kReportGenSection, "Columns", columns);
    const std::uint32_t bits = EncodeMainSettings(s);
    const std::uint8_t main[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                  static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    store.WriteBinary(kReportGenSection, "MainSettings", main);
    store.WriteString(kReportGenSection, "ReplaceDelimiter",
                      std::string_view(s.replacement).substr(0, kMaxReplacement));
}

}  // namespace kv
