// Decoding throughput of the LHA, ARJ and ARC decoders on the made fixtures' 90 KB
// text member (whole extractions are timed against lhasa, arj and nomarch by
// bench/extract-archives-vs-tools).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/decoders/ArcFormatDecode.h"
#include "archive/decoders/Arj4Decode.h"
#include "archive/decoders/DecoderIo.h"
#include "archive/decoders/LzhDecode.h"
#include "base/ByteSource.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint64_t kTextSize = 90032;

std::uint32_t Le32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

struct Member {
    Bytes archive;
    std::uint64_t pos = 0;
    std::uint64_t packed = 0;
};

// The text member's place: the first member of the LHA (level 1) and ARJ fixtures,
// the last of the ARC ones (ARC sorts by name).
Member Find(const std::string& name) {
    Member m{kv::readWholeFile(std::string(KV_FIXTURES_DIR) + "/archives/decoders/" + name)};
    const Bytes& a = m.archive;
    if (name.ends_with(".lzh")) {
        std::size_t data = a[0] + 2u;
        m.packed = Le32(a, 7);
        for (std::uint32_t ext = a[data - 2] | a[data - 1] << 8; ext != 0; ext = a[data - 2] | a[data - 1] << 8) {
            data += ext;
            m.packed -= ext;
        }
        m.pos = data;
    } else if (name.ends_with(".arj")) {
        std::size_t at = 4 + (a[2] | a[3] << 8) + 4 + 2;  // past the main header
        const std::size_t h = at + 4;
        m.packed = Le32(a, h + 12);
        m.pos = h + (a[at + 2] | a[at + 3] << 8) + 4 + 2;
    } else {
        std::size_t at = 0;
        while (Le32(a, at + 25) != kTextSize) at += 29 + Le32(a, at + 15);
        m.pos = at + 29;
        m.packed = Le32(a, at + 15);
    }
    return m;
}

void Decode(benchmark::State& state, const std::string& archive,
            const std::function<void(kv::arc::PackedInput&, kv::arc::DecodedOutput&)>& decode) {
    Member m = Find(archive);
    kv::MemorySource source(m.archive);
    kv::arc::OutputSink sink;
    for (auto _ : state) {
        sink.SetMode(kv::arc::SinkMode::Memory);
        sink.StartMemory(kTextSize);
        kv::arc::PackedInput in(source, m.pos, m.packed);
        kv::arc::DecodedOutput out(sink, kTextSize, kv::arc::DecodedOutput::Check::Crc16);
        decode(in, out);
        benchmark::DoNotOptimize(out.Crc());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTextSize));
}

void Lh5(benchmark::State& s) { Decode(s, "lh5.lzh", [](auto& in, auto& out) { kv::arc::LzhDecode(in, out, 13, 4); }); }
void Arj1(benchmark::State& s) {
    Decode(s, "arj-m1.arj", [](auto& in, auto& out) { kv::arc::LzhDecode(in, out, 16, 5); });
}
void Arj4(benchmark::State& s) { Decode(s, "arj-m4.arj", [](auto& in, auto& out) { kv::arc::Arj4Decode(in, out); }); }
void ArcCrunch(benchmark::State& s) {
    Decode(s, "crunch.arc", [](auto& in, auto& out) { kv::arc::ArcDecode(in, out, 8); });
}
void ArcSquash(benchmark::State& s) {
    Decode(s, "squash.arc", [](auto& in, auto& out) { kv::arc::ArcDecode(in, out, 9); });
}

BENCHMARK(Lh5);
BENCHMARK(Arj1);
BENCHMARK(Arj4);
BENCHMARK(ArcCrunch);
BENCHMARK(ArcSquash);

}  // namespace
