#pragma once
// Drawing on a device context that the canvas borrows or owns (a memory
// bitmap), with RAII owners for the GDI objects it makes.
#include <windows.h>

#include <memory>
#include <string>

namespace kv::ui {

// Owns one GDI object (font, brush, pen, bitmap) and deletes it.
template <class T>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(T h) : h_(h) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& o) noexcept : h_(o.release()) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }
    T get() const { return h_; }
    T release() {
        T h = h_;
        h_ = nullptr;
        return h;
    }
    void reset(T h = nullptr) {
        if (h_) DeleteObject(h_);
        h_ = h;
    }

private:
    T h_ = nullptr;
};

SIZE bitmapSize(HBITMAP bitmap);
// The see-through colour of a bitmap drawn transparently: its bottom-left pixel.
COLORREF transparentColor(HBITMAP bitmap);
// One pixel of a bitmap; CLR_INVALID outside it.
COLORREF bitmapPixel(HBITMAP bitmap, int x, int y);

class Canvas {
public:
    // Borrows dc; everything selected into it is put back on destruction.
    explicit Canvas(HDC dc);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC handle() const { return dc_; }

    void setFont(HFONT font);
    void setTextColor(COLORREF color);
    void setBrushColor(COLORREF color);
    void setPen(COLORREF color, int width = 1, int mode = R2_COPYPEN);

    void fillRect(const RECT& r);
    void frameRect(const RECT& r);
    void rectangle(const RECT& r);
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    SIZE textExtent(const std::string& text) const;
    int textWidth(const std::string& text) const { return textExtent(text).cx; }
    int textHeight(const std::string& text) const { return textExtent(text).cy; }
    void textOut(int x, int y, const std::string& text);
    // Text clipped to r, with the brush as background.
    void textRect(const RECT& r, int x, int y, const std::string& text);
    int drawText(const std::string& text, RECT& r, UINT format);
    void drawFocusRect(const RECT& r);
    void drawEdge(RECT r, UINT edge, UINT flags);
    // A control part drawn by the system (caption buttons, push buttons, check
    // boxes), so it looks like the system's own.
    void drawFrameControl(RECT r, UINT type, UINT state);
    // The caption of window drawn by the system (DC_ACTIVE, DC_SMALLCAP,
    // DC_TEXT, ...); false without a window or where the system has no such
    // call, so callers can draw their own.
    bool drawCaption(HWND window, const RECT& r, UINT flags);
    // An icon or bitmap in a state of DrawState (DSS_DISABLED for the embossed look).
    void drawState(HICON icon, int x, int y, UINT state);
    void drawState(HBITMAP bitmap, int x, int y, UINT state);
    // Draws a bitmap; transparent takes its bottom-left pixel as the see-through colour.
    void draw(int x, int y, HBITMAP bitmap, bool transparent = false);
    // The same for a part of the bitmap (one image of a strip, say).
    void draw(int x, int y, HBITMAP bitmap, const RECT& part, bool transparent);
    // A part of the bitmap without the pixels of the key colour (CLR_INVALID: all of them).
    void drawKeyed(int x, int y, HBITMAP bitmap, const RECT& part, COLORREF key);
    void stretchDraw(const RECT& r, HBITMAP bitmap);
    COLORREF pixel(int x, int y) const;
    void setPixel(int x, int y, COLORREF color);

private:
    HDC dc_;
    int saved_;
    GdiObject<HBRUSH> brush_;
    GdiObject<HPEN> pen_;
};

// A canvas over a 24-bit bitmap of its own: drawing independent of the display
// driver, and pixels for tests.
class BitmapCanvas {
public:
    BitmapCanvas(int width, int height);
    ~BitmapCanvas();
    BitmapCanvas(const BitmapCanvas&) = delete;
    BitmapCanvas& operator=(const BitmapCanvas&) = delete;
    Canvas& canvas() { return *canvas_; }
    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF pixel(int x, int y) const;
    // How many pixels differ from the top-left one: 0 for a blank picture.
    int pixelsUnlike(COLORREF background) const;

private:
    int width_, height_;
    HDC dc_;
    GdiObject<HBITMAP> bitmap_;
    HGDIOBJ oldBitmap_;
    const BYTE* bits_ = nullptr;
    std::unique_ptr<Canvas> canvas_;
};

// A top-down 32-bit bitmap, selected into no device context, and its pixels
// (0x00RRGGBB, row by row); both null when it could not be made.
struct PixelBitmap {
    GdiObject<HBITMAP> bitmap;
    DWORD* pixels = nullptr;
};
PixelBitmap createPixelBitmap(int width, int height);
inline DWORD toPixel(COLORREF c) {
    return (static_cast<DWORD>(GetRValue(c)) << 16) | (static_cast<DWORD>(GetGValue(c)) << 8) | GetBValue(c);
}

// Paints the client areas of a window and its children into a bitmap.
void renderWindow(HWND hwnd, BitmapCanvas& target);

}  // namespace kv::ui
