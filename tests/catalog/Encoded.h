#pragma once
// The bytes a piece of encoding code writes, collected in memory.
#include <cstdint>
#include <vector>

#include "base/BufferedWriter.h"
#include "base/ByteSink.h"

namespace kv::test {

template <class Encode>
std::vector<std::uint8_t> encoded(Encode encode) {
    MemorySink sink;
    {
        BufferedWriter out(sink, 64);  // small, so long texts cross a flush
        encode(out);
        out.flush();
    }
    return sink.take();
}

}  // namespace kv::test
