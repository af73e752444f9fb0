#include "archive/decoders/DecoderIo.h"

#include <gtest/gtest.h>

#include "DecoderTestSupport.h"
#include "archive/ArcError.h"
#include "archive/Checksum.h"

namespace kv::arc {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::RaisedId;

Bytes Pattern(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    return b;
}

// Remembers the size of every read so the chunking can be checked.
class CountingSource final : public ByteSource {
public:
    explicit CountingSource(Bytes bytes) : inner_(std::move(bytes)) {}
    std::uint64_t size() override { return inner_.size(); }
    std::size_t readAt(std::uint64_t pos, void* out, std::size_t n) override {
        reads.push_back(n);
        return inner_.readAt(pos, out, n);
    }
    std::vector<std::size_t> reads;

private:
    MemorySource inner_;
};

class PieceSink final : public ByteSink {
public:
    void write(const void* data, std::size_t n) override {
        auto p = static_cast<const std::uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + n);
        pieces.push_back(n);
    }
    void writeAt(std::uint64_t, const void*, std::size_t) override {}
    std::uint64_t size() const override { return bytes.size(); }
    void flush() override {}
    Bytes bytes;
    std::vector<std::size_t> pieces;
};

TEST(PackedInput, ReadsOnlyTheMembersBytesInBoundedChunks) {
    Bytes file = Pattern(100000);
    CountingSource source(file);
    PackedInput in(source, 10, 70000);
    std::vector<std::uint64_t> progress;
    in.SetOnRead([&](std::uint64_t done) { progress.push_back(done); });
    EXPECT_EQ(in.Remaining(), 70000u);
    EXPECT_EQ(in.NextByte(), file[10]);
    Bytes got(80000);
    std::size_t n = in.Read(got.data(), got.size());
    ASSERT_EQ(n, 69999u);
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + n, file.begin() + 11));
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(in.NextByte(), -1);
    EXPECT_EQ(in.Read(got.data(), 1), 0u);
    EXPECT_EQ(source.reads, (std::vector<std::size_t>{32768, 32768, 4464}));
    EXPECT_EQ(progress, (std::vector<std::uint64_t>{32768, 65536, 70000}));
}

TEST(PackedInput, EndsEarlyWhenTheFileIsShorterThanAnnounced) {
    MemorySource source(Pattern(50));
    PackedInput in(source, 40, 1000);
    Bytes got(100);
    EXPECT_EQ(in.Read(got.data(), got.size()), 10u);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(in.NextByte(), -1);
}

TEST(PackedInput, TransformAppliesToBytesHandedOutAfterItIsSet) {
    Bytes file = Pattern(8);
    MemorySource source(file);
    PackedInput in(source, 0, 8);
    std::uint8_t head[2];
    ASSERT_EQ(in.Read(head, 2), 2u);  // already buffered bytes follow, still untransformed
    int calls = 0;
    in.SetTransform([&](std::uint8_t b) {
        ++calls;
        return static_cast<std::uint8_t>(b ^ 0xFF);
    });
    EXPECT_EQ(head[1], file[1]);
    EXPECT_EQ(in.NextByte(), file[2] ^ 0xFF);
    Bytes rest(10);
    ASSERT_EQ(in.Read(rest.data(), rest.size()), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(rest[i], file[3 + i] ^ 0xFF);
    EXPECT_EQ(calls, 6);
}

TEST(DecodedOutput, FlushesInFullPiecesWithTheChecksumOverEveryByteOnce) {
    Bytes data = Pattern(70000);
    PieceSink target;
    OutputSink sink;
    sink.SetMode(SinkMode::Stream1);
    sink.SetStreams(&target, nullptr);
    DecodedOutput out(sink, data.size(), DecodedOutput::Check::Crc32);
    for (std::size_t i = 0; i < 1000; ++i) out.Put(data[i]);
    out.Write(std::span(data).subspan(1000, 50000));
    EXPECT_EQ(out.Crc(), ~Crc32Update(0xFFFFFFFFu, std::span(data).first(51000)));  // pending bytes count too
    out.Write(std::span(data).subspan(51000));
    out.Flush();
    out.Flush();
    EXPECT_EQ(target.bytes, data);
    EXPECT_EQ(target.pieces, (std::vector<std::size_t>{32768, 32768, 4464}));
    EXPECT_EQ(out.Written(), 70000u);
    EXPECT_EQ(out.Remaining(), 0u);
    EXPECT_EQ(out.Crc(), ~Crc32Update(0xFFFFFFFFu, data));
}

TEST(DecodedOutput, Crc16AndNoCheck) {
    Bytes data = Pattern(40000);
    OutputSink sink;
    sink.SetMode(SinkMode::Memory);
    sink.StartMemory(1 << 20);
    DecodedOutput crc16(sink, data.size(), DecodedOutput::Check::Crc16);
    crc16.Write(data);
    crc16.Flush();
    EXPECT_EQ(crc16.Crc(), Crc16Update(0, data));
    DecodedOutput none(sink, 10, DecodedOutput::Check::None);
    none.Put(1);
    EXPECT_EQ(none.Crc(), 0u);
}

TEST(DecodedOutput, StopsAtTheDeclaredSize) {
    OutputSink sink;
    sink.SetMode(SinkMode::Memory);
    sink.StartMemory(1 << 20);
    Bytes data = Pattern(100);

    DecodedOutput put(sink, 3, DecodedOutput::Check::Crc32);
    for (int i = 0; i < 3; ++i) put.Put(data[i]);
    EXPECT_EQ(RaisedId([&] { put.Put(9); }), eBadBlock);
    EXPECT_EQ(put.Written(), 3u);

    sink.StartMemory(1 << 20);
    DecodedOutput write(sink, 60, DecodedOutput::Check::Crc32);
    EXPECT_EQ(RaisedId([&] { write.Write(data); }), eBadBlock);
    write.Flush();
    EXPECT_EQ(sink.Memory(), Bytes(data.begin(), data.begin() + 60));
    EXPECT_EQ(write.Crc(), ~Crc32Update(0xFFFFFFFFu, std::span(data).first(60)));

    DecodedOutput empty(sink, 0, DecodedOutput::Check::Crc32);
    EXPECT_EQ(RaisedId([&] { empty.Put(0); }), eBadBlock);
    EXPECT_EQ(empty.Crc(), 0u);  // CRC-32 of nothing
}

TEST(DecodedOutput, RefusedWriteIsAWriteError) {
    OutputSink sink;
    sink.SetMode(SinkMode::Memory);
    sink.StartMemory(10);
    DecodedOutput out(sink, 100000, DecodedOutput::Check::Crc32);
    Bytes data = Pattern(20);
    out.Write(data);
    EXPECT_EQ(RaisedId([&] { out.Flush(); }), eWriteError);
    OutputSink noTarget;  // file mode without a file
    DecodedOutput full(noTarget, 100000, DecodedOutput::Check::None);
    EXPECT_EQ(RaisedId([&] { full.Write(Pattern(40000)); }), eWriteError);
}

}  // namespace
}  // namespace kv::arc
