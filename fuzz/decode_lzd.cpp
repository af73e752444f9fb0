// ZOO method 1 (LZD).
#include "ZipDecoderFuzz.h"
#include "archive/decoders/LzdDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::DecodeFuzzInput(data, size,
                                          [](auto& in, auto& out, int) { kv::arc::LzdDecode(in, out); });
}
