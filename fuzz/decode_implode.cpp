// ZIP implode; the parameter byte is the general-purpose flags' low byte (bit 1 dictionary, bit 2 trees).
#include "ZipDecoderFuzz.h"
#include "archive/decoders/Explode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::DecodeFuzzInput(data, size, [](auto& in, auto& out, int parameter) {
        kv::arc::DecodeImplode(in, out, static_cast<std::uint16_t>(parameter));
    });
}
