#include "archive/decoders/LzdDecode.h"

#include <cstdint>

#include "archive/decoders/LsbBitReader.h"
#include "archive/decoders/LzwStringTable.h"

namespace kv::arc {
namespace {

constexpr int kMinBits = 9;
constexpr int kMaxBits = 13;
constexpr std::uint32_t kClear = 256;
constexpr std::uint32_t kEnd = 257;
constexpr std::uint32_t kFirstFree = 258;

}  // namespace

void LzdDecode(PackedInput& in, DecodedOutput& out) {
    LsbBitReader bits(in);
    LzwStringTable table(kMaxBits, kFirstFree);
    int width = kMinBits;
    while (out.Remaining() > 0) {
        const std::uint32_t code = bits.Get(width);
        if (code == kEnd) throw E_RAISE(eBadBlock);  // the data ends short of the declared size
        if (code == kClear) {
            width = kMinBits;
            table.Clear();
            continue;
        }
        table.Expand(code, [&](std::uint8_t b) { out.Put(b); });
        // The width grows as soon as the next free code needs it.
        if (table.FreeCode() >= (1u << width) && width < kMaxBits) ++width;
    }
    out.Flush();
}

}  // namespace kv::arc
