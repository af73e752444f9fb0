// The ARC methods; the parameter byte picks the method (1-9).
#include "ZipDecoderFuzz.h"
#include "archive/decoders/ArcFormatDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::DecodeFuzzInput(data, size, [](auto& in, auto& out, int parameter) {
        kv::arc::ArcDecode(in, out, 1 + parameter % 9);
    });
}
