#include "archive/decoders/ArcFormatDecoders.h"

#include <vector>

#include "archive/decoders/LsbBitReader.h"

namespace kv::arc {

void ArcUnsqueeze(PackedInput& in, ArcStage& stage) {
    constexpr int kMaxNodes = 256;
    constexpr int kEnd = 256;
    auto byte = [&] {
        const int b = in.NextByte();
        if (b < 0) throw E_RAISE(eBadBlock);
        return b;
    };
    auto word = [&] { return static_cast<std::int16_t>(byte() | byte() << 8); };

    const int count = word();
    if (count < 0 || count > kMaxNodes) throw E_RAISE(eInvalidDecodeTree);
    // Each node's two children: an index of another node, or -(value + 1) for a leaf.
    std::vector<std::int16_t> child(static_cast<std::size_t>(count) * 2);
    for (std::int16_t& c : child) {
        c = word();
        if (c >= count || c < -(kEnd + 1)) throw E_RAISE(eInvalidDecodeTree);
    }
    LsbBitReader bits(in);
    while (!stage.Full()) {
        if (count == 0) break;
        int node = 0;
        do {
            node = child[static_cast<std::size_t>(node) * 2 + bits.Get(1)];
        } while (node >= 0);
        const int value = -(node + 1);
        if (value == kEnd) break;
        stage.Put(static_cast<std::uint8_t>(value));
    }
    stage.End();
}

}  // namespace kv::arc
