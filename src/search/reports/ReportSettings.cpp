#include "search/reports/ReportSettings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "search/reports/ReportGenSettings.h"
#include "system/settings/SectionStore.h"

namespace kv {

namespace {

constexpr std::uint32_t kMissingSettings = 15;
constexpr double kDefaultMargin = 10.0;
constexpr int kLastPrinterPaper = 67;
constexpr int kMaxFontPoints = 400;
constexpr std::size_t kColorsSize = 4 * kReportSections;

namespace Bit {
constexpr std::uint32_t PageHeader = 1u << 0;
constexpr std::uint32_t Title = 1u << 1;
constexpr std::uint32_t Summary = 1u << 2;
constexpr std::uint32_t PageFooter = 1u << 3;
constexpr std::uint32_t NoCatalog = 1u << 4;
constexpr std::uint32_t NoDisk = 1u << 5;
constexpr std::uint32_t NoFolder = 1u << 6;
constexpr std::uint32_t NoColumnHeaders = 1u << 7;
constexpr std::uint32_t Portrait = 1u << 8;
constexpr int UnitsShift = 9;
constexpr std::uint32_t NoIcons = 1u << 11;
}  // namespace Bit

// Sections printed when their bit is set, and those printed when it is clear.
constexpr std::pair<ReportSection, std::uint32_t> kIncludeBits[] = {
    {ReportSection::PageHeader, Bit::PageHeader}, {ReportSection::Title, Bit::Title},
    {ReportSection::Summary, Bit::Summary},       {ReportSection::PageFooter, Bit::PageFooter}};
constexpr std::pair<ReportSection, std::uint32_t> kExcludeBits[] = {
    {ReportSection::CatalogHeading, Bit::NoCatalog},
    {ReportSection::DiskHeading, Bit::NoDisk},
    {ReportSection::FolderHeading, Bit::NoFolder},
    {ReportSection::ColumnHeaders, Bit::NoColumnHeaders}};

std::size_t At(ReportSection s) { return static_cast<std::size_t>(s); }

void PutU32(std::uint8_t* out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t GetU32(const std::uint8_t* in) {
    return in[0] | (in[1] << 8) | (in[2] << 16) | (static_cast<std::uint32_t>(in[3]) << 24);
}

std::optional<std::vector<std::uint8_t>> ReadSized(const SectionStore& store, const char* name, std::size_t size) {
    auto bytes = store.ReadBinary(kReportGenSection, name);
    if (!bytes || bytes->size() != size)
        return std::nullopt;
    return bytes;
}

}  // namespace

const std::array<const char*, kReportSections> kReportSectionNames = {
    "Page Header",    "Report Title",   "Catalog Heading", "Disk Heading", "Folder Heading",
    "Column Headers", "Report Details", "Section Summary", "Page Footer"};

const std::array<const char*, 4> kReportMarginNames = {"TopMargin", "BottomMargin", "LeftMargin", "RightMargin"};

std::string SectionFontValueName(ReportSection section) {
    return "ReportFont" + std::to_string(kSectionFontDigits[At(section)]);
}

std::vector<std::uint8_t> EncodeSectionFont(const report::ReportFont& font) {
    // The longest name whose value still fits the 265-byte record.
    const std::size_t length = std::min(font.name.size(), kSectionFontMaxSize - kSectionFontMinSize);
    // The byte after the name is written as 0, never left to chance.
    std::vector<std::uint8_t> out(kSectionFontMinSize + length, 0);
    PutU32(out.data(), font.color);
    PutU32(out.data() + 4, static_cast<std::uint32_t>(font.size));
    out[8] = font.style;
    out[9] = static_cast<std::uint8_t>(length);
    std::copy_n(font.name.begin(), length, out.begin() + 10);
    return out;
}

std::optional<report::ReportFont> DecodeSectionFont(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kSectionFontMinSize || bytes.size() > kSectionFontMaxSize)
        return std::nullopt;
    const std::size_t length = bytes[9];
    const auto size = static_cast<std::int32_t>(GetU32(bytes.data() + 4));
    if (length == 0 || length > bytes.size() - kSectionFontMinSize || size < 1 || size > kMaxFontPoints)
        return std::nullopt;
    report::ReportFont font;
    font.color = GetU32(bytes.data());
    font.size = size;
    font.style = bytes[8] & 0x0F;
    font.name.assign(reinterpret_cast<const char*>(bytes.data() + 10), length);
    return font;
}

std::array<std::uint8_t, 10> EncodeExtended(double value) {
    std::array<std::uint8_t, 10> out{};
    if (!std::isfinite(value))
        value = 0;
    std::uint16_t signExponent = std::signbit(value) ? 0x8000 : 0;
    std::uint64_t mantissa = 0;
    if (value != 0) {
        int exponent = 0;
        const double fraction = std::frexp(std::fabs(value), &exponent);  // in [0.5, 1)
        mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
        signExponent |= static_cast<std::uint16_t>(exponent - 1 + 16383);
    }
    for (int i = 0; i < 8; ++i)
        out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    out[8] = static_cast<std::uint8_t>(signExponent);
    out[9] = static_cast<std::uint8_t>(signExponent >> 8);
    return out;
}

std::optional<double> DecodeExtended(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != 10)
        return std::nullopt;
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = (mantissa << 8) | bytes[static_cast<std::size_t>(i)];
    const int signExponent = bytes[8] | (bytes[9] << 8);
    const int exponent = signExponent & 0x7FFF;
    if (exponent == 0x7FFF)
        return std::nullopt;
    // Denormals have no integer bit and the smallest exponent.
    const double value = std::ldexp(static_cast<double>(mantissa), (exponent == 0 ? 1 : exponent) - 16383 - 63);
    if (!std::isfinite(value))
        return std::nullopt;
    return (signExponent & 0x8000) ? -value : value;
}

