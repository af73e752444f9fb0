#include "ui/Image.h"

#include <algorithm>

#include "ui/PaintMessage.h"

namespace kv::ui {

Image::Image() = default;

void Image::setBitmap(GdiObject<HBITMAP> bitmap) {
    bitmap_ = std::move(bitmap);
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void Image::setStretch(bool stretch) {
    stretch_ = stretch;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void Image::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "KvImage";
    Wnd::registerClass(args.className, CS_DBLCLKS, nullptr, nullptr, nullptr);
}

void Image::paint(HDC dc) {
    RECT client = clientRect();
    Canvas canvas(dc);
    // What the bitmap leaves uncovered shows the background colour.
    canvas.setBrushColor(color());
    if (!bitmap_.get()) {
        canvas.fillRect(client);
        return;
    }
    if (stretch_) {
        canvas.stretchDraw(client, bitmap_.get());
        return;
    }
    SIZE size = bitmapSize(bitmap_.get());
    if (size.cx < client.right) canvas.fillRect({size.cx, 0, client.right, client.bottom});
    if (size.cy < client.bottom) canvas.fillRect({0, size.cy, std::min<LONG>(size.cx, client.right), client.bottom});
    canvas.draw(0, 0, bitmap_.get());
}

LRESULT Image::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (handlePaintMessage(hwnd(), msg, wp, [this](HDC dc) { paint(dc); })) return 0;
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        break;
    case WM_LBUTTONUP: {
        const bool click = pressed_;
        pressed_ = false;
        LRESULT r = Control::wndProc(msg, wp, lp);
        if (click && onClick) onClick(*this);
        return r;
    }
    }
    return Control::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
