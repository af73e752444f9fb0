#include "search/reports/PreviewZoom.h"

#include <algorithm>

namespace kv {

ZoomChoice ZoomComboChoice(int zoom) {
    int item = 0;
    for (std::size_t i = 0; i < kZoomSteps.size(); ++i)
        if (kZoomSteps[i] <= zoom)
            item = static_cast<int>(i);
    return {item, std::to_string(zoom) + "%"};
}

std::optional<int> ParseZoomText(std::string_view text, int current) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && (blank(text.back()) || text.back() == '%'))
        text.remove_suffix(1);
    if (text.empty())
        return current;
    if (text.size() > 6)
        return std::nullopt;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return std::clamp(n, kMinZoom, kMaxZoom);
}

int StepZoom(int zoom, bool in) {
    const int item = ZoomComboChoice(zoom).item;
    const int last = static_cast<int>(kZoomSteps.size()) - 1;
    if (in)
        return item < last ? kZoomSteps[static_cast<std::size_t>(item + 1)] : zoom;
    return item > 0 ? kZoomSteps[static_cast<std::size_t>(item - 1)] : zoom;
}

int ZoomToFit(double pageWidth, double pageLength, int viewWidth, int viewHeight) {
    if (pageWidth <= 0 || pageLength <= 0)
        return 100;
    const double zoom = std::min(viewWidth / pageWidth, viewHeight / pageLength) * 100;
    return std::clamp(static_cast<int>(zoom), kMinZoom, kMaxZoom);
}

int ZoomToWidth(double pageWidth, int viewWidth) {
    if (pageWidth <= 0)
        return 100;
    return std::clamp(static_cast<int>(viewWidth / pageWidth * 100), kMinZoom, kMaxZoom);
}

}  // namespace kv
