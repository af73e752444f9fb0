#pragma once
// A member as one line of text, for tools and tests that compare listings:
// name, unpacked, packed, CRC, DOS stamp, attribute byte, method, TAB-separated.
#include <string>
#include <string_view>

#include "archive/ArcMember.h"

namespace kv::arc {

// Bytes below 0x20 and from 0x7F up become \xHH.
std::string EscapedName(std::string_view name);

// CRCs in upper-case hex as wide as the format stores them ("-" for none), the
// stamp as 8 and the attribute byte as 2 upper-case hex digits.
std::string ListingLine(const ArcMember& m);

}  // namespace kv::arc
