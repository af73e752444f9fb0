#include "controls/docks/ToolbarLayout.h"

#include <algorithm>
#include <limits>

namespace kv::ui {

ToolbarMargins MarginsFor(ToolbarOrientation orientation) {
    if (orientation == ToolbarOrientation::Floating) return {2, 1, 4, 4, 4};
    return {2, 2, 2, 11, 2};
}

namespace {

constexpr int kMinLineContent = 8;

struct Along {
    int along;
    int across;
};

Along measure(const ToolbarItem& item, bool vertical) {
    if (item.separator) return {vertical ? item.sizeVert : item.sizeHorz, 0};
    return vertical ? Along{item.height, item.width} : Along{item.width, item.height};
}

}  // namespace

ToolbarLayout LayoutControls(const ToolbarLayoutInput& input, const std::vector<ToolbarItem>& items) {
    const bool vertical = input.orientation == ToolbarOrientation::Vertical;
    const ToolbarMargins m = MarginsFor(input.orientation);
    const bool handle = input.orientation == ToolbarOrientation::Floating || input.dragHandle;
    const int lineStart = handle ? m.lineStartWithHandle : m.lineStart;
    const long long limit = (input.orientation == ToolbarOrientation::Floating && input.wrapWidth > 0)
                                ? input.wrapWidth
                                : std::numeric_limits<long long>::max();

    int thickness = kMinLineContent;
    for (const auto& item : items)
        if (item.visible && !item.separator) thickness = std::max(thickness, measure(item, vertical).across);
    if (input.lineThickness > 0) thickness = input.lineThickness;

    ToolbarLayout out;
    out.items.resize(items.size());
    int lineOffset = m.beforeFirstLine;
    long long pos = lineStart;
    long long extent = lineStart;      // of the finished lines
    long long lineExtent = lineStart;  // of the line being filled
    bool lineEmpty = true;
    int lastSeparator = -1;  // index of the separator that ended the previous group
    out.lines = 1;

    auto newLine = [&](int gap) {
        extent = std::max(extent, lineExtent);
        lineExtent = lineStart;
        lineOffset += thickness + gap;
        pos = lineStart;
        lineEmpty = true;
        ++out.lines;
    };

    std::size_t i = 0;
    while (i < items.size()) {
        // The group runs to the next separator, inclusive.
        std::size_t end = i;
        long long groupLength = 0;
        while (end < items.size()) {
            if (items[end].visible) groupLength += measure(items[end], vertical).along;
            if (items[end++].separator && items[end - 1].visible) break;
        }
        if (!lineEmpty && pos + groupLength + m.lineEnd > limit) {
            // The separator that ended the line becomes the line between the
            // two lines: it no longer takes room along its line.
            if (lastSeparator >= 0) {
                const DockRect& b = out.items[lastSeparator].bounds;
                lineExtent = vertical ? b.top : b.left;
            }
            newLine(6);
            if (lastSeparator >= 0) {
                auto& sep = out.items[lastSeparator];
                sep.lineSeparator = true;
                sep.nextLineOffset = lineOffset;
                if (vertical)
                    sep.bounds.bottom = sep.bounds.top;
                else
                    sep.bounds.right = sep.bounds.left;
            }
        }
        lastSeparator = -1;
        for (; i < end; ++i) {
            const ToolbarItem& item = items[i];
            if (!item.visible) continue;
            const Along size = measure(item, vertical);
            // A separator rides at the end of its line: the break comes after it.
            if (!lineEmpty && !item.separator && pos + size.along + m.lineEnd > limit) newLine(0);
            const int across = item.separator ? thickness : size.across;
            const int offset = item.separator ? 0 : (thickness - across) / 2;
            const int a = static_cast<int>(std::min<long long>(pos, std::numeric_limits<int>::max() / 2));
            DockRect r = vertical ? DockRect{lineOffset + offset, a, lineOffset + offset + across, a + size.along}
                                  : DockRect{a, lineOffset + offset, a + size.along, lineOffset + offset + across};
            out.items[i].bounds = r;
            pos += size.along;
            lineExtent = std::max(lineExtent, pos);
            lineEmpty = false;
            if (item.separator) lastSeparator = static_cast<int>(i);
        }
    }

    extent = std::max(extent, lineExtent);
    const long long along = std::min<long long>(extent + m.lineEnd, std::numeric_limits<int>::max() / 2);
    int across = lineOffset + thickness + m.afterLastLine;
    across = std::max(across, input.minThickness);
    out.size = vertical ? DockSize{across, static_cast<int>(along)} : DockSize{static_cast<int>(along), across};
    return out;
}

std::vector<DockSize> CandidateSizes(const std::vector<ToolbarItem>& items) {
    std::vector<DockSize> out;
    ToolbarLayoutInput in;
    in.orientation = ToolbarOrientation::Floating;
    int wrap = LayoutControls(in, items).size.width;
    // No layout is narrower than the widest control with its margins.
    const ToolbarMargins m = MarginsFor(in.orientation);
    int narrowest = m.lineStartWithHandle + m.lineEnd;
    for (const auto& item : items)
        if (item.visible && !item.separator) narrowest = std::max(narrowest, m.lineStartWithHandle + item.width + m.lineEnd);
    // A layout for width w holds for every width down to its own: jump there.
    while (wrap >= narrowest) {
        in.wrapWidth = wrap;
        const DockSize s = LayoutControls(in, items).size;
        if (out.empty() || out.back() != s) out.push_back(s);
        wrap = std::min(s.width, wrap) - 1;
    }
    return out;
}

DockSize PickCandidateByWidth(const std::vector<DockSize>& candidates, int width) {
    if (candidates.empty()) return {};
    for (const auto& c : candidates)
        if (c.width <= width) return c;
    return candidates.back();
}

DockSize PickCandidateByHeight(const std::vector<DockSize>& candidates, int height) {
    if (candidates.empty()) return {};
    const DockSize* best = nullptr;
    for (const auto& c : candidates)
        if (c.height >= height && (!best || c.height < best->height)) best = &c;
    if (best) return *best;
    return *std::max_element(candidates.begin(), candidates.end(),
                             [](const DockSize& a, const DockSize& b) { return a.height < b.height; });
}

}  // namespace kv::ui
