#pragma once
// Re-casing of names and labels that a medium stores in capitals only (FAT
// short names, old CD-ROMs), so that they read naturally. The scan and the
// compare use the same rule, or compare would see every such file as changed.
#include <string>

#include "base/text/AnsiCase.h"

namespace kv {

// A name with no lower-case letter becomes all lower case: "README.TXT" gives
// "readme.txt", "\DOS\UTIL" gives "\dos\util". Any lower-case letter leaves it as is.
void LowerIfAllUpper(std::string& name, const CaseMap& caseMap = systemCaseMap());

// The same for volume labels, which also get an upper-case first letter:
// "MY DISK" gives "My disk".
void LowerLabelIfAllUpper(std::string& label, const CaseMap& caseMap = systemCaseMap());

}  // namespace kv
