#include "base/text/MatchFileSpec.h"

#include <optional>
#include <string>
#include <vector>

namespace kv::arc {

namespace {

// The file-name part; nullopt when a non-empty input has none.
std::optional<std::string_view> namePart(std::string_view s) {
    std::size_t cut = s.find_last_of("\\/");
    std::string_view part = cut == std::string_view::npos ? s : s.substr(cut + 1);
    if (part.empty() && !s.empty()) return std::nullopt;
    return part;
}

bool allStars(std::string_view s, std::size_t from) {
    return s.find_first_not_of('*', from) == std::string_view::npos;
}

// Both sides may hold wildcards. m[i][j] tells whether a[i..] matches b[j..]; rows
// are filled from the end, keeping one row, the row below and, per column, whether
// any row from here down matched (for a '*' on the b side).
bool wildMatch(const std::string& a, const std::string& b, const CaseMap& cm) {
    const std::size_t n = a.size(), m = b.size();
    std::vector<char> below(m + 1), row(m + 1), anyBelow(m + 1);
    for (std::size_t j = 0; j <= m; ++j) below[j] = anyBelow[j] = allStars(b, j);
    for (std::size_t i = n; i-- > 0;) {
        row[m] = allStars(a, i);
        for (std::size_t j = m; j-- > 0;) {
            if (a[i] == '*')
                row[j] = below[j] || row[j + 1];
            else if (b[j] == '*')
                row[j] = row[j + 1] || anyBelow[j + 1];
            else if (a[i] == '?' || b[j] == '?' || cm.toUpper(a[i]) == cm.toUpper(b[j]))
                row[j] = below[j + 1];
            else
                row[j] = false;
        }
        for (std::size_t j = 0; j <= m; ++j) anyBelow[j] = anyBelow[j] || row[j];
        below.swap(row);
    }
    return below[0];
}

}  // namespace

bool MatchFileSpec(std::string_view mask, std::string_view name, const CaseMap& caseMap) {
    const auto maskPart = namePart(mask);
    const auto namePartOf = namePart(name);
    if (!maskPart || !namePartOf) return false;
    // The listing's own mask: decided without building a text per member.
    if ((*maskPart == "*" || *maskPart == "*.*") && !namePartOf->empty()) return true;
    std::string a(*maskPart), b(*namePartOf);
    if (!a.empty() && a.back() == '.') a.pop_back();
    if (!b.empty() && b.back() == '.') b.pop_back();
    bool aWild = a.find(".*") != std::string::npos;
    bool bWild = b.find(".*") != std::string::npos;
    if (a.find('.') == std::string::npos && bWild) a += ".*";
    if (b.find('.') == std::string::npos && aWild) b += ".*";
    if (a.empty()) return !b.empty() && b.front() == '*';
    if (b.empty()) return a.front() == '*';
    return wildMatch(a, b, caseMap);
}

}  // namespace kv::arc
