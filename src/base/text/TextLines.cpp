#include "base/text/TextLines.h"

#include <algorithm>

namespace kv {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// Calls f(line) for every line; a break at the very end gives a last empty line.
template <class F>
void forEachLine(std::string_view text, F&& f) {
    for (;;) {
        const LineBreak br = FindLineBreak(text);
        f(text.substr(0, br.position));
        if (br.length == 0)
            return;
        text.remove_prefix(br.position + br.length);
    }
}

bool isTrimmed(char c) {
    return c == ' ' || c == '\t' || c == '\x1A' || static_cast<unsigned char>(c) == 0xFF;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanksRight(std::string_view s) {
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

LineBreak FindLineBreak(std::string_view text) {
    const std::size_t pos = text.find_first_of(kCrLf);
    if (pos == std::string_view::npos)
        return {text.size(), 0};
    const bool crlf = text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n';
    return {pos, crlf ? std::size_t{2} : std::size_t{1}};
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    forEachLine(text, [&](std::string_view line) { lines.push_back(line); });
    return lines;
}

std::string TrimLines(std::string_view text) {
    std::string out;
    std::size_t keep = 0;  // out's length up to its last non-empty line
    bool first = true;
    forEachLine(text, [&](std::string_view line) {
        while (!line.empty() && isTrimmed(line.front()))
            line.remove_prefix(1);
        while (!line.empty() && isTrimmed(line.back()))
            line.remove_suffix(1);
        if (!first)
            out += kCrLf;
        first = false;
        out += line;
        if (!line.empty())
            keep = out.size();
    });
    out.resize(keep);
    return out;
}

std::string TrimTrailing(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return std::string(text);
}

WrappedText WrapText(std::string_view text, std::size_t width, std::size_t maxLines) {
    width = std::max<std::size_t>(width, 1);
    WrappedText result;
    std::size_t lines = 0;
    auto emit = [&](std::string_view line) {
        if (maxLines != 0 && lines == maxLines) {
            result.cut = result.cut || !line.empty();
            return;
        }
        if (lines++ != 0)
            result.text += kCrLf;
        result.text += line;
    };
    forEachLine(text, [&](std::string_view line) {
        bool broken = false;
        while (line.size() > width) {
            broken = true;
            std::size_t cut = width;
            const std::size_t blank = line.substr(0, width + 1).find_last_of(" \t");
            std::string_view head = line.substr(0, width);
            if (blank != std::string_view::npos && !trimBlanksRight(line.substr(0, blank)).empty()) {
                head = trimBlanksRight(line.substr(0, blank));
                cut = blank;
            }
            emit(head);
            line.remove_prefix(cut);
            while (!line.empty() && isBlank(line.front()))
                line.remove_prefix(1);
        }
        if (!broken || !line.empty())
            emit(line);
    });
    return result;
}

bool IsPrintableText(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < ' '; });
}

}  // namespace kv
