#pragma once
// DOS file masks as the search and the scan use them.
#include <string>
#include <string_view>

#include "base/text/AnsiCase.h"

namespace kv {

// True when Name matches Mask: "?" stands for one character, "*" for any run,
// with backtracking, so "*.TXT" matches "A.B.TXT". Name is upper-cased through
// the case map; Mask is taken as given, so callers upper-case it for a
// case-insensitive match. A name without any "." is matched as if it ended in
// "." when the mask has "*." in it, so "*." and "*.*" match "README".
// Allocates nothing; time grows with name length x mask length at worst.
bool MatchWildcard(std::string_view name, std::string_view mask, const CaseMap& caseMap);

// A typed mask made usable: ",", "/" and "\" are removed and a "*" or "?" right
// after a "*" is dropped. An empty result means nothing usable was typed.
std::string CleanMaskList(std::string_view text);

}  // namespace kv
