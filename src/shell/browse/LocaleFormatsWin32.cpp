#include "shell/browse/LocaleFormatsWin32.h"

#include <windows.h>

#include <climits>

#include "ui/SystemHelpers.h"

namespace kv {

namespace {

std::string shortDate(const DateTime& t) {
    const SYSTEMTIME st = ui::SystemTimeOf(t);
    char buf[80];
    const int n = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n - 1)) : std::string();
}

std::string timeText(const DateTime& t, DWORD flags) {
    const SYSTEMTIME st = ui::SystemTimeOf(t);
    char buf[80];
    const int n = GetTimeFormatA(LOCALE_USER_DEFAULT, flags, &st, nullptr, buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n - 1)) : std::string();
}

std::string localeInfo(LCTYPE what, const char* fallback) {
    char buf[16];
    const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, what, buf, sizeof buf);
    return n > 1 ? std::string(buf, static_cast<std::size_t>(n - 1)) : std::string(fallback);
}

std::string wholeNumber(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    // No decimals, the locale's grouping and separator.
    std::string decimal = localeInfo(LOCALE_SDECIMAL, ".");
    std::string thousand = localeInfo(LOCALE_STHOUSAND, ",");
    NUMBERFMTA fmt{};
    fmt.NumDigits = 0;
    fmt.LeadingZero = 0;
    fmt.Grouping = 3;
    fmt.lpDecimalSep = decimal.data();
    fmt.lpThousandSep = thousand.data();
    fmt.NegativeOrder = 1;
    char buf[64];
    const int n = GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits.c_str(), &fmt, buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n - 1)) : digits;
}

}  // namespace

CellFormats LocaleCellFormats() {
    CellFormats f;
    f.shortDate = shortDate;
    f.longTime = [](const DateTime& t) { return timeText(t, 0); };
    f.shortTime = [](const DateTime& t) { return timeText(t, TIME_NOSECONDS); };
    f.wholeNumber = wholeNumber;
    f.decimalSeparator = localeInfo(LOCALE_SDECIMAL, ".");
    return f;
}

DateTimeFormatter LocaleDateTimeFormatter() {
    return [](const DateTime& t) { return shortDate(t) + ", " + timeText(t, 0); };
}

int LocaleCollator::compare(std::string_view a, std::string_view b) const {
    const int la = a.size() > INT_MAX ? INT_MAX : static_cast<int>(a.size());
    const int lb = b.size() > INT_MAX ? INT_MAX : static_cast<int>(b.size());
    const int r = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), la, b.data(), lb);
    return r == CSTR_LESS_THAN ? -1 : r == CSTR_GREATER_THAN ? 1 : 0;
}

std::string LocaleCollator::sortKey(std::string_view text) const {
    const int length = text.size() > INT_MAX / 8 ? INT_MAX / 8 : static_cast<int>(text.size());
    // An empty text has a key too (the level separators), but LCMapStringA
    // refuses a length of 0.
    const char* source = length ? text.data() : "";
    const int srcLength = length ? length : -1;
    std::string key(static_cast<std::size_t>(length) * 4 + 16, '\0');
    int n = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, source, srcLength, key.data(),
                         static_cast<int>(key.size()));
    if (n == 0) {
        n = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, source, srcLength, nullptr, 0);
        if (n <= 0)
            return std::string(text);
        key.assign(static_cast<std::size_t>(n), '\0');
        n = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, source, srcLength, key.data(), n);
    }
    // The key ends with a 0 byte, which would only tie-break on length.
    key.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    while (!key.empty() && key.back() == '\0')
        key.pop_back();
    return key;
}

}  // namespace kv
