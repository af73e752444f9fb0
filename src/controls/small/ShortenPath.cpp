#include "controls/small/ShortenPath.h"

#include <vector>

namespace kv::ui {

namespace {

std::vector<std::string> split(const std::string& path, const std::string& sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = path.find(sep, start);
        if (at == std::string::npos) {
            parts.push_back(path.substr(start));
            return parts;
        }
        parts.push_back(path.substr(start, at - start));
        start = at + sep.size();
    }
}

}  // namespace

std::string ShortenPath(const std::string& path, int width, const std::string& sep, ShortenDirection direction,
                        const std::function<int(const std::string&)>& textWidth) {
    if (path.empty() || sep.empty() || textWidth(path) <= width) return path;
    std::vector<std::string> parts = split(path, sep);
    // "C:\a\b\" shows its last folder with the separator, not an empty name.
    if (parts.size() > 1 && parts.back().empty()) {
        parts.pop_back();
        parts.back() += sep;
    }
    const std::string dots = "..." + sep;
    const std::string last = parts.back();
    if (parts.size() == 1 || textWidth(dots + last) > width) return last;

    // The head kept in front of "...": a drive, or a network share.
    std::string head;
    std::size_t first = 0;
    if (parts.front().size() > 1 && parts.front().back() == ':') {
        head = parts.front() + sep;
        first = 1;
    } else if (parts.size() > 4 && parts[0].empty() && parts[1].empty() && !parts[2].empty()) {
        head = sep + sep + parts[2] + sep + parts[3] + sep;
        first = 4;
    }
    if (textWidth(head + dots + last) > width) return dots + last;

    // The middle folders, parts[first .. size-2].
    const std::size_t middleEnd = parts.size() - 1;
    std::string kept;
    if (direction == ShortenDirection::FromRight) {
        for (std::size_t i = first; i < middleEnd; ++i) {
            const std::string more = kept + parts[i] + sep;
            if (textWidth(head + more + dots + last) > width) break;
            kept = more;
        }
        return head + kept + dots + last;
    }
    for (std::size_t i = middleEnd; i-- > first;) {
        const std::string more = parts[i] + sep + kept;
        if (textWidth(head + dots + more + last) > width) break;
        kept = more;
    }
    return head + dots + kept + last;
}

}  // namespace kv::ui
