#include "ui/PieChart.h"

#include <cmath>
#include <numbers>

#include "ui/Canvas.h"
#include "ui/PaintMessage.h"

namespace kv::ui {

void PieChart::setTitle(const std::string& title) {
    title_ = title;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void PieChart::setSlices(std::vector<PieSlice> slices) {
    slices_ = std::move(slices);
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void PieChart::createParams(CreateArgs& args) {
    Control::createParams(args);
    Wnd::registerClass("KvPieChart", CS_HREDRAW | CS_VREDRAW);
    args.className = "KvPieChart";
}

void PieChart::paint(HDC dc) {
    const RECT client = clientRect();
    Canvas canvas(dc);
    canvas.setBrushColor(GetSysColor(COLOR_WINDOW));
    canvas.fillRect(client);
    canvas.setFont(font());
    SetBkMode(dc, TRANSPARENT);
    canvas.setTextColor(GetSysColor(COLOR_WINDOWTEXT));
    RECT titleRect{client.left, client.top + 4, client.right, client.top + 24};
    canvas.drawText(title_, titleRect, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);

    // The pie on the left, the legend to its right.
    const int top = titleRect.bottom + 6;
    const int diameter = std::max(10, std::min<int>(client.bottom - top - 8, (client.right - client.left) / 3));
    const RECT pie{client.left + 12, top, client.left + 12 + diameter, top + diameter};
    const int cx = (pie.left + pie.right) / 2, cy = (pie.top + pie.bottom) / 2;
    double sum = 0;
    for (const PieSlice& s : slices_) sum += std::max(0.0, s.value);
    canvas.setPen(GetSysColor(COLOR_WINDOWTEXT));
    double angle = std::numbers::pi / 2;  // from twelve o'clock, counter-clockwise
    int legendY = top + 4;
    for (const PieSlice& s : slices_) {
        canvas.setBrushColor(s.color);
        const double share = sum > 0 ? std::max(0.0, s.value) / sum : 0;
        if (share >= 0.9999) {
            Ellipse(dc, pie.left, pie.top, pie.right, pie.bottom);
        } else if (share > 0.0001) {
            const double end = angle + share * 2 * std::numbers::pi;
            const int r = diameter;  // radial points outside the circle are fine
            Pie(dc, pie.left, pie.top, pie.right, pie.bottom, cx + static_cast<int>(r * std::cos(angle)),
                cy - static_cast<int>(r * std::sin(angle)), cx + static_cast<int>(r * std::cos(end)),
                cy - static_cast<int>(r * std::sin(end)));
            angle = end;
        }
        const RECT box{pie.right + 16, legendY + 2, pie.right + 28, legendY + 14};
        canvas.rectangle(box);
        canvas.textOut(box.right + 6, legendY, s.label);
        legendY += 22;
    }
}

LRESULT PieChart::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (handlePaintMessage(hwnd(), msg, wp, [this](HDC dc) { paint(dc); })) return 0;
    return Control::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
