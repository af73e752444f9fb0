// The LHA/ARJ/ZOO static-Huffman decoder; the parameter byte picks the format's dictionary.
#include "ZipDecoderFuzz.h"
#include "archive/decoders/LzhDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::DecodeFuzzInput(data, size, [](auto& in, auto& out, int parameter) {
        // -lh4-, -lh5- (and ZOO), -lh6-, -lh7-, ARJ 1-3
        static constexpr int kDictionary[][2] = {{12, 4}, {13, 4}, {15, 5}, {16, 5}};
        const auto& p = kDictionary[parameter % 4];
        kv::arc::LzhDecode(in, out, p[0], p[1]);
    });
}
