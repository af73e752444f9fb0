#pragma once
// The method names lists show, per archive kind.
#include <cstdint>
#include <string>

#include "archive/ArcType.h"

namespace kv::arc {

// zipFlags: the ZIP general-purpose flags (bits 1 and 2 name the deflate level).
// LHA and RAR codes are the method characters as stored ('0'..'5').
std::string MethodName(TArcType type, std::uint16_t method, std::uint16_t zipFlags = 0);

}  // namespace kv::arc
