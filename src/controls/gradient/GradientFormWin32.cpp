#include "controls/gradient/GradientFormWin32.h"

#include <algorithm>
#include <cstring>

#include "controls/gradient/GradientColors.h"
#include "ui/SystemFonts.h"

namespace kv::ui {

namespace {

CaptionBorder captionBorder(BorderStyle s) {
    switch (s) {
    case BorderStyle::None: return CaptionBorder::None;
    case BorderStyle::Single: return CaptionBorder::Single;
    case BorderStyle::Sizeable: return CaptionBorder::Sizeable;
    case BorderStyle::Dialog: return CaptionBorder::Dialog;
    case BorderStyle::ToolWindow: return CaptionBorder::ToolWindow;
    case BorderStyle::SizeToolWin: return CaptionBorder::SizeToolWin;
    }
    return CaptionBorder::Sizeable;
}

CaptionMetrics systemCaptionMetrics() {
    CaptionMetrics m;
    m.dlgFrameX = GetSystemMetrics(SM_CXDLGFRAME);
    m.dlgFrameY = GetSystemMetrics(SM_CYDLGFRAME);
    m.frameX = GetSystemMetrics(SM_CXFRAME);
    m.frameY = GetSystemMetrics(SM_CYFRAME);
    m.captionHeight = GetSystemMetrics(SM_CYCAPTION);
    m.smallCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION);
    m.smallIcon = GetSystemMetrics(SM_CXSMICON);
    m.smallSize = GetSystemMetrics(SM_CXSMSIZE);
    return m;
}

UINT frameControlState(CaptionButton b) {
    switch (b) {
    case CaptionButton::Close: return DFCS_CAPTIONCLOSE;
    case CaptionButton::Maximize: return DFCS_CAPTIONMAX;
    case CaptionButton::Restore: return DFCS_CAPTIONRESTORE;
    case CaptionButton::Minimize: return DFCS_CAPTIONMIN;
    case CaptionButton::Help: return DFCS_CAPTIONHELP;
    }
    return DFCS_CAPTIONCLOSE;
}

HICON smallIconOf(HWND hwnd) {
    if (auto icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0))) return icon;
    if (auto icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0))) return icon;
    if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICONSM))) return icon;
    return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

}  // namespace

TGradientForm::TGradientForm() : stopColor_(GetSysColor(COLOR_ACTIVECAPTION)) {
    ComputeGradientColors();
    makeFont();
}

void TGradientForm::ComputeGradientColors() {
    inactive_ = kv::ui::ComputeGradientColors(RGB(0, 0, 0), GetSysColor(COLOR_INACTIVECAPTION), gradientColors_);
    active_ = kv::ui::ComputeGradientColors(startColor_, stopColor_, gradientColors_);
}

void TGradientForm::makeFont() {
    const NONCLIENTMETRICSA ncm = ReadNonClientMetrics();
    const bool tool = borderStyle() == BorderStyle::ToolWindow || borderStyle() == BorderStyle::SizeToolWin;
    // Made before the old one goes, so a new font is a new handle.
    GdiObject<HFONT> font(CreateFontIndirectA(tool ? &ncm.lfSmCaptionFont : &ncm.lfCaptionFont));
    font_ = std::move(font);
}

