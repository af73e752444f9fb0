// Throughput of the inflate driver (bounded reads, checksum, size cap, sink) against
// bare zlib on the same raw deflate stream: both run zlib's inflate, so the ratio
// shows what the driver costs. KV_INFLATE_GZ=<file made by gzip -n> decodes that
// file's member instead of the generated text (see inflate-vs-gzip).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>
#include <zlib.h>

#include "archive/decoders/DecoderIo.h"
#include "archive/decoders/Inflate.h"
#include "base/ByteSink.h"
#include "base/ByteSource.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class NullSink final : public kv::ByteSink {
public:
    void write(const void*, std::size_t) override {}
    void writeAt(std::uint64_t, const void*, std::size_t) override {}
    std::uint64_t size() const override { return 0; }
    void flush() override {}
};

Bytes Text(std::size_t n) {
    static const char* words[] = {"archive", "catalog", "disk", "folder", "member", "volume", "the", "of",
                                  "and", "deflate", "window", "record", "label", "1987", "README.TXT"};
    Bytes out;
    out.reserve(n + 16);
    std::uint32_t x = 1;
    while (out.size() < n) {
        x = x * 1103515245u + 12345u;
        const char* w = words[(x >> 16) % 15];
        out.insert(out.end(), w, w + std::strlen(w));
        out.push_back((x >> 8) % 13 == 0 ? '\n' : ' ');
    }
    out.resize(n);
    return out;
}

Bytes RawDeflate(const Bytes& data) {
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&z, data.size()));
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

struct Stream {
    Bytes packed;
    std::uint64_t size = 0;
};

const Stream& TheStream() {
    static const Stream s = [] {
        Stream r;
        if (const char* gz = std::getenv("KV_INFLATE_GZ")) {
            Bytes file = kv::readWholeFile(gz);
            r.packed.assign(file.begin() + 10, file.end() - 8);
            const std::uint8_t* t = file.data() + file.size() - 4;
            r.size = t[0] | t[1] << 8 | t[2] << 16 | static_cast<std::uint32_t>(t[3]) << 24;
        } else {
            Bytes text = Text(64 << 20);
            r.packed = RawDeflate(text);
            r.size = text.size();
        }
        return r;
    }();
    return s;
}

void InflateDriver(benchmark::State& state) {
    const Stream& s = TheStream();
    kv::MemorySource source(s.packed);
    NullSink target;
    kv::arc::OutputSink sink;
    sink.SetMode(kv::arc::SinkMode::Stream1);
    sink.SetStreams(&target, nullptr);
    for (auto _ : state) {
        kv::arc::PackedInput in(source, 0, s.packed.size());
        kv::arc::DecodedOutput out(sink, s.size, kv::arc::DecodedOutput::Check::Crc32);
        kv::arc::Inflate(in, out);
        benchmark::DoNotOptimize(out.Crc());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.size));
}
BENCHMARK(InflateDriver)->Unit(benchmark::kMillisecond);

// zlib alone, with the CRC-32 the driver also computes.
void InflateZlibOnly(benchmark::State& state) {
    const Stream& s = TheStream();
    Bytes window(32768);
    for (auto _ : state) {
        z_stream z{};
        inflateInit2(&z, -MAX_WBITS);
        z.next_in = const_cast<Bytef*>(s.packed.data());
        z.avail_in = static_cast<uInt>(s.packed.size());
        uLong crc = crc32(0, nullptr, 0);
        int rc = Z_OK;
        while (rc == Z_OK) {
            z.next_out = window.data();
            z.avail_out = static_cast<uInt>(window.size());
            rc = inflate(&z, Z_NO_FLUSH);
            crc = crc32(crc, window.data(), static_cast<uInt>(window.size() - z.avail_out));
        }
        inflateEnd(&z);
        benchmark::DoNotOptimize(crc);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.size));
}
BENCHMARK(InflateZlibOnly)->Unit(benchmark::kMillisecond);

}  // namespace
