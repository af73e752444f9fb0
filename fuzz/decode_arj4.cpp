// ARJ method 4.
#include "ZipDecoderFuzz.h"
#include "archive/decoders/Arj4Decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::DecodeFuzzInput(data, size,
                                          [](auto& in, auto& out, int) { kv::arc::Arj4Decode(in, out); });
}
