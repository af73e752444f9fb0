#include "controls/gradient/CaptionGeometry.h"

namespace kv::ui {

namespace {
bool isToolWindow(CaptionBorder b) { return b == CaptionBorder::ToolWindow || b == CaptionBorder::SizeToolWin; }
}  // namespace

DockRect CaptionRect(CaptionBorder border, DockSize window, const CaptionMetrics& m) {
    if (border == CaptionBorder::None) return {};
    const bool sizing = border == CaptionBorder::Sizeable || border == CaptionBorder::SizeToolWin;
    const int fx = sizing ? m.frameX : m.dlgFrameX;
    const int fy = sizing ? m.frameY : m.dlgFrameY;
    const int h = isToolWindow(border) ? m.smallCaptionHeight : m.captionHeight;
    return {fx, fy, window.width - fx, fy + h - 1};
}

CaptionLayout LayoutCaption(CaptionBorder border, DockSize window, const CaptionIcons& icons, const CaptionMetrics& m) {
    CaptionLayout out;
    out.caption = CaptionRect(border, window, m);
    if (out.caption.empty()) return out;
    const DockRect& c = out.caption;
    out.textBox = c;
    out.textBox.left = c.left + 1;
    if (icons.systemMenu && (border == CaptionBorder::Single || border == CaptionBorder::Sizeable)) {
        out.icon = true;
        out.textBox.left = c.left + 1 + m.smallIcon + 1;
    }
    const DockRect box{c.left + 2, c.top + 2, c.right - 2, c.bottom - 2};
    if (isToolWindow(border)) {
        if (icons.systemMenu) {
            const int w = m.smallSize - 2;
            out.buttons.push_back({CaptionButton::Close, {box.right - w, box.top, box.right, box.bottom}});
            out.textBox.right = box.right - w - 5;
        }
        return out;
    }
    int b = m.smallIcon - 2;
    if ((b & 1) != ((c.height() + 1) & 1)) ++b;
    int place = box.right;
    auto button = [&](CaptionButton kind, bool inactive) {
        out.buttons.push_back({kind, {place - (b + 2), box.top, place, box.bottom}, inactive});
    };
    if (icons.systemMenu) {
        button(CaptionButton::Close, false);
        place -= b + 4;
        out.textBox.right = place;
        if (border != CaptionBorder::Dialog) {
            button(icons.maximized ? CaptionButton::Restore : CaptionButton::Maximize, !icons.maximize);
            place -= b + 2;
            button(CaptionButton::Minimize, !icons.minimize);
            place -= b + 2;
            out.textBox.right -= 2 * (b + 2);
        } else if (icons.help) {
            button(CaptionButton::Help, false);
            out.textBox.right -= b + 2;
        }
    }
    out.textBox.right -= 3;
    return out;
}

}  // namespace kv::ui
