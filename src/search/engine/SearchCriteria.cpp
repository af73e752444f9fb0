#include "search/engine/SearchCriteria.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

#include "base/DateTime.h"
#include "base/DosDateTime.h"

namespace kv {

namespace {

constexpr std::int64_t kMaxBytes = std::numeric_limits<std::int64_t>::max();
constexpr int kSecondsPerDay = 86400;

std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
    if (b > 0 && a > kMaxBytes - b)
        return kMaxBytes;
    if (b < 0 && a < std::numeric_limits<std::int64_t>::min() - b)
        return std::numeric_limits<std::int64_t>::min();
    return a + b;
}

double parseNumber(std::string_view text) {
    std::string s(text);
    std::replace(s.begin(), s.end(), ',', '.');
    char* end = nullptr;
    double x = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || !std::isfinite(x) || x < 0)
        return 0;
    return x;
}

// The DOS date-time of a moment as a bound: before 1980 below every stored
// value, after 2107 above every one.
std::int64_t dosBound(std::int64_t days, std::int64_t seconds) {
    days += seconds / kSecondsPerDay;
    seconds %= kSecondsPerDay;
    if (seconds < 0) {
        seconds += kSecondsPerDay;
        --days;
    }
    if (days < daysFromCivil(1980, 1, 1))
        return -1;
    if (days > daysFromCivil(2107, 12, 31))
        return std::int64_t{1} << 32;
    DateTime t;
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(seconds / 3600);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return encodeDosDateTime(t);
}

std::int64_t dayNumber(const CalendarDay& d) {
    const int month = std::clamp(d.month, 1, 12);
    const int day = std::clamp(d.day, 1, std::max(1, daysInMonth(d.year, month)));
    return daysFromCivil(d.year, month, day);
}

// DOS times hold even seconds only: an odd picked second counts as the one before.
std::int64_t secondOfDay(const TimeOfDay& t) {
    return std::clamp(t.hour, 0, 23) * 3600 + std::clamp(t.minute, 0, 59) * 60 + std::clamp(t.second, 0, 59) / 2 * 2;
}

bool hasSecondBound(WhenRelation r) { return r == WhenRelation::Between || r == WhenRelation::NotBetween; }

RangeTest sizeTest(const SearchFormValues& v) {
    RangeTest t;
    t.active = true;
    const std::int64_t tolerance =
        v.sizeAllowTolerance ? static_cast<std::int64_t>(SizeToBytes(v.sizeTolerance.text, v.sizeTolerance.unit).bytes) : 0;
    const auto x1 = static_cast<std::int64_t>(SizeToBytes(v.size1.text, v.size1.unit).bytes);
    const bool two = v.sizeRelation == SizeRelation::Between || v.sizeRelation == SizeRelation::NotBetween;
    const auto x2 = two ? static_cast<std::int64_t>(SizeToBytes(v.size2.text, v.size2.unit).bytes) : x1;
    t.low = saturatingAdd(x1, -tolerance);
    t.high = saturatingAdd(x2, tolerance);
    switch (v.sizeRelation) {
    case SizeRelation::Smaller: t.relation = WhenRelation::Before; break;
    case SizeRelation::Larger: t.relation = WhenRelation::After; break;
    case SizeRelation::Between: t.relation = WhenRelation::Between; break;
    case SizeRelation::NotBetween: t.relation = WhenRelation::NotBetween; break;
    default: t.relation = WhenRelation::On; break;
    }
    return t;
}

// "On" a day and "Between" two days take the whole of the days: on and
// between, the high bound is the last second before the next midnight.
RangeTest dateTest(const SearchFormValues& v) {
    RangeTest t;
    t.active = true;
    t.relation = v.dateRelation;
    const std::int64_t tolerance = v.dateAllowTolerance ? std::max(0, v.dateToleranceDays) : 0;
    const std::int64_t d1 = dayNumber(v.date1);
    const std::int64_t d2 = hasSecondBound(v.dateRelation) ? dayNumber(v.date2) : d1;
    switch (v.dateRelation) {
    case WhenRelation::Before:
        t.high = dosBound(d1 + tolerance, 0);
        break;
    case WhenRelation::After:
        t.low = dosBound(d1 - tolerance, 0);
        break;
    default:
        t.low = dosBound(d1 - tolerance, 0);
        // One below the next midnight's value: DOS values are ordered, so "<= high" is "< midnight".
        t.high = dosBound(d2 + 1 + tolerance, 0) - 1;
        break;
    }
    return t;
}

RangeTest timeTest(const SearchFormValues& v) {
    RangeTest t;
    t.active = true;
    t.relation = v.timeRelation;
    const std::int64_t tolerance = v.timeAllowTolerance ? std::int64_t{std::max(0, v.timeToleranceMinutes)} * 60 : 0;
    const std::int64_t t1 = secondOfDay(v.time1);
    const std::int64_t t2 = hasSecondBound(v.timeRelation) ? secondOfDay(v.time2) : t1;
    t.low = t1 - tolerance;
    t.high = t2 + tolerance;
    return t;
}

// Calls each(piece) for every comma-separated piece, empty ones included.
template <class Each>
void forEachPiece(std::string_view list, Each&& each) {
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string_view::npos)
            comma = list.size();
        each(list.substr(start, comma - start));
        start = comma + 1;
    }
}

std::string extensionPattern(std::string_view list) {
    std::string pattern;
    forEachPiece(list, [&](std::string_view piece) {
        if (!piece.empty()) {
            pattern += '.';
            pattern += piece;
            pattern += '\x01';
        }
    });
    return pattern;
}

}  // namespace

