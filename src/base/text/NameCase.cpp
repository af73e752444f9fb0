#include "base/text/NameCase.h"

#include <algorithm>

namespace kv {

namespace {

bool lowerAllUpper(std::string& text, const CaseMap& caseMap) {
    if (std::any_of(text.begin(), text.end(),
                    [&](char c) { return caseMap.isLower(static_cast<unsigned char>(c)); }))
        return false;
    for (char& c : text)
        c = caseMap.toLower(c);
    return true;
}

}  // namespace

void LowerIfAllUpper(std::string& name, const CaseMap& caseMap) { lowerAllUpper(name, caseMap); }

void LowerLabelIfAllUpper(std::string& label, const CaseMap& caseMap) {
    if (lowerAllUpper(label, caseMap) && !label.empty())
        label.front() = caseMap.toUpper(label.front());
}

}  // namespace kv
