#pragma once
// The list view's default comparer of two cell texts: dates when both are
// dates, numbers when both are numbers, else the locale's string order.
// Not a strict weak ordering ("9" < "10" < "10a" < "9"), so it is only for
// sorts that tolerate that (the control's own, std::stable_sort), never std::sort.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kv::ui {

struct CompareLocale {
    std::string dateSeparator = "/";
    // The short-date pattern, only for the order of day, month and year.
    std::string shortDateFormat = "M/d/yyyy";
    char decimalSeparator = '.';
    // Locale-aware, case-sensitive: negative, zero or positive.
    std::function<int(std::string_view, std::string_view)> compareText;
};

// Days since 30 December 1899 of a date with an optional time "h:mm[:ss]".
std::optional<double> parseListDate(std::string_view text, const CompareLocale& locale);
// The whole text as a floating-point number.
std::optional<double> parseListNumber(std::string_view text, const CompareLocale& locale);

// Ascending order of the two texts: negative, zero or positive.
int DefaultItemCompare(std::string_view a, std::string_view b, const CompareLocale& locale);

}  // namespace kv::ui
