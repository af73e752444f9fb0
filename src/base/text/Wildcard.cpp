#include "base/text/Wildcard.h"

namespace kv {

namespace {

bool hasStarDot(std::string_view mask) { return mask.find("*.") != std::string_view::npos; }

}  // namespace

bool MatchWildcard(std::string_view name, std::string_view mask, const CaseMap& caseMap) {
    const bool addDot = name.find('.') == std::string_view::npos && hasStarDot(mask);
    const std::size_t length = name.size() + (addDot ? 1 : 0);
    auto at = [&](std::size_t j) -> char {
        return j < name.size() ? caseMap.toUpper(name[j]) : '.';
    };

    // Greedy: a "*" first takes nothing; on a mismatch the last "*" takes one
    // more character and matching resumes after it. Earlier stars never need to
    // be revisited, which keeps this from going exponential.
    std::size_t i = 0, j = 0;
    std::size_t star = std::string_view::npos, resume = 0;
    while (j < length) {
        if (i < mask.size() && mask[i] == '*') {
            star = i++;
            resume = j;
        } else if (i < mask.size() && (mask[i] == '?' || mask[i] == at(j))) {
            ++i;
            ++j;
        } else if (star != std::string_view::npos) {
            i = star + 1;
            j = ++resume;
        } else {
            return false;
        }
    }
    while (i < mask.size() && mask[i] == '*')
        ++i;
    return i == mask.size();
}

std::string CleanMaskList(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ',' || c == '/' || c == '\\')
            continue;
        if ((c == '*' || c == '?') && !out.empty() && out.back() == '*')
            continue;
        out += c;
    }
    return out;
}

}  // namespace kv
