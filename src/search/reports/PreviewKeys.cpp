#include "search/reports/PreviewKeys.h"

#include <algorithm>

namespace kv {

namespace {

PreviewKeyAction ScrollTo(const PreviewView& view, int vert, int horz, bool consumed) {
    return {PreviewCommand::Scroll, std::clamp(vert, 0, view.vert.maxPosition()),
            std::clamp(horz, 0, view.horz.maxPosition()), consumed};
}

PreviewKeyAction Command(PreviewCommand command, bool allowed, bool consumed) {
    return {allowed ? command : PreviewCommand::None, 0, 0, consumed};
}

}  // namespace

PreviewKeyAction PreviewKeyFor(PreviewKey key, bool ctrl, const PreviewView& view) {
    const ScrollAxis& v = view.vert;
    const ScrollAxis& h = view.horz;
    switch (key) {
    case PreviewKey::Escape: return Command(PreviewCommand::Close, true, false);
    case PreviewKey::P: return Command(PreviewCommand::Print, true, false);
    case PreviewKey::PageUp:
        if (ctrl)
            return Command(PreviewCommand::FirstPage, view.canPrior, true);
        if (v.visible && v.position > 0)
            return ScrollTo(view, v.position - v.page, h.position, true);
        return Command(PreviewCommand::PriorPageBottom, view.canPrior, true);
    case PreviewKey::PageDown:
        if (ctrl)
            return Command(PreviewCommand::LastPage, view.canNext, true);
        if (v.visible && v.position < v.range - v.page)
            return ScrollTo(view, v.position + v.page, h.position, true);
        return Command(PreviewCommand::NextPage, view.canNext, true);
    case PreviewKey::Home: return ScrollTo(view, 0, h.position, false);
    case PreviewKey::End: return ScrollTo(view, v.maxPosition(), h.position, false);
    case PreviewKey::Up: return ScrollTo(view, v.position - v.range / 50, h.position, true);
    case PreviewKey::Down: return ScrollTo(view, v.position + v.range / 50, h.position, true);
    case PreviewKey::Left: return ScrollTo(view, v.position, h.position - h.range / 50, true);
    case PreviewKey::Right: return ScrollTo(view, v.position, h.position + h.range / 50, true);
    case PreviewKey::Other: break;
    }
    return {};
}

}  // namespace kv
