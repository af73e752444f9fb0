#pragma once
// The method names lists show, per archive kind.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "archive/ArcType.h"

namespace kv::arc {

// zipFlags: the ZIP general-purpose flags (bits 1 and 2 name the deflate level).
// LHA and RAR codes are the method characters as stored ('0'..'5').
// The format table's method texts of the kind; "Unknown" for kinds without any.
std::string MethodName(TArcType type, std::uint16_t method, std::uint16_t zipFlags = 0);

// The name at code in a format's list; "Unknown" past its end.
inline std::string PickMethodName(std::uint16_t code, std::initializer_list<const char*> names) {
    return code < names.size() ? std::string(names.begin()[code]) : "Unknown";
}

}  // namespace kv::arc
