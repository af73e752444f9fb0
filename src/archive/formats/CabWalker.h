#pragma once
// The CAB row of the format table: cabinet archives are listed, never extracted.
#include <cstdint>
#include <string>

namespace kv::arc {

class ListSession;

void WalkCab(ListSession& s);
std::string CabMethodName(std::uint16_t method, std::uint16_t flags);

}  // namespace kv::arc
