#include "controls/ItemCompare.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace kv::ui {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// Reads 1..4 digits; false when there are none or too many.
bool readNumber(std::string_view& s, int& value) {
    size_t n = 0;
    value = 0;
    while (n < s.size() && s[n] >= '0' && s[n] <= '9') {
        if (n == 4) return false;
        value = value * 10 + (s[n] - '0');
        ++n;
    }
    s.remove_prefix(n);
    return n > 0;
}

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : days[m - 1];
}

// Days from 1 January of year 1 to the given date.
long civilDays(int y, int m, int d) {
    long days = 365L * (y - 1) + (y - 1) / 4 - (y - 1) / 100 + (y - 1) / 400;
    for (int i = 1; i < m; ++i) days += daysInMonth(y, i);
    return days + d - 1;
}

// The order of day, month and year in the pattern, as 'd', 'M', 'y'.
std::string fieldOrder(const std::string& pattern) {
    std::string order;
    for (char c : pattern) {
        char f = c == 'd' || c == 'D' ? 'd' : c == 'M' || c == 'm' ? 'M' : c == 'y' || c == 'Y' ? 'y' : 0;
        if (f && order.find(f) == std::string::npos) order += f;
    }
    return order.size() == 3 ? order : "Mdy";
}

}  // namespace

std::optional<double> parseListDate(std::string_view text, const CompareLocale& locale) {
    std::string_view s = trim(text);
    if (locale.dateSeparator.empty() || s.find(locale.dateSeparator) == std::string_view::npos) return std::nullopt;
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (s.substr(0, locale.dateSeparator.size()) != locale.dateSeparator) return std::nullopt;
            s.remove_prefix(locale.dateSeparator.size());
        }
        if (!readNumber(s, parts[i])) return std::nullopt;
    }
    std::string order = fieldOrder(locale.shortDateFormat);
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) (order[i] == 'd' ? day : order[i] == 'M' ? month : year) = parts[i];
    if (year < 100) year += 2000;
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return std::nullopt;

    double fraction = 0;
    s = trim(s);
    if (!s.empty()) {
        int h = 0, m = 0, sec = 0;
        if (!readNumber(s, h) || s.empty() || s[0] != ':') return std::nullopt;
        s.remove_prefix(1);
        if (!readNumber(s, m)) return std::nullopt;
        if (!s.empty() && s[0] == ':') {
            s.remove_prefix(1);
            if (!readNumber(s, sec)) return std::nullopt;
        }
        if (!s.empty() || h > 23 || m > 59 || sec > 59) return std::nullopt;
        fraction = (h * 3600 + m * 60 + sec) / 86400.0;
    }
    return static_cast<double>(civilDays(year, month, day) - civilDays(1899, 12, 30)) + fraction;
}

std::optional<double> parseListNumber(std::string_view text, const CompareLocale& locale) {
    std::string_view s = trim(text);
    if (s.empty()) return std::nullopt;
    std::string c;
    c.reserve(s.size());
    for (char ch : s) {
        if (ch == locale.decimalSeparator) c += '.';
        else if ((ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == 'e' || ch == 'E') c += ch;
        else return std::nullopt;  // no hex, inf, nan or foreign separators
    }
    char* end = nullptr;
    double v = std::strtod(c.c_str(), &end);
    if (end != c.c_str() + c.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

int DefaultItemCompare(std::string_view a, std::string_view b, const CompareLocale& locale) {
    auto da = parseListDate(a, locale);
    auto db = da ? parseListDate(b, locale) : std::nullopt;
    if (da && db) return static_cast<int>(std::trunc(*da - *db));
    auto na = parseListNumber(a, locale);
    auto nb = na ? parseListNumber(b, locale) : std::nullopt;
    if (na && nb) return *na < *nb ? -1 : *na > *nb ? 1 : 0;
    if (locale.compareText) return locale.compareText(a, b);
    return a.compare(b);
}

}  // namespace kv::ui
