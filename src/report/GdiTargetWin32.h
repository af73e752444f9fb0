#pragma once
// The report drawn with GDI: a canvas that maps design pixels (1/96 inch)
// onto any device context, a measurer on the device, and the printer job a
// run draws into (the preview's pages: EmfPageStoreWin32.h).
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "report/ReportTarget.h"
#include "ui/Canvas.h"

namespace kv::report {

// Draws a picture (a large icon) into a device rectangle.
using PictureDrawer = std::function<void(HDC, const RECT&, int picture, COLORREF background)>;

// A colour as GDI takes it: system colours resolved, "none" left to the caller.
COLORREF ResolveColor(std::uint32_t color);

class GdiCanvas {
public:
    GdiCanvas() = default;
    // Starts drawing on dc; offset: the device's unprintable margin (printers).
    void Begin(HDC dc, int dpiX, int dpiY, POINT offset = {0, 0});
    void End();
    HDC dc() const { return dc_; }

    void FillRect(const Rect& area, std::uint32_t color);
    void DrawString(const Rect& area, std::string_view text, const ReportFont& font, Alignment align, bool wrap);
    void DrawLine(double x1, double y1, double x2, double y2, double width, std::uint32_t color);
    void DrawPicture(const Rect& area, int picture, std::uint32_t background, const PictureDrawer& drawer);

    // A font at 96 logical pixels per inch, made once.
    HFONT FontFor(const ReportFont& font);

private:
    RECT ToRect(const Rect& r) const;
    bool DrawSingleLine(const RECT& r, std::string_view text, Alignment align, bool clip);

    HDC dc_ = nullptr;
    int saved_ = 0;
    std::map<std::tuple<std::string, int, std::uint8_t>, ui::GdiObject<HFONT>> fonts_;
};

// Text sizes in design pixels as a device draws them: widths do not scale
// with the resolution, so a printer's pages are measured on the printer.
class GdiMeasurer : public TextMeasurer {
public:
    // device: the printer's DC or IC, not owned; its mapping is the
    // measurer's while it lives, so no page is drawn on it meanwhile. None: the screen.
    explicit GdiMeasurer(HDC device = nullptr);
    ~GdiMeasurer() override;
    GdiMeasurer(const GdiMeasurer&) = delete;
    GdiMeasurer& operator=(const GdiMeasurer&) = delete;
    double TextWidth(const ReportFont& font, std::string_view text) const override;
    double TextHeight(const ReportFont& font, std::string_view text, double width, bool wrap) const override;

private:
    HDC own_ = nullptr;
    HDC dc_;
    mutable GdiCanvas canvas_;
};

// Shared by the targets: a page drawn through a GdiCanvas.
class GdiTarget : public ReportTarget {
public:
    void BeginBand(const TRepBand&, const Rect&) override {}
    void FillRect(const Rect& area, std::uint32_t color) override { canvas_.FillRect(area, color); }
    void DrawString(const Rect& area, std::string_view text, const ReportFont& font, Alignment align,
                  bool wrap) override {
        canvas_.DrawString(area, text, font, align, wrap);
    }
    void DrawLine(double x1, double y1, double x2, double y2, double width, std::uint32_t color) override {
        canvas_.DrawLine(x1, y1, x2, y2, width, color);
    }
    void DrawPicture(const Rect& area, int picture, std::uint32_t background) override {
        canvas_.DrawPicture(area, picture, background, pictures);
    }
    PictureDrawer pictures;

protected:
    GdiCanvas canvas_;
};

// A printer job on a printer device context. Any failed spooler step aborts
// the job; nothing is reported as printed that was not.
class PrinterTarget : public GdiTarget {
public:
    // output: a file to print to, or empty.
    PrinterTarget(HDC printer, std::string documentName, std::string output = {});
    bool BeginDoc() override;
    bool StartPage(int pageNumber) override;
    bool EndPage(int pageNumber) override;
    void EndDoc(bool completed) override;
    // Pages that reached the spooler.
    int PagesPrinted() const { return printed_; }

private:
    HDC dc_;
    std::string document_, output_;
    bool open_ = false;
    int printed_ = 0;
};

}  // namespace kv::report
