#include "archive/ClassifySignature.h"

#include "archive/FormatTable.h"

namespace kv::arc {

TArcType ClassifySignature(bool atStart, std::uint32_t s, std::uint64_t& start) {
    for (const FormatRow& r : FormatRows())
        if (r.signature.test && r.signature.test(s)) return atStart ? r.type : r.signature.inside;
    std::uint16_t low = static_cast<std::uint16_t>(s & 0xFFFF);
    if (low == 0x92B7 || low == 0xDFB7) {
        start = 7716;
        return atArcExe;
    }
    return atUnknown;
}

}  // namespace kv::arc
