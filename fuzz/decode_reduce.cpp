// ZIP reduce; the parameter byte's low bits pick the factor 1-4.
#include "ZipDecoderFuzz.h"
#include "archive/decoders/Unreduce.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::DecodeFuzzInput(data, size, [](auto& in, auto& out, int parameter) {
        kv::arc::DecodeReduce(in, out, (parameter & 3) + 1);
    });
}
