#include "report/MeasureCache.h"

#include <cstring>

namespace kv::report {

namespace {

// The font and whatever else the size depends on, then the text.
void MakeKey(std::string& key, const ReportFont& font, std::string_view text, double width, bool wrap) {
    key.clear();
    key += font.name;
    key += '\0';
    char numbers[sizeof font.size + sizeof font.style + sizeof width + 1];
    std::memcpy(numbers, &font.size, sizeof font.size);
    std::memcpy(numbers + sizeof font.size, &font.style, sizeof font.style);
    std::memcpy(numbers + sizeof font.size + sizeof font.style, &width, sizeof width);
    numbers[sizeof numbers - 1] = wrap ? 1 : 0;
    key.append(numbers, sizeof numbers);
    key.append(text);
}

}  // namespace

MeasureCache::MeasureCache(const TextMeasurer& measurer, std::size_t limit) : measurer_(measurer), limit_(limit) {}

double MeasureCache::TextWidth(const ReportFont& font, std::string_view text) const {
    MakeKey(key_, font, text, 0, false);
    if (const auto it = widths_.find(key_); it != widths_.end())
        return it->second;
    if (widths_.size() >= limit_)
        widths_.clear();
    const double width = measurer_.TextWidth(font, text);
    widths_.emplace(key_, width);
    return width;
}

double MeasureCache::TextHeight(const ReportFont& font, std::string_view text, double width, bool wrap) const {
    MakeKey(key_, font, text, width, wrap);
    if (const auto it = heights_.find(key_); it != heights_.end())
        return it->second;
    if (heights_.size() >= limit_)
        heights_.clear();
    const double height = measurer_.TextHeight(font, text, width, wrap);
    heights_.emplace(key_, height);
    return height;
}

}  // namespace kv::report