int ReportPaperOfPrinterCode(int printerCode) {
    return printerCode >= 1 && printerCode <= kLastPrinterPaper ? printerCode : 0;
}

int PulledReportPaper(int printerCode) {
    const int paper = ReportPaperOfPrinterCode(printerCode);
    return paper ? paper : kCustomPaper;
}

int PrinterCodeOfReportPaper(int paper) { return paper >= 1 && paper <= kLastPrinterPaper ? paper : 0; }

ReportSettings::ReportSettings() {
    margins.fill(report::ToDesignPixels(kDefaultMargin, report::ReportUnits::Millimetres));
}

report::PageSetup ReportSettings::PageOn(double paperWidth, double paperLength) const {
    report::PageSetup page;
    page.Width = paperWidth;
    page.Length = paperLength;
    page.TopMargin = margin(ReportMargin::Top);
    page.BottomMargin = margin(ReportMargin::Bottom);
    page.LeftMargin = margin(ReportMargin::Left);
    page.RightMargin = margin(ReportMargin::Right);
    return page;
}

std::uint32_t EncodeReportSettingsBits(const ReportSettings& s) {
    std::uint32_t bits = 0;
    for (auto [section, bit] : kIncludeBits)
        if (s.look.include[At(section)])
            bits |= bit;
    for (auto [section, bit] : kExcludeBits)
        if (!s.look.include[At(section)])
            bits |= bit;
    if (s.portrait)
        bits |= Bit::Portrait;
    const std::uint32_t units = s.units == report::ReportUnits::Inches ? 1 : s.units == report::ReportUnits::Pixels ? 2 : 0;
    bits |= units << Bit::UnitsShift;
    if (!s.look.icons)
        bits |= Bit::NoIcons;
    return bits;
}

void DecodeReportSettingsBits(std::uint32_t bits, ReportSettings& s) {
    for (auto [section, bit] : kIncludeBits)
        s.look.include[At(section)] = (bits & bit) != 0;
    for (auto [section, bit] : kExcludeBits)
        s.look.include[At(section)] = (bits & bit) == 0;
    s.look.include[At(ReportSection::Details)] = true;
    s.portrait = (bits & Bit::Portrait) != 0;
    switch ((bits >> Bit::UnitsShift) & 3) {
    case 1: s.units = report::ReportUnits::Inches; break;
    case 2: s.units = report::ReportUnits::Pixels; break;
    default: s.units = report::ReportUnits::Millimetres; break;
    }
    s.look.icons = (bits & Bit::NoIcons) == 0;
}

