#pragma once
// Shared by the ZIP-family decoder fuzz targets: the input's first bytes choose the
// decoder's parameters and the declared size, the rest is the packed stream. Only the
// library's own error (E_RAISE) may come out; a crash, an overrun, output past the
// declared size or a hang is a finding.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "archive/ArcError.h"
#include "archive/decoders/DecoderIo.h"

namespace kv::arc::fuzz {

constexpr std::size_t kHeader = 4;
constexpr std::uint64_t kMaxDeclared = 1 << 22;

// Header: parameter byte, then the declared size (24 bits little-endian, at most 4 MiB).
template <class Decode>
int DecodeFuzzInput(const std::uint8_t* data, std::size_t size, Decode decode) {
    if (size < kHeader) return 0;
    const int parameter = data[0];
    std::uint64_t declared = data[1] | data[2] << 8 | static_cast<std::uint32_t>(data[3]) << 16;
    if (declared > kMaxDeclared) declared = kMaxDeclared;
    MemorySource source(std::vector<std::uint8_t>(data + kHeader, data + size));
    PackedInput in(source, 0, size - kHeader);
    OutputSink sink;
    sink.SetMode(SinkMode::Memory);
    sink.StartMemory(static_cast<std::size_t>(declared));
    DecodedOutput out(sink, declared, DecodedOutput::Check::Crc32);
    try {
        decode(in, out, parameter);
    } catch (const E_RAISE&) {
    }
    if (out.Written() > declared || sink.Memory().size() > declared) std::abort();
    return 0;
}

}  // namespace kv::arc::fuzz
