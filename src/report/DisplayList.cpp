#include "report/DisplayList.h"

#include <algorithm>
#include <cmath>

#include "base/text/TextLines.h"

namespace kv::report {

std::vector<std::string> DrawnPage::BandNames() const {
    std::vector<std::string> names;
    for (const DrawnBand& b : bands)
        names.push_back(b.name);
    return names;
}

bool DisplayListTarget::BeginDoc() {
    begun = true;
    return true;
}

bool DisplayListTarget::StartPage(int pageNumber) {
    pages.push_back({pageNumber, {}, {}, 0, 0, {}});
    return true;
}

bool DisplayListTarget::EndPage(int pageNumber) { return pageNumber != failAtPage; }

void DisplayListTarget::EndDoc(bool done) {
    ended = true;
    completed = done;
}

void DisplayListTarget::BeginBand(const TRepBand& band, const Rect& area) {
    band_ = band.name();
    if (!pages.empty())
        pages.back().bands.push_back({band_, area});
}

void DisplayListTarget::FillRect(const Rect& area, std::uint32_t color) {
    if (!pages.empty())
        pages.back().fills.push_back({band_, area, color});
}

void DisplayListTarget::DrawString(const Rect& area, std::string_view text, const ReportFont& font, Alignment align,
                                 bool) {
    if (!pages.empty())
        pages.back().texts.push_back({band_, area, std::string(text), font, align});
}

void DisplayListTarget::DrawLine(double, double, double, double, double, std::uint32_t) {
    if (!pages.empty())
        ++pages.back().lines;
}

void DisplayListTarget::DrawPicture(const Rect&, int, std::uint32_t) {
    if (!pages.empty())
        ++pages.back().pictures;
}

double FixedPitchMeasurer::TextWidth(const ReportFont&, std::string_view text) const {
    std::size_t longest = 0;
    for (std::string_view line : SplitLines(text))
        longest = std::max(longest, line.size());
    return static_cast<double>(longest) * charWidth_;
}

double FixedPitchMeasurer::TextHeight(const ReportFont& font, std::string_view text, double width, bool wrap) const {
    double lines = 0;
    for (std::string_view line : SplitLines(text)) {
        const double w = static_cast<double>(line.size()) * charWidth_;
        lines += wrap && width > 0 && w > width ? std::ceil(w / width) : 1;
    }
    return lines * FontPixels(font.size);
}

}  // namespace kv::report
