#include "base/text/CounterSuffix.h"

#include <algorithm>

namespace kv {

std::string AddCounterSuffix(std::string_view name, int n) {
    std::string out(name);
    if (n >= 2)
        out += " (" + std::to_string(n) + ")";
    return out;
}

std::string StripCounterSuffix(std::string_view name) {
    if (name.empty() || name.back() != ')')
        return std::string(name);
    const std::size_t open = name.rfind(" (");
    if (open == std::string_view::npos)
        return std::string(name);
    const std::string_view digits = name.substr(open + 2, name.size() - open - 3);
    // No leading zero and not "1" means a number of 2 or more, however long.
    const bool counter = !digits.empty() && digits.front() != '0' && digits != "1" &&
                         std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    return std::string(counter ? name.substr(0, open) : name);
}

}  // namespace kv
