#include "base/text/TextPadding.h"

namespace kv {

std::string RepeatChar(char c, int n) {
    return n > 0 ? std::string(static_cast<std::size_t>(n), c) : std::string();
}

std::string Spaces(int n) { return RepeatChar(' ', n); }

namespace {

int missing(std::string_view text, int width) {
    return width > 0 && text.size() < static_cast<std::size_t>(width)
               ? width - static_cast<int>(text.size())
               : 0;
}

}  // namespace

std::string PadRight(std::string_view text, int width) {
    std::string out(text);
    out.append(static_cast<std::size_t>(missing(text, width)), ' ');
    return out;
}

std::string PadLeft(std::string_view text, int width) {
    std::string out = Spaces(missing(text, width));
    out.append(text);
    return out;
}

std::string CenterText(std::string_view text, int width) {
    const int gap = missing(text, width);
    std::string out = Spaces(gap / 2);
    out.append(text);
    out.append(static_cast<std::size_t>(gap - gap / 2), ' ');
    return out;
}

}  // namespace kv
