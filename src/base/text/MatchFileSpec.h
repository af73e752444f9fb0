#pragma once
// Member-name masks: '*' and '?' may stand on either side.
#include <string_view>

#include "base/text/AnsiCase.h"

namespace kv::arc {

// True when name matches mask. Both are cut to their file-name parts ('/' counts
// as '\'); an empty file-name part of a non-empty input fails; a part ending in '.'
// loses it; a part without '.' gets ".*" when the other part contains ".*"; an
// empty part matches only a part that begins with '*'. Letters compare by their
// upper case in the given code page. Runs in time proportional to the product of
// the lengths, whatever the number of '*'.
bool MatchFileSpec(std::string_view mask, std::string_view name, const CaseMap& caseMap);

}  // namespace kv::arc