bool RangeTest::Passes(std::int64_t v) const {
    switch (relation) {
    case WhenRelation::Before: return v < high;
    case WhenRelation::After: return v > low;
    case WhenRelation::NotBetween: return !(low <= v && v <= high);
    default: return low <= v && v <= high;
    }
}

SizeInBytes SizeToBytes(std::string_view text, int unit) {
    SizeInBytes out;
    unit = std::clamp(unit, 0, 4);
    double x = parseNumber(text);
    if (x != std::trunc(x) && unit > 0) {
        x *= 1024;
        --unit;
    }
    x = std::trunc(x);
    std::uint64_t n = x >= 9.2e18 ? static_cast<std::uint64_t>(kMaxBytes) : static_cast<std::uint64_t>(x);
    out.text = std::to_string(n);
    out.unit = unit;
    for (int i = unit; i > 0; --i)
        n = n > (static_cast<std::uint64_t>(kMaxBytes) >> 10) ? static_cast<std::uint64_t>(kMaxBytes) : n << 10;
    out.bytes = n;
    return out;
}

std::string NormalizeExtensionList(std::string_view text) {
    std::string out;
    forEachPiece(text, [&](std::string_view piece) {
        const std::size_t dot = piece.rfind('.');
        if (dot != std::string_view::npos)
            piece.remove_prefix(dot + 1);
        std::string cleaned;
        for (char c : piece) {
            if (c != ' ')
                cleaned += c;
        }
        if (!cleaned.empty()) {
            if (!out.empty())
                out += ',';
            out += cleaned;
        }
    });
    return out;
}

std::string StripDescription(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\n' && c != '\r' && c != ' ' && c != ',' && c != '.')
            out += c;
    }
    return out;
}

void NormalizeSearchValues(SearchFormValues& v) {
    if (v.nameMode == NameMode::Extension)
        v.nameText = NormalizeExtensionList(v.nameText);
    if (v.sizeRelation == SizeRelation::Between || v.sizeRelation == SizeRelation::NotBetween) {
        if (SizeToBytes(v.size1.text, v.size1.unit).bytes > SizeToBytes(v.size2.text, v.size2.unit).bytes)
            std::swap(v.size1, v.size2);
    }
    if (hasSecondBound(v.dateRelation) && dayNumber(v.date2) < dayNumber(v.date1))
        std::swap(v.date1, v.date2);
    if (hasSecondBound(v.timeRelation) && secondOfDay(v.time2) < secondOfDay(v.time1))
        std::swap(v.time1, v.time2);
}

TSearchCriteria CompileSearchCriteria(const SearchFormValues& in, const CaseMap& caseMap) {
    SearchFormValues v = in;
    NormalizeSearchValues(v);
    TSearchCriteria c;
    c.duplicateMode = v.duplicateMode;
    c.searchFiles = v.searchFiles;
    c.searchFolders = v.searchFolders;
    c.searchDisks = v.searchDisks;
    c.includeArchiveContents = v.includeArchiveContents;
    c.matchAny = v.matchAny;
    c.dupName = v.dupName;
    c.dupSize = v.dupSize;
    c.dupDate = v.dupDate;
    c.dupAttributes = v.dupAttributes;
    c.dupSkipArchiveContents = v.dupSkipArchiveContents;

    bool matchable = false;
    bool describable = false;
    // The name part is captured in both modes: duplicates filter their candidates by it.
    if (v.byName) {
        c.byName = true;
        c.nameMode = v.nameMode;
        c.nameCaseSensitive = v.nameCaseSensitive && (v.nameMode == NameMode::Part || v.nameMode == NameMode::Exact);
        switch (v.nameMode) {
        case NameMode::Extension: c.namePattern = extensionPattern(v.nameText); break;
        case NameMode::FileType: c.namePattern = v.fileTypePattern; break;
        default: c.namePattern = v.nameText; break;
        }
        if (!c.nameCaseSensitive)
            c.namePattern = upperCase(c.namePattern, caseMap);
        c.byName = !c.namePattern.empty();
        matchable = c.byName;
        if (!v.duplicateMode) {
            c.attributes = v.attributes;
            c.anyAttribute = std::any_of(v.attributes.begin(), v.attributes.end(),
                                         [](AttrState s) { return s != AttrState::Grayed; });
        }
    }
    if (v.duplicateMode)
        return c;

    if (v.byDescription) {
        c.descriptionMode = v.descriptionMode;
        c.descriptionCaseSensitive = v.descriptionCaseSensitive;
        if (v.descriptionMode == DescriptionMode::Text) {
            c.descriptionText = StripDescription(v.descriptionCaseSensitive ? v.descriptionText
                                                                          : upperCase(v.descriptionText, caseMap));
            // Nothing left after stripping would match every described item.
            c.byDescription = !c.descriptionText.empty();
            describable = c.byDescription;
        } else {
            c.byDescription = true;
            if (v.descriptionMode == DescriptionMode::None)
                matchable = true;
            else
                describable = true;
        }
    }
    if (v.byCategory) {
        c.byCategory = true;
        matchable = true;
    }
    if (v.bySize && v.sizeRelation != SizeRelation::None) {
        c.size = sizeTest(v);
        matchable = true;
    }
    if (v.byDate && v.dateField != DateField::None) {
        c.dateField = v.dateField;
        c.date = dateTest(v);
        matchable = true;
    }
    if (v.byDate && v.timeField != TimeField::None) {
        c.timeField = v.timeField;
        c.time = timeTest(v);
        matchable = true;
    }
    c.maxFound = v.limitFound ? std::max(1, v.maxFound) : 0;
    c.descriptionOnly = describable && !matchable;
    c.matchable = describable || matchable;
    return c;
}

}  // namespace kv
