#include "ui/PaintMessage.h"

namespace kv::ui {

bool handlePaintMessage(HWND hwnd, UINT msg, WPARAM wp, const std::function<void(HDC)>& paint) {
    if (msg == WM_PRINTCLIENT) {
        paint(reinterpret_cast<HDC>(wp));
        return true;
    }
    if (msg != WM_PAINT) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    paint(dc);
    EndPaint(hwnd, &ps);
    return true;
}

}  // namespace kv::ui
