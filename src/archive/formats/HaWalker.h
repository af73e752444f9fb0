#pragma once
// The HA row of the format table: HA archives are listed, never extracted.
#include <cstdint>
#include <string>

namespace kv::arc {

class ListSession;

void WalkHa(ListSession& s);
std::string HaMethodName(std::uint16_t method, std::uint16_t flags);

}  // namespace kv::arc
