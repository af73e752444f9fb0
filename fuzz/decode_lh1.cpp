// LHA -lh1- (adaptive Huffman).
#include "ZipDecoderFuzz.h"
#include "archive/decoders/Lh1Decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::DecodeFuzzInput(data, size,
                                          [](auto& in, auto& out, int) { kv::arc::Lh1Decode(in, out); });
}