void TGradientForm::refreshFrame() {
    if (hwnd())
        SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TGradientForm::SetGradientColors(int count) {
    if (count == gradientColors_ || count < kMinGradientColors || count > kMaxGradientColors) return;
    gradientColors_ = count;
    ComputeGradientColors();
    refreshFrame();
}

void TGradientForm::SetCaptionTextColor(COLORREF colour) {
    if (colour == textColor_) return;
    textColor_ = colour;
    refreshFrame();
}

void TGradientForm::SetGradientStartColor(COLORREF colour) {
    startColor_ = colour;
    ComputeGradientColors();
    refreshFrame();
}

void TGradientForm::SetGradientStopColor(COLORREF colour) {
    stopColor_ = colour;
    ComputeGradientColors();
    refreshFrame();
}

void TGradientForm::SetPaintGradient(TGFPaintWhen when) {
    if (when == paintWhen_) return;
    paintWhen_ = when;
    refreshFrame();
}

void TGradientForm::SetCaption(const std::string& caption) {
    caption_ = caption;
    setText(caption);
}

bool TGradientForm::isActive() const { return hwnd() && GetActiveWindow() == hwnd(); }

void TGradientForm::repaintCaption() {
    if (!hwnd()) return;
    HDC dc = GetWindowDC(hwnd());
    PaintCaption(dc, isActive());
    ReleaseDC(hwnd(), dc);
}

CaptionLayout TGradientForm::captionLayout() const {
    RECT w{0, 0, width(), height()};
    if (hwnd()) GetWindowRect(hwnd(), &w);
    CaptionIcons icons;
    if (hwnd()) {
        const LONG style = GetWindowLongA(hwnd(), GWL_STYLE);
        icons.systemMenu = (style & WS_SYSMENU) != 0;
        icons.minimize = (style & WS_MINIMIZEBOX) != 0;
        icons.maximize = (style & WS_MAXIMIZEBOX) != 0;
        icons.help = (GetWindowLongA(hwnd(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP) != 0;
        icons.maximized = IsZoomed(hwnd()) != FALSE;
    }
    return LayoutCaption(captionBorder(borderStyle()), {w.right - w.left, w.bottom - w.top}, icons,
                         systemCaptionMetrics());
}

void TGradientForm::paintBackground(HDC dc, const RECT& r, bool active) {
    const bool solid = paintWhen_ == TGFPaintWhen::gfpNever || (paintWhen_ == TGFPaintWhen::gfpActive && !active);
    if (solid) {
        FillRect(dc, &r, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        return;
    }
    const auto& table = colorTable(active);
    const int n = static_cast<int>(table.size());
    const int w = r.right - r.left;
    if (GetDeviceCaps(dc, SIZEPALETTE) >= 1) {
        for (int i = 0; i < n; ++i) {
            RECT band{r.left + GradientBandEdge(w, n, i), r.top, r.left + GradientBandEdge(w, n, i + 1), r.bottom};
            GdiObject<HBRUSH> brush(CreateSolidBrush(table[i]));
            FillRect(dc, &band, brush.get());
        }
        return;
    }
    // One pixel per entry, stretched over the bar.
    BitmapCanvas strip(n, 1);
    for (int i = 0; i < n; ++i) SetPixelV(strip.dc(), i, 0, table[i]);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, r.left, r.top, w, r.bottom - r.top, strip.dc(), 0, 0, n, 1, SRCCOPY);
}

void TGradientForm::PaintCaption(HDC target, bool active) {
    const CaptionLayout l = captionLayout();
    if (l.caption.empty()) return;
    const int w = l.caption.width();
    const int h = l.caption.height() + 1;  // the bottom is inclusive
    BitmapCanvas bar(w, h);
    HDC dc = bar.dc();
    const int ox = l.caption.left, oy = l.caption.top;
    auto local = [&](const DockRect& r) { return RECT{r.left - ox, r.top - oy, r.right - ox, r.bottom - oy}; };
    const RECT all{0, 0, w, h};
    paintBackground(dc, all, active);
    if (l.icon && hwnd()) {
        const int s = GetSystemMetrics(SM_CXSMICON);
        DrawIconEx(dc, 1, 1, smallIconOf(hwnd()), s, s, 0, nullptr, DI_NORMAL);
    }
    for (const CaptionButtonPlace& b : l.buttons) {
        bar.canvas().drawFrameControl(local(b.rect), DFC_CAPTION,
                                      frameControlState(b.kind) | (b.inactive ? DFCS_INACTIVE : 0));
    }
    RECT text = local(l.textBox);
    HGDIOBJ oldFont = font_.get() ? SelectObject(dc, font_.get()) : nullptr;
    if (OnCaptionPaint) {
        Canvas canvas(dc);
        OnCaptionPaint(*this, canvas, text, active);
    }
    if (!IsRectEmpty(&text)) {
        text.left += 2;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, textColor_);
        DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    if (oldFont) SelectObject(dc, oldFont);
    BitBlt(target, ox, oy, w, h, dc, 0, 0, SRCCOPY);
}

void TGradientForm::paintNonClient(HRGN region) {
    const CaptionLayout l = captionLayout();
    RECT w;
    GetWindowRect(hwnd(), &w);
    // The system owns the region it passed: the rest of the frame gets a copy.
    HRGN rest = CreateRectRgnIndirect(&w);
    if (region && region != reinterpret_cast<HRGN>(1)) CombineRgn(rest, rest, region, RGN_AND);
    if (!l.caption.empty()) {
        HRGN caption = CreateRectRgn(w.left + l.caption.left, w.top + l.caption.top, w.left + l.caption.right,
                                     w.top + l.caption.bottom + 1);
        CombineRgn(rest, rest, caption, RGN_DIFF);
        DeleteObject(caption);
    }
    Control::wndProc(WM_NCPAINT, reinterpret_cast<WPARAM>(rest), 0);
    DeleteObject(rest);
    repaintCaption();
}

LRESULT TGradientForm::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Listeners see every message first, as on any form.
    LRESULT result = 0;
    if (notifyListeners(msg, wp, lp, result)) return result;
    switch (msg) {
    case WM_NCCREATE:
    case WM_CREATE: {
        // The text the window is made with arrives without a WM_SETTEXT.
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) caption_ = cs->lpszName;
        return formMessage(msg, wp, lp);
    }
    case WM_NCACTIVATE: {
        HDC dc = GetWindowDC(hwnd());
        PaintCaption(dc, wp != FALSE);
        ReleaseDC(hwnd(), dc);
        return 1;
    }
    case WM_NCPAINT:
        paintNonClient(reinterpret_cast<HRGN>(wp));
        return 0;
    case WM_SETTEXT: {
        caption_ = lp ? reinterpret_cast<const char*>(lp) : "";
        // The system keeps its own copy for the taskbar and Alt+Tab; without
        // WS_VISIBLE it stores it without painting a caption of its own.
        const LONG style = GetWindowLongA(hwnd(), GWL_STYLE);
        if (style & WS_VISIBLE) SetWindowLongA(hwnd(), GWL_STYLE, style & ~WS_VISIBLE);
        DefWindowProcA(hwnd(), WM_SETTEXT, wp, lp);
        if (style & WS_VISIBLE) SetWindowLongA(hwnd(), GWL_STYLE, style);
        repaintCaption();
        return 1;
    }
    case WM_GETTEXT: {
        if (wp == 0 || lp == 0) return 0;
        const std::size_t n = std::min<std::size_t>(caption_.size(), wp - 1);
        std::memcpy(reinterpret_cast<char*>(lp), caption_.data(), n);
        reinterpret_cast<char*>(lp)[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(caption_.size());
    case WM_SYSCOLORCHANGE:
        ComputeGradientColors();
        return formMessage(msg, wp, lp);
    case WM_SETTINGCHANGE:
        if (wp == SPI_SETNONCLIENTMETRICS) makeFont();
        return formMessage(msg, wp, lp);
    case WM_SIZE: {
        const LRESULT r = formMessage(msg, wp, lp);
        if (wp == SIZE_MAXIMIZED || wp == SIZE_RESTORED) repaintCaption();
        return r;
    }
    case WM_SETCURSOR: {
        LPCSTR cursor = nullptr;
        switch (LOWORD(lp)) {
        case HTLEFT: case HTRIGHT: cursor = IDC_SIZEWE; break;
        case HTTOP: case HTBOTTOM: cursor = IDC_SIZENS; break;
        case HTTOPLEFT: case HTBOTTOMRIGHT: cursor = IDC_SIZENWSE; break;
        case HTTOPRIGHT: case HTBOTTOMLEFT: cursor = IDC_SIZENESW; break;
        default: return formMessage(msg, wp, lp);
        }
        SetCursor(LoadCursorA(nullptr, cursor));
        return 1;
    }
    case WM_NCLBUTTONDOWN: {
        const LRESULT r = formMessage(msg, wp, lp);
        repaintCaption();
        return r;
    }
    case WM_SYSCOMMAND:
        repaintCaption();
        return formMessage(msg, wp, lp);
    default:
        return formMessage(msg, wp, lp);
    }
}

}  // namespace kv::ui
