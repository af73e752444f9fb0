#include "controls/docks/FloatingFrame.h"

namespace kv::ui {

std::string TruncateCaption(const std::string& text, int width, const std::function<int(const std::string&)>& textWidth) {
    if (textWidth(text) <= width) return text;
    std::string s = text;
    while (s.size() > 5 && textWidth(s + "...") > width) s.pop_back();
    return s + "...";
}

DockRect FloatCloseButtonRect(const DockRect& w, const FloatFrameMetrics& m) {
    const int top = w.top + m.frame + 2;
    const int size = m.captionHeight - 4;
    const int right = w.right - m.frame - 2;
    return {right - size, top, right, top + size};
}

FloatHit FloatHitTest(const DockRect& w, DockPoint p, const FloatFrameMetrics& m, bool closeButton) {
    if (!w.contains(p)) return FloatHit::Nowhere;
    if (p.x < w.left + m.frame) return FloatHit::Left;
    if (p.x >= w.right - m.frame) return FloatHit::Right;
    if (p.y < w.top + m.frame) return FloatHit::Top;
    if (p.y >= w.bottom - m.frame) return FloatHit::Bottom;
    if (closeButton && FloatCloseButtonRect(w, m).contains(p)) return FloatHit::Close;
    return FloatHit::Client;
}

}  // namespace kv::ui
