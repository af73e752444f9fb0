#include "ui/Panel.h"

#include "ui/PaintMessage.h"

namespace kv::ui {

void Panel::setBevel(bool raised) {
    bevel_ = raised;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void Panel::createParams(CreateArgs& args) {
    Control::createParams(args);
    Wnd::registerClass("KvPanel", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
    args.className = "KvPanel";
    args.style |= WS_CLIPCHILDREN;
    args.exStyle |= WS_EX_CONTROLPARENT;
}

void Panel::paint(HDC dc) {
    RECT r = clientRect();
    if (bevel_) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    std::string caption = text();
    if (caption.empty()) return;
    HGDIOBJ old = SelectObject(dc, font());
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

LRESULT Panel::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (handlePaintMessage(hwnd(), msg, wp, [this](HDC dc) { paint(dc); })) return 0;
    return Control::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
