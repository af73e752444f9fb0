#include <algorithm>
#include <string>

#include "report/ReportModel.h"
#include "report/ReportTarget.h"

namespace kv::report {

int FontPixels(int points) {
    // MulDiv rounding, as Windows does it.
    const long long n = static_cast<long long>(points) * 96;
    return static_cast<int>(n >= 0 ? (n + 36) / 72 : (n - 36) / 72);
}

const ReportFont& TRepControl::fontIn(const TRepBand& band) const { return Font ? *Font : band.Font; }

double TRepControl::NeededHeight(const TRepBand&, const TextMeasurer&) const { return Top + Height; }

double TRepLabel::NeededHeight(const TRepBand& band, const TextMeasurer& measurer) const {
    if (!AutoStretch || Caption.empty())
        return Top + Height;
    const double text = measurer.TextHeight(fontIn(band), Caption, Width, WordWrap);
    return Top + std::max(Height, text);
}

void TRepLabel::Draw(ReportTarget& target, const TRepBand& band, const Rect& at, int) const {
    target.DrawString(at, Caption, fontIn(band), alignment, AutoStretch && WordWrap);
    if (FrameBottomWidth > 0)
        target.DrawLine(at.left, at.bottom(), at.right(), at.bottom(), FrameBottomWidth, FrameColor);
}

void TRepSysData::Draw(ReportTarget& target, const TRepBand& band, const Rect& at, int pageNumber) const {
    const std::string value = Data == SysDataKind::PageNumber ? std::to_string(pageNumber) : dateTimeText;
    target.DrawString(at, Text + value, fontIn(band), alignment, false);
}

void TRepShape::Draw(ReportTarget& target, const TRepBand&, const Rect& at, int) const {
    const double y = at.top + at.height / 2;
    target.DrawLine(at.left, y, at.right(), y, PenWidth, PenColor);
}

void TRepImage::Draw(ReportTarget& target, const TRepBand& band, const Rect& at, int) const {
    if (Picture >= 0)
        target.DrawPicture(at, Picture, band.Color);
}

double TRepBand::PrintHeight(const TextMeasurer& measurer) const {
    double height = Height;
    for (const auto& control : Controls) {
        if (!control->Enabled)
            continue;
        // What was below the control stays below its grown text.
        const double gap = std::max(0.0, Height - control->Top - control->Height);
        const double needed = control->NeededHeight(*this, measurer);
        if (needed > control->Top + control->Height)
            height = std::max(height, needed + gap);
    }
    return height;
}

}  // namespace kv::report
