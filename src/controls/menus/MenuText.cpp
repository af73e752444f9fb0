#include "controls/menus/MenuText.h"

#include "controls/small/ShortenPath.h"

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

std::string MruCaption(std::size_t number, std::string_view path, int maxWidth, const TextWidth& width) {
    std::string shown(path);
    if (maxWidth > 0)
        shown = ui::ShortenPath(shown, maxWidth, "\\", ui::ShortenDirection::FromLeft,
                                [&](const std::string& text) { return width(text); });
    return std::string("&").append(std::to_string(number)).append(" ").append(EscapeAmpersands(shown));
}

int MenuItemWidth(std::string_view caption, std::string_view shortcutText, const TextWidth& width, int extra) {
    int w = width(StripMnemonic(caption)) + extra;
    return shortcutText.empty() ? w + 20 : w + width(shortcutText) + 25;
}

}  // namespace kv
