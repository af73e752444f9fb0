#pragma once
// Where a report run draws (a printer job, preview pages, a bitmap, a recorded
// list in tests) and how it measures text. Positions are design pixels.
#include <string_view>

#include "report/ReportModel.h"

namespace kv::report {

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // The width of the longest line of the text.
    virtual double TextWidth(const ReportFont& font, std::string_view text) const = 0;
    // The height of the text's lines, wrapped at width when wrap is set.
    virtual double TextHeight(const ReportFont& font, std::string_view text, double width, bool wrap) const = 0;
};

class ReportTarget {
public:
    virtual ~ReportTarget() = default;
    // False when the job cannot start: the run ends with nothing printed.
    virtual bool BeginDoc() = 0;
    virtual bool StartPage(int pageNumber) = 0;
    // False stops the run (a failed or cancelled job).
    virtual bool EndPage(int pageNumber) = 0;
    virtual void EndDoc(bool completed) = 0;

    // A band about to be drawn into `area` (already clipped to the page body).
    virtual void BeginBand(const TRepBand& band, const Rect& area) = 0;
    virtual void FillRect(const Rect& area, std::uint32_t color) = 0;
    virtual void DrawString(const Rect& area, std::string_view text, const ReportFont& font, Alignment align,
                          bool wrap) = 0;
    virtual void DrawLine(double x1, double y1, double x2, double y2, double width, std::uint32_t color) = 0;
    virtual void DrawPicture(const Rect& area, int picture, std::uint32_t background) = 0;
};

}  // namespace kv::report
