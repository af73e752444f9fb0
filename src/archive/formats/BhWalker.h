#pragma once
// The BH row of the format table: BlakHole archives are listed, never extracted.
#include <cstdint>
#include <string>

namespace kv::arc {

class ListSession;

void WalkBh(ListSession& s);
std::string BhMethodName(std::uint16_t method, std::uint16_t flags);

}  // namespace kv::arc
