#include "archive/decoders/CopyStored.h"

#include <vector>

namespace kv::arc {

void CopyStored(PackedInput& in, DecodedOutput& out) {
    std::vector<std::uint8_t> buffer(PackedInput::kChunk);
    while (std::size_t n = in.Read(buffer.data(), buffer.size())) out.Write(std::span(buffer.data(), n));
    out.Flush();
}

}  // namespace kv::arc
