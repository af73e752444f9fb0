#include "system/SystemCaseMap.h"

namespace kv {

const CaseMap& systemCaseMap() { return cp1252CaseMap(); }

}  // namespace kv
