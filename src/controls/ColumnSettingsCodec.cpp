#include "controls/ColumnSettingsCodec.h"

#include <charconv>

namespace kv::ui {

namespace {

std::vector<std::string_view> split(std::string_view text) {
    std::vector<std::string_view> parts;
    if (text.empty()) return parts;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) return parts;
        start = comma + 1;
    }
}

std::optional<int> toInt(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    int v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

}  // namespace

std::string encodeColumnList(const std::vector<int>& values) {
    std::string s;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i) s += ',';
        s += std::to_string(values[i]);
    }
    return s;
}

std::vector<std::optional<int>> decodeColumnSizes(std::string_view text, size_t count) {
    std::vector<std::optional<int>> sizes;
    for (std::string_view part : split(text)) {
        if (sizes.size() == count) break;
        auto v = toInt(part);
        if (v && *v < 0) v = 0;
        sizes.push_back(v);
    }
    return sizes;
}

std::optional<std::vector<int>> decodeColumnOrder(std::string_view text, size_t count) {
    auto parts = split(text);
    if (parts.size() != count) return std::nullopt;
    std::vector<int> order;
    std::vector<bool> seen(count, false);
    for (std::string_view part : parts) {
        auto v = toInt(part);
        if (!v || *v < 0 || static_cast<size_t>(*v) >= count || seen[*v]) return std::nullopt;
        seen[*v] = true;
        order.push_back(*v);
    }
    return order;
}

}  // namespace kv::ui
