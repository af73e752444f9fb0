// Raw deflate; the parameter byte picks the gzip member's method (0 stored, 8 deflated, else refused).
#include "ZipDecoderFuzz.h"
#include "archive/decoders/Inflate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::DecodeFuzzInput(data, size, [](auto& in, auto& out, int parameter) {
        if (parameter & 0x80) {
            kv::arc::DecodeGzipMember(in, out, parameter & 0x7F);
        } else {
            kv::arc::Inflate(in, out);
        }
    });
}
