#include "controls/menus/MenuText.h"

#include <vector>


namespace kv {

std::string EscapeAmpersands(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

std::string StripMnemonic(std::string_view caption) {
    std::string out;
    out.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&')
                out += '&';
            ++i;
            if (i < caption.size() && caption[i] != '&')
                out += caption[i];
            continue;
        }
        out += caption[i];
    }
    return out;
}

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string ShortenPath(std::string_view path, int maxWidth, const TextWidth& width) {
    if (maxWidth <= 0 || width(path) <= maxWidth)
        return std::string(path);
    // The head kept in front of "...": a drive ("C:") or a UNC share ("\\server\share").
    std::size_t headEnd = 0;
    if (path.size() >= 2 && path[1] == ':') {
        headEnd = 2;
    } else if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        std::size_t server = path.find_first_of("\\/", 2);
        std::size_t share = server == std::string_view::npos ? server : path.find_first_of("\\/", server + 1);
        headEnd = share == std::string_view::npos ? 0 : share;
    }
    std::string_view head = path.substr(0, headEnd);
    std::string_view rest = path.substr(headEnd);
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= rest.size(); ++i) {
        if (i == rest.size() || isSeparator(rest[i])) {
            if (i > start)
                parts.push_back(rest.substr(start, i - start));
            start = i + 1;
        }
    }
    if (parts.empty())
        return std::string(path);
    std::string_view name = parts.back();
    // Keep the most folders that fit, dropping them from the left.
    for (std::size_t first = 1; first < parts.size(); ++first) {
        std::string candidate = std::string(head) + "\\...";
        for (std::size_t i = first; i < parts.size(); ++i)
            candidate.append("\\").append(parts[i]);
        if (width(candidate) <= maxWidth)
            return candidate;
    }
    std::string shortest = std::string(head) + "\\...\\" + std::string(name);
    if (width(shortest) <= maxWidth)
        return shortest;
    return std::string(name);
}

std::string MruCaption(std::size_t number, std::string_view path, int maxWidth, const TextWidth& width) {
    return std::string("&").append(std::to_string(number)).append(" ").append(
        EscapeAmpersands(ShortenPath(path, maxWidth, width)));
}

int MenuItemWidth(std::string_view caption, std::string_view shortcutText, const TextWidth& width, int extra) {
    int w = width(StripMnemonic(caption)) + extra;
    return shortcutText.empty() ? w + 20 : w + width(shortcutText) + 25;
}

}  // namespace kv
