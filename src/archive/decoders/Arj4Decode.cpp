#include "archive/decoders/Arj4Decode.h"

#include "archive/decoders/LzWindow.h"
#include "archive/decoders/MsbBitReader.h"

namespace kv::arc {
namespace {

constexpr int kWindowBits = 15;  // distances reach 15872
constexpr int kMinMatch = 3;

// A run of up to (stop - start) one bits, ended by a zero unless the run is full,
// picks the width; the value is the widths' sizes skipped so far plus that many bits.
std::uint32_t ReadPrefixed(MsbBitReader& bits, int start, int stop) {
    std::uint32_t base = 0;
    int width = start;
    for (; width < stop; ++width) {
        if (bits.Get(1) == 0) break;
        base += 1u << width;
    }
    return base + bits.Get(width);
}

}  // namespace

void Arj4Decode(PackedInput& in, DecodedOutput& out) {
    MsbBitReader bits(in);
    LzWindow window(out, kWindowBits);
    while (!window.Done()) {
        const std::uint32_t length = ReadPrefixed(bits, 0, 7);
        if (length == 0) {
            window.Literal(static_cast<std::uint8_t>(bits.Get(8)));
            continue;
        }
        const std::uint32_t distance = ReadPrefixed(bits, 9, 13) + 1;
        window.Copy(distance, length - 1 + kMinMatch);
    }
    window.Finish();
}

}  // namespace kv::arc