void LoadReportSettings(const SectionStore& store, ReportSettings& s) {
    if (!store.SectionExists(kReportGenSection))
        return;
    const auto bits = ReadSized(store, "Settings", 4);
    DecodeReportSettingsBits(bits ? GetU32(bits->data()) : kMissingSettings, s);
    if (auto printer = store.ReadString(kReportGenSection, "Printer"))
        s.printer = *printer;
    // A margin missing or unreadable is 10 mm in any units: 10 inches would leave no page.
    for (std::size_t m = 0; m < kReportMarginNames.size(); ++m) {
        s.margins[m] = report::ToDesignPixels(kDefaultMargin, report::ReportUnits::Millimetres);
        if (const auto bytes = ReadSized(store, kReportMarginNames[m], 10))
            if (const auto stored = DecodeExtended(*bytes); stored && *stored >= 0)
                s.margins[m] = report::ToDesignPixels(*stored, s.units);
    }
    if (const auto paper = ReadSized(store, "PaperSize", 1); paper && (*paper)[0] <= kCustomPaper)
        s.paperSize = (*paper)[0];
    for (std::size_t i = 0; i < kReportSections; ++i)
        if (const auto bytes = store.ReadBinary(kReportGenSection, SectionFontValueName(static_cast<ReportSection>(i))))
            if (const auto font = DecodeSectionFont(*bytes))
                s.look.fonts[i] = *font;
    if (const auto colors = ReadSized(store, "SectionColors", kColorsSize))
        for (std::size_t i = 0; i < kReportSections; ++i)
            s.look.colors[i] = GetU32(colors->data() + 4 * i);
}

void SaveReportSettings(SectionStore& store, const ReportSettings& s) {
    if (!store.OpenSectionForWriting(kReportGenSection))
        return;
    std::uint8_t bits[4];
    PutU32(bits, EncodeReportSettingsBits(s));
    store.WriteBinary(kReportGenSection, "Settings", bits);
    store.WriteString(kReportGenSection, "Printer", s.printer);
    for (std::size_t m = 0; m < kReportMarginNames.size(); ++m)
        store.WriteBinary(kReportGenSection, kReportMarginNames[m],
                          EncodeExtended(report::FromDesignPixels(s.margins[m], s.units)));
    const std::uint8_t paper = static_cast<std::uint8_t>(std::clamp(s.paperSize, 0, kCustomPaper));
    store.WriteBinary(kReportGenSection, "PaperSize", std::span<const std::uint8_t>(&paper, 1));
    for (std::size_t i = 0; i < kReportSections; ++i)
        store.WriteBinary(kReportGenSection, SectionFontValueName(static_cast<ReportSection>(i)),
                          EncodeSectionFont(s.look.fonts[i]));
    std::uint8_t colors[kColorsSize];
    for (std::size_t i = 0; i < kReportSections; ++i)
        PutU32(colors + 4 * i, s.look.colors[i]);
    store.WriteBinary(kReportGenSection, "SectionColors", colors);
}

ReportSettings CurrentReportSettings(const SectionStore* store) {
    ReportSettings settings;
    if (store)
        LoadReportSettings(*store, settings);
    return settings;
}

std::string FontCaption(const report::ReportFont& font) {
    std::string text = font.name + ", " + std::to_string(font.size) + " pt";
    const std::pair<std::uint8_t, const char*> words[] = {{report::FontStyle::Bold, "Bold"},
                                                          {report::FontStyle::Italic, "Italic"},
                                                          {report::FontStyle::Underline, "Underline"},
                                                          {report::FontStyle::StrikeOut, "Strike-out"}};
    for (auto [bit, word] : words)
        if (font.style & bit)
            text += std::string(", ") + word;
    return text;
}

std::string FormatMargin(double pixels, report::ReportUnits units) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", report::FromDesignPixels(pixels, units));
    return text;
}

std::optional<double> ParseMargin(std::string_view text, report::ReportUnits units) {
    std::string s(text);
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && s[start] == ' ')
        ++start;
    s = s.substr(start);
    if (s.empty() || s.size() > 32)
        return std::nullopt;
    for (char& c : s) {
        if (c == ',')
            c = '.';
        else if (c != '.' && (c < '0' || c > '9'))
            return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || !std::isfinite(value) || value < 0)
        return std::nullopt;
    return report::ToDesignPixels(value, units);
}

}  // namespace kv
