#include "base/text/NameCase.h"

#include <algorithm>

namespace kv {

void LowerIfAllUpper(std::string& name, const CaseMap& caseMap) {
    if (std::any_of(name.begin(), name.end(),
                    [&](char c) { return caseMap.isLower(static_cast<unsigned char>(c)); }))
        return;
    for (char& c : name)
        c = caseMap.toLower(c);
}

}  // namespace kv
