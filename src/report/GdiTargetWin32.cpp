#include "report/GdiTargetWin32.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "base/text/TextLines.h"

namespace kv::report {

namespace {

constexpr int kDesignDpi = 96;
// A text may come out a little wider than measured (an italic overhang, a
// font the device puts in place of the one asked for).
constexpr int kTextSlack = 5;

int Round(double v) { return static_cast<int>(std::lround(v)); }

UINT AlignFlags(Alignment align) {
    switch (align) {
    case Alignment::Right: return DT_RIGHT;
    case Alignment::Centre: return DT_CENTER;
    case Alignment::Left: break;
    }
    return DT_LEFT;
}

}  // namespace

COLORREF ResolveColor(std::uint32_t color) {
    if (color & 0x80000000u)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0x00FFFFFF);
}

void GdiCanvas::Begin(HDC dc, int dpiX, int dpiY, POINT offset) {
    dc_ = dc;
    saved_ = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, kDesignDpi, kDesignDpi, nullptr);
    SetViewportExtEx(dc, dpiX, dpiY, nullptr);
    SetViewportOrgEx(dc, -offset.x, -offset.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
}

void GdiCanvas::End() {
    if (dc_ && saved_)
        RestoreDC(dc_, saved_);
    dc_ = nullptr;
    saved_ = 0;
}

RECT GdiCanvas::ToRect(const Rect& r) const { return {Round(r.left), Round(r.top), Round(r.right()), Round(r.bottom())}; }

