#include "ui/Canvas.h"

#include "base/Errors.h"

namespace kv::ui {

Canvas::Canvas(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}

Canvas::~Canvas() { RestoreDC(dc_, saved_); }

void Canvas::setFont(HFONT font) { SelectObject(dc_, font); }

void Canvas::setTextColor(COLORREF color) { SetTextColor(dc_, color); }

void Canvas::setBrushColor(COLORREF color) {
    GdiObject<HBRUSH> b(CreateSolidBrush(color));
    SelectObject(dc_, b.get());
    SetBkColor(dc_, color);
    brush_ = std::move(b);
}

void Canvas::setPen(COLORREF color, int width, int mode) {
    GdiObject<HPEN> p(CreatePen(PS_SOLID, width, color));
    SelectObject(dc_, p.get());
    SetROP2(dc_, mode);
    pen_ = std::move(p);
}

void Canvas::fillRect(const RECT& r) { FillRect(dc_, &r, static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH))); }

void Canvas::frameRect(const RECT& r) { FrameRect(dc_, &r, static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH))); }

void Canvas::rectangle(const RECT& r) { Rectangle(dc_, r.left, r.top, r.right, r.bottom); }

void Canvas::moveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void Canvas::lineTo(int x, int y) { LineTo(dc_, x, y); }

SIZE Canvas::textExtent(const std::string& text) const {
    SIZE s{};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &s);
    return s;
}

void Canvas::textOut(int x, int y, const std::string& text) {
    TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

void Canvas::textRect(const RECT& r, int x, int y, const std::string& text) {
    ExtTextOutA(dc_, x, y, ETO_CLIPPED | ETO_OPAQUE, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

int Canvas::drawText(const std::string& text, RECT& r, UINT format) {
    return DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &r, format);
}

void Canvas::drawFocusRect(const RECT& r) { DrawFocusRect(dc_, &r); }

void Canvas::drawEdge(RECT r, UINT edge, UINT flags) { DrawEdge(dc_, &r, edge, flags); }

void Canvas::drawFrameControl(RECT r, UINT type, UINT state) { DrawFrameControl(dc_, &r, type, state); }

bool Canvas::drawCaption(HWND window, const RECT& r, UINT flags) {
    // Looked up by name: early systems lack it. Its result says nothing (Wine
    // draws and answers FALSE), so only its presence counts.
    using DrawCaptionFn = BOOL(WINAPI*)(HWND, HDC, const RECT*, UINT);
    static const auto draw = reinterpret_cast<DrawCaptionFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "DrawCaption")));
    if (!window || !draw) return false;
    draw(window, dc_, &r, flags);
    return true;
}

void Canvas::drawState(HICON icon, int x, int y, UINT state) {
    DrawStateA(dc_, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, 0, 0, DST_ICON | state);
}

void Canvas::drawState(HBITMAP bitmap, int x, int y, UINT state) {
    SIZE size = bitmapSize(bitmap);
    DrawStateA(dc_, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, x, y, size.cx, size.cy, DST_BITMAP | state);
}

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm)) return {0, 0};
    return {bm.bmWidth, bm.bmHeight};
}

COLORREF bitmapPixel(HBITMAP bitmap, int x, int y) {
    SIZE size = bitmapSize(bitmap);
    if (x < 0 || y < 0 || x >= size.cx || y >= size.cy) return CLR_INVALID;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

COLORREF transparentColor(HBITMAP bitmap) { return bitmapPixel(bitmap, 0, bitmapSize(bitmap).cy - 1); }

void Canvas::draw(int x, int y, HBITMAP bitmap, bool transparent) {
    SIZE size = bitmapSize(bitmap);
    draw(x, y, bitmap, RECT{0, 0, size.cx, size.cy}, transparent);
}

void Canvas::draw(int x, int y, HBITMAP bitmap, const RECT& part, bool transparent) {
    // Read before the bitmap is selected below: it can be in one DC only.
    drawKeyed(x, y, bitmap, part, transparent ? transparentColor(bitmap) : CLR_INVALID);
}

void Canvas::drawKeyed(int x, int y, HBITMAP bitmap, const RECT& part, COLORREF key) {
    const int w = part.right - part.left, h = part.bottom - part.top;
    if (w <= 0 || h <= 0) return;
    HDC src = CreateCompatibleDC(dc_);
    HGDIOBJ old = SelectObject(src, bitmap);
    if (key != CLR_INVALID) {
        TransparentBlt(dc_, x, y, w, h, src, part.left, part.top, w, h, key);
    } else {
        BitBlt(dc_, x, y, w, h, src, part.left, part.top, SRCCOPY);
    }
    SelectObject(src, old);
    DeleteDC(src);
}

void Canvas::stretchDraw(const RECT& r, HBITMAP bitmap) {
    BITMAP bm{};
    if (!GetObjectA(bitmap, sizeof bm, &bm)) return;
    HDC src = CreateCompatibleDC(dc_);
    HGDIOBJ old = SelectObject(src, bitmap);
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, r.left, r.top, r.right - r.left, r.bottom - r.top, src, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    SelectObject(src, old);
    DeleteDC(src);
}

COLORREF Canvas::pixel(int x, int y) const { return GetPixel(dc_, x, y); }

void Canvas::setPixel(int x, int y, COLORREF color) { SetPixel(dc_, x, y, color); }

BitmapCanvas::BitmapCanvas(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_.get()) {
        DeleteDC(dc_);
        throw Error("Cannot create a bitmap");
    }
    bits_ = static_cast<const BYTE*>(bits);
    oldBitmap_ = SelectObject(dc_, bitmap_.get());
    canvas_ = std::make_unique<Canvas>(dc_);
}

BitmapCanvas::~BitmapCanvas() {
    canvas_.reset();
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
}

COLORREF BitmapCanvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    GdiFlush();
    int stride = (width_ * 3 + 3) & ~3;
    const BYTE* p = bits_ + y * stride + x * 3;
    return RGB(p[2], p[1], p[0]);
}

int BitmapCanvas::pixelsUnlike(COLORREF background) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) n += pixel(x, y) != background;
    return n;
}

// WM_PRINT with its children flag is not carried out everywhere (Wine paints
// only the window itself), and some controls clip to their client rectangle in
// device units. So each window prints into a bitmap of its own size, copied
// into place, bottom of the z-order first.
static void renderClient(HWND hwnd, HDC dc, POINT origin) {
    if (!IsWindowVisible(hwnd)) return;
    RECT rc{};
    GetClientRect(hwnd, &rc);
    if (rc.right > 0 && rc.bottom > 0) {
        BitmapCanvas own(rc.right, rc.bottom);
        SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(own.dc()), 0);
        SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(own.dc()), PRF_CLIENT);
        BitBlt(dc, origin.x, origin.y, rc.right, rc.bottom, own.dc(), 0, 0, SRCCOPY);
    }
    HWND top = GetWindow(hwnd, GW_CHILD);
    for (HWND child = top ? GetWindow(top, GW_HWNDLAST) : nullptr; child; child = GetWindow(child, GW_HWNDPREV)) {
        POINT p{0, 0};
        ClientToScreen(child, &p);
        ScreenToClient(hwnd, &p);
        renderClient(child, dc, {origin.x + p.x, origin.y + p.y});
    }
}

PixelBitmap createPixelBitmap(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    PixelBitmap out;
    out.bitmap.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!out.bitmap.get() || !bits) return {};
    out.pixels = static_cast<DWORD*>(bits);
    return out;
}

void renderWindow(HWND hwnd, BitmapCanvas& target) { renderClient(hwnd, target.dc(), {0, 0}); }

}  // namespace kv::ui
