#pragma once
// Re-casing of names that a medium stores in capitals only (FAT short names,
// old CD-ROMs), so that they read naturally. The scan and the compare use the
// same rule, or compare would see every such file as changed. Volume labels
// follow RecaseVolumeLabel (system/drives/VolumeLabelCase.h).
#include <string>

#include "base/text/AnsiCase.h"

namespace kv {

// A name with no lower-case letter becomes all lower case: "README.TXT" gives
// "readme.txt", "\DOS\UTIL" gives "\dos\util". Any lower-case letter leaves it as is.
void LowerIfAllUpper(std::string& name, const CaseMap& caseMap);

}  // namespace kv