HFONT GdiCanvas::FontFor(const ReportFont& font) {
    auto& slot = fonts_[{font.name, font.size, font.style}];
    if (!slot.get()) {
        LOGFONTA lf{};
        lf.lfHeight = -MulDiv(font.size, kDesignDpi, 72);
        lf.lfWeight = (font.style & FontStyle::Bold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (font.style & FontStyle::Italic) ? TRUE : FALSE;
        lf.lfUnderline = (font.style & FontStyle::Underline) ? TRUE : FALSE;
        lf.lfStrikeOut = (font.style & FontStyle::StrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
        slot.reset(CreateFontIndirectA(&lf));
    }
    return slot.get();
}

void GdiCanvas::FillRect(const Rect& area, std::uint32_t color) {
    if (!dc_ || color == kNoColor)
        return;
    const RECT r = ToRect(area);
    ui::GdiObject<HBRUSH> brush(CreateSolidBrush(ResolveColor(color)));
    ::FillRect(dc_, &r, brush.get());
}

void GdiCanvas::DrawString(const Rect& area, std::string_view text, const ReportFont& font, Alignment align, bool wrap) {
    if (!dc_ || text.empty())
        return;
    RECT r = ToRect(area);
    if (align != Alignment::Right)
        r.right += kTextSlack;
    else
        r.left -= kTextSlack;
    const HGDIOBJ old = SelectObject(dc_, FontFor(font));
    SetTextColor(dc_, ResolveColor(font.color));
    // A label as high as its font's size would cut the descenders: a line
    // is clipped at its columns, never below its own cell.
    TEXTMETRICA metrics{};
    if (!wrap && GetTextMetricsA(dc_, &metrics) && r.bottom - r.top < metrics.tmHeight)
        r.bottom = r.top + metrics.tmHeight;
    // Right-aligned text ends at the edge: an italic overhang past it is not cut.
    const bool clip = align != Alignment::Right || wrap;
    if (wrap || text.find_first_of("\r\n") != std::string_view::npos || !DrawSingleLine(r, text, align, clip))
        ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &r,
                    DT_NOPREFIX | AlignFlags(align) | (wrap ? DT_WORDBREAK : 0) | (clip ? 0 : DT_NOCLIP));
    SelectObject(dc_, old);
}

// Each character goes where the device's own widths put it. A printer driver
// that draws a text with the widths of its own font (Wine's PostScript one
// does) would otherwise end a right-aligned text past its edge.
bool GdiCanvas::DrawSingleLine(const RECT& r, std::string_view text, Alignment align, bool clip) {
    const int count = static_cast<int>(text.size());
    std::vector<INT> ends(text.size());
    SIZE size{};
    INT fit = 0;
    if (!GetTextExtentExPointA(dc_, text.data(), count, INT_MAX, &fit, ends.data(), &size) || fit != count)
        return false;
    std::vector<INT> advances(text.size());
    for (std::size_t i = 0; i < ends.size(); ++i)
        advances[i] = ends[i] - (i > 0 ? ends[i - 1] : 0);
    int x = r.left;
    if (align == Alignment::Right)
        x = r.right - size.cx;
    else if (align == Alignment::Centre)
        x = r.left + (r.right - r.left - size.cx) / 2;
    return ExtTextOutA(dc_, x, r.top, clip ? ETO_CLIPPED : 0, &r, text.data(), static_cast<UINT>(count),
                       advances.data()) != FALSE;
}

void GdiCanvas::DrawLine(double x1, double y1, double x2, double y2, double width, std::uint32_t color) {
    if (!dc_ || color == kNoColor)
        return;
    ui::GdiObject<HPEN> pen(CreatePen(PS_SOLID, std::max(1, Round(width)), ResolveColor(color)));
    const HGDIOBJ old = SelectObject(dc_, pen.get());
    MoveToEx(dc_, Round(x1), Round(y1), nullptr);
    LineTo(dc_, Round(x2), Round(y2));
    SelectObject(dc_, old);
}

void GdiCanvas::DrawPicture(const Rect& area, int picture, std::uint32_t background, const PictureDrawer& drawer) {
    if (!dc_ || !drawer || picture < 0)
        return;
    const RECT r = ToRect(area);
    drawer(dc_, r, picture, background == kNoColor ? RGB(255, 255, 255) : ResolveColor(background));
}

GdiMeasurer::GdiMeasurer(HDC device) : own_(device ? nullptr : CreateCompatibleDC(nullptr)), dc_(device ? device : own_) {
    canvas_.Begin(dc_, GetDeviceCaps(dc_, LOGPIXELSX), GetDeviceCaps(dc_, LOGPIXELSY));
}

GdiMeasurer::~GdiMeasurer() {
    canvas_.End();
    if (own_)
        DeleteDC(own_);
}

double GdiMeasurer::TextWidth(const ReportFont& font, std::string_view text) const {
    const HGDIOBJ old = SelectObject(dc_, canvas_.FontFor(font));
    LONG widest = 0;
    for (std::string_view line : SplitLines(text)) {
        SIZE size{};
        if (!line.empty() && GetTextExtentPoint32A(dc_, line.data(), static_cast<int>(line.size()), &size))
            widest = std::max(widest, size.cx);
    }
    SelectObject(dc_, old);
    return widest;
}

double GdiMeasurer::TextHeight(const ReportFont& font, std::string_view text, double width, bool wrap) const {
    const HGDIOBJ old = SelectObject(dc_, canvas_.FontFor(font));
    RECT r{0, 0, std::max(1, Round(width)), 0};
    // An empty text still takes a line.
    const std::string_view measured = text.empty() ? std::string_view(" ") : text;
    ::DrawTextA(dc_, measured.data(), static_cast<int>(measured.size()), &r,
                DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : 0));
    SelectObject(dc_, old);
    return r.bottom - r.top;
}

PrinterTarget::PrinterTarget(HDC printer, std::string documentName, std::string output)
    : dc_(printer), document_(std::move(documentName)), output_(std::move(output)) {}

bool PrinterTarget::BeginDoc() {
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = document_.c_str();
    info.lpszOutput = output_.empty() ? nullptr : output_.c_str();
    open_ = StartDocA(dc_, &info) > 0;
    return open_;
}

bool PrinterTarget::StartPage(int) {
    if (::StartPage(dc_) <= 0)
        return false;
    canvas_.Begin(dc_, GetDeviceCaps(dc_, LOGPIXELSX), GetDeviceCaps(dc_, LOGPIXELSY),
                  {GetDeviceCaps(dc_, PHYSICALOFFSETX), GetDeviceCaps(dc_, PHYSICALOFFSETY)});
    return true;
}

bool PrinterTarget::EndPage(int) {
    canvas_.End();
    if (::EndPage(dc_) <= 0)
        return false;
    ++printed_;
    return true;
}

void PrinterTarget::EndDoc(bool completed) {
    if (!open_)
        return;
    open_ = false;
    if (!completed || ::EndDoc(dc_) <= 0)
        AbortDoc(dc_);
}

}  // namespace kv::report
