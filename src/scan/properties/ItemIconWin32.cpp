#include "scan/properties/ItemIconWin32.h"

#include "ui/PaintMessage.h"

namespace kv {

void ItemIconView::setIcon(HIMAGELIST images, int index) {
    images_ = images;
    index_ = index;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void ItemIconView::createParams(ui::CreateArgs& args) {
    Control::createParams(args);
    Wnd::registerClass("KvItemIcon", CS_HREDRAW | CS_VREDRAW);
    args.className = "KvItemIcon";
}

LRESULT ItemIconView::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (ui::handlePaintMessage(hwnd(), msg, wp, [this](HDC dc) {
            const RECT r = clientRect();
            paintParentBackground(dc, r);
            if (!images_ || index_ < 0) return;
            int w = 0, h = 0;
            ImageList_GetIconSize(images_, &w, &h);
            ImageList_Draw(images_, index_, dc, (r.right - w) / 2, (r.bottom - h) / 2, ILD_TRANSPARENT);
        }))
        return 0;
    return Control::wndProc(msg, wp, lp);
}

}  // namespace kv
