#pragma once
// Disk names kept unique within a catalog by a counter suffix: "Disk (2)".
#include <string>
#include <string_view>

namespace kv {

// Name + " (" + n + ")" for n of 2 or more; the name itself otherwise.
std::string AddCounterSuffix(std::string_view name, int n);

// The name without a suffix that AddCounterSuffix could have made: "Disk (10)"
// gives "Disk"; "Disk (1)", "Disk (02)" and "Disk (x)" stay as they are.
std::string StripCounterSuffix(std::string_view name);

}  // namespace kv
