#include "system/settings/IniText.h"

namespace kv {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool breaksLine(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos; }

std::optional<std::string_view> headerOf(std::string_view line) {
    std::string_view t = trim(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    std::size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(t.substr(1, close - 1));
}

struct Entry {
    std::string_view name, value;
};

std::optional<Entry> entryOf(std::string_view line) {
    std::string_view t = trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '#' || t.front() == '[') return std::nullopt;
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    std::string_view name = trim(t.substr(0, eq));
    if (name.empty()) return std::nullopt;
    std::string_view value = trim(t.substr(eq + 1));
    // Quotes keep outer blanks (and outer quotes) of a value.
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return Entry{name, value};
}

bool needsQuotes(std::string_view v) {
    return !v.empty() && (blank(v.front()) || blank(v.back()) || (v.size() >= 2 && v.front() == '"' && v.back() == '"'));
}

bool validSection(std::string_view s) {
    return !s.empty() && trim(s).size() == s.size() && !breaksLine(s) && s.find(']') == std::string_view::npos;
}

bool validName(std::string_view n) {
    return !n.empty() && trim(n).size() == n.size() && !breaksLine(n) && n.find('=') == std::string_view::npos &&
           n.front() != ';' && n.front() != '#' && n.front() != '[';
}

}  // namespace

std::optional<IniText> IniText::parse(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
    IniText ini;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        ini.lines_.emplace_back(bytes.substr(start, end - start));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return ini;
}

std::string IniText::text() const {
    std::string out;
    for (const std::string& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::optional<IniText::Span> IniText::find(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto h = headerOf(lines_[i]);
        if (!h || !SameStoreName(*h, section)) continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !headerOf(lines_[end])) ++end;
        return Span{i, i + 1, end};
    }
    return std::nullopt;
}

std::optional<std::string> IniText::read(std::string_view section, std::string_view name) const {
    if (auto span = find(section))
        for (std::size_t i = span->begin; i < span->end; ++i)
            if (auto e = entryOf(lines_[i]); e && SameStoreName(e->name, name)) return std::string(e->value);
    return std::nullopt;
}

std::vector<SectionValue> IniText::section(std::string_view section) const {
    std::vector<SectionValue> values;
    auto span = find(section);
    if (!span) return values;
    for (std::size_t i = span->begin; i < span->end; ++i) {
        auto e = entryOf(lines_[i]);
        if (!e) continue;
        bool seen = false;
        for (const SectionValue& v : values) seen = seen || SameStoreName(v.name, e->name);
        if (!seen) values.push_back({std::string(e->name), std::string(e->value)});
    }
    return values;
}

bool IniText::write(std::string_view section, std::string_view name, std::string_view value) {
    if (!validSection(section) || !validName(name) || breaksLine(value)) return false;
    std::string line = std::string(name) + "=";
    if (needsQuotes(value))
        line.append("\"").append(value).append("\"");
    else
        line.append(value);

    auto span = find(section);
    if (!span) {
        if (!lines_.empty() && !trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back(std::string("[").append(section).append("]"));
        lines_.push_back(std::move(line));
        return true;
    }
    std::size_t after = span->begin;  // behind the section's last line that is not blank
    for (std::size_t i = span->begin; i < span->end; ++i) {
        if (auto e = entryOf(lines_[i]); e && SameStoreName(e->name, name)) {
            lines_[i] = std::move(line);
            return true;
        }
        if (!trim(lines_[i]).empty()) after = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after), std::move(line));
    return true;
}

bool IniText::erase(std::string_view section) {
    bool erased = false;
    while (auto span = find(section)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(span->header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(span->end));
        erased = true;
    }
    return erased;
}

}  // namespace kv
