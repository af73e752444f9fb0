#pragma once
// A target that records what a run draws, page by page: the bands with their
// places and every text. Tests read layouts from it; so can a text dump.
#include <string>
#include <vector>

#include "report/ReportTarget.h"

namespace kv::report {

struct DrawnBand {
    std::string name;
    Rect area;
};

struct DrawnText {
    std::string band;
    Rect area;
    std::string text;
    ReportFont font;
    Alignment align = Alignment::Left;
};

struct DrawnFill {
    std::string band;
    Rect area;
    std::uint32_t color = 0;
};

struct DrawnPage {
    int number = 0;
    std::vector<DrawnBand> bands;
    std::vector<DrawnText> texts;
    int lines = 0;
    int pictures = 0;
    // Band backgrounds.
    std::vector<DrawnFill> fills;
    // The band names in drawing order.
    std::vector<std::string> BandNames() const;
};

class DisplayListTarget : public ReportTarget {
public:
    std::vector<DrawnPage> pages;
    bool begun = false;
    bool ended = false;
    bool completed = false;
    // Fails EndPage of this page (a job that breaks off); 0 never.
    int failAtPage = 0;

    bool BeginDoc() override;
    bool StartPage(int pageNumber) override;
    bool EndPage(int pageNumber) override;
    void EndDoc(bool completed) override;
    void BeginBand(const TRepBand& band, const Rect& area) override;
    void FillRect(const Rect& area, std::uint32_t color) override;
    void DrawString(const Rect& area, std::string_view text, const ReportFont& font, Alignment align,
                  bool wrap) override;
    void DrawLine(double, double, double, double, double, std::uint32_t) override;
    void DrawPicture(const Rect&, int, std::uint32_t) override;

private:
    std::string band_;
};

// Every character a fixed width and every line the font's pixel height.
class FixedPitchMeasurer : public TextMeasurer {
public:
    explicit FixedPitchMeasurer(double charWidth = 7) : charWidth_(charWidth) {}
    double TextWidth(const ReportFont& font, std::string_view text) const override;
    double TextHeight(const ReportFont& font, std::string_view text, double width, bool wrap) const override;

private:
    double charWidth_;
};

}  // namespace kv::report
