#include <gtest/gtest.h>

#include <numeric>

#include "base/Errors.h"
#include "base/ReadAhead.h"

namespace kv {
namespace {

// Counts the reads that reach the source.
class CountingSource final : public ByteSource {
public:
    explicit CountingSource(std::size_t n) : bytes(n) { std::iota(bytes.begin(), bytes.end(), 0); }
    std::uint64_t size() override { return bytes.size(); }
    std::size_t readAt(std::uint64_t pos, void* out, std::size_t n) override {
        ++reads;
        return MemorySource(bytes).readAt(pos, out, n);
    }
    std::vector<std::uint8_t> bytes;
    int reads = 0;
};

struct Fixture {
    explicit Fixture(std::size_t size, std::size_t bufferSize = 16) {
        auto s = std::make_unique<CountingSource>(size);
        source = s.get();
        stream = std::make_unique<TReadAheadStream>(std::move(s), "f", bufferSize);
    }
    CountingSource* source;
    std::unique_ptr<TReadAheadStream> stream;
};

TEST(ReadAhead, SeeksInsideTheBufferDoNoIo) {
    Fixture f(100);
    std::uint8_t b[4];
    f.stream->Seek(10);
    f.stream->ReadExactly(b, 4);
    EXPECT_EQ(f.source->reads, 1);
    f.stream->Seek(12);
    f.stream->ReadExactly(b, 2);
    f.stream->Seek(25);  // the last buffered byte
    f.stream->ReadExactly(b, 1);
    EXPECT_EQ(b[0], 25);
    EXPECT_EQ(f.source->reads, 1);
    f.stream->Seek(5);
    f.stream->ReadExactly(b, 1);
    EXPECT_EQ(b[0], 5);
    EXPECT_EQ(f.source->reads, 2);
    EXPECT_EQ(f.stream->Position(), 6u);
}

TEST(ReadAhead, ReadsAcrossRefillsAndStopsShortOnlyAtTheEnd) {
    for (std::size_t want : {7u, 16u, 40u, 100u}) {
        SCOPED_TRACE(want);
        Fixture f(50);
        f.stream->Seek(3);
        std::vector<std::uint8_t> out(want, 0xEE);
        const std::size_t got = f.stream->Read(out.data(), want);
        EXPECT_EQ(got, std::min<std::size_t>(want, 47));
        for (std::size_t i = 0; i < got; ++i) ASSERT_EQ(out[i], 3 + i);
        EXPECT_EQ(f.stream->Position(), 3 + got);
        EXPECT_EQ(f.stream->Eof(), got == 47);
    }
    Fixture f(10);
    std::uint8_t b[11];
    EXPECT_THROW(f.stream->ReadExactly(b, 11), ETruncated);
    f.stream->Seek(10);
    EXPECT_TRUE(f.stream->Eof());
    f.stream->Seek(9);
    EXPECT_FALSE(f.stream->Eof());
}

TEST(ReadAhead, CopyToIsTrueOnlyForTheWholeCount) {
    Fixture f(40);
    f.stream->Seek(5);
    MemorySink sink;
    EXPECT_TRUE(f.stream->CopyTo(sink, 30));
    ASSERT_EQ(sink.size(), 30u);
    EXPECT_EQ(sink.bytes()[29], 34);
    MemorySink rest;
    EXPECT_FALSE(f.stream->CopyTo(rest, 6));
    EXPECT_EQ(rest.size(), 5u);
}

TEST(ReadAhead, BufferIsCappedAndOpenFailureIsAFileOpenError) {
    Fixture f(0x50000, 0x100000);
    std::uint8_t b;
    f.stream->ReadExactly(&b, 1);
    f.stream->Seek(0x3FFFE);
    f.stream->ReadExactly(&b, 1);
    EXPECT_EQ(f.source->reads, 1);
    f.stream->Seek(0x3FFFF);
    f.stream->ReadExactly(&b, 1);
    EXPECT_EQ(f.source->reads, 2);
    try {
        TReadAheadStream::Open("/nonexistent/catalog.ctg");
        FAIL();
    } catch (const EReadBufferError& e) {
        EXPECT_STREQ(e.what(), "File open error");
    }
}

}  // namespace
}  // namespace kv
