#include "base/ByteSink.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "base/BoundedReader.h"
#include "base/BufferedWriter.h"
#include "base/ByteSource.h"
#include "base/Errors.h"

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string text(const Bytes& b) { return std::string(b.begin(), b.end()); }

// Appends after a patch must land at the end again, not after the patch.
void writePatchAppend(ByteSink& sink) {
    sink.write("header--body", 12);
    sink.writeAt(6, "!!", 2);
    sink.write("tail", 4);
    sink.writeAt(0, "H", 1);
    sink.writeAt(15, "L", 1);  // the last byte
    EXPECT_EQ(sink.size(), 16u);
    EXPECT_THROW(sink.writeAt(15, "xy", 2), std::out_of_range);
    EXPECT_THROW(sink.writeAt(17, "", 0), std::out_of_range);
    EXPECT_THROW(sink.writeAt(~std::uint64_t{0}, "x", 1), std::out_of_range);
}

constexpr const char* kPatched = "Header!!bodytaiL";

TEST(MemorySink, PatchesAndAppends) {
    MemorySink sink;
    writePatchAppend(sink);
    EXPECT_EQ(text(sink.bytes()), kPatched);
    EXPECT_EQ(text(sink.take()), kPatched);
}

TEST(FileSink, PatchesAndAppends) {
    test::TempDir dir;
    const std::string path = dir.file("out.cat");
    FileSink sink(path);
    writePatchAppend(sink);
    sink.close();
    EXPECT_NO_THROW(sink.close());
    EXPECT_EQ(text(readWholeFile(path)), kPatched);
}

TEST(FileSink, CarriesABufferedWriterThatPatchesFlushedBytes) {
    test::TempDir dir;
    const std::string path = dir.file("big.cat");
    Bytes expected;
    {
        FileSink sink(path);
        BufferedWriter w(sink, 1024);
        w.u32(0);  // count, patched at the end
        for (std::uint32_t i = 0; i < 10000; ++i) w.u32(i);
        w.patchU32(0, 10000);
        w.patchU32(4 + 4 * 5000, 0xFFFFFFFF);  // long since in the file
        w.flush();
        sink.close();
    }
    Bytes got = readWholeFile(path);
    ASSERT_EQ(got.size(), 40004u);
    BoundedReader r(got);
    EXPECT_EQ(r.u32(), 10000u);
    for (std::uint32_t i = 0; i < 10000; ++i) ASSERT_EQ(r.u32(), i == 5000 ? 0xFFFFFFFF : i) << i;
}

TEST(FileSink, UncreatableFileNamesThePath) {
    test::TempDir dir;
    const std::string path = dir.file("missing folder/out.cat");
    try {
        FileSink sink(path);
        FAIL() << "created a file in a missing folder";
    } catch (const EIoError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
}

TEST(FileSink, WritingAfterCloseIsRefused) {
    test::TempDir dir;
    FileSink sink(dir.file("closed"));
    sink.close();
    EXPECT_THROW(sink.write("x", 1), std::logic_error);
    EXPECT_THROW(sink.flush(), std::logic_error);
}

#ifndef _WIN32
// /dev/full takes every byte into the C library's buffer and fails once it is pushed.
TEST(FileSink, AFullDeviceIsAnErrorNotALoss) {
    {
        FileSink sink("/dev/full");
        sink.write("small", 5);
        try {
            sink.close();
            FAIL() << "close reported no error";
        } catch (const EIoError& e) {
            EXPECT_NE(std::string(e.what()).find("/dev/full"), std::string::npos) << e.what();
        }
        EXPECT_NO_THROW(sink.close());  // closed despite the failure
    }
    {
        FileSink sink("/dev/full");
        sink.write("small", 5);
        EXPECT_THROW(sink.flush(), EIoError);
    }
    {
        FileSink sink("/dev/full");
        const std::vector<char> big(1 << 20, 'x');
        EXPECT_THROW(sink.write(big.data(), big.size()), EIoError);
    }
}
#endif

}  // namespace
}  // namespace kv
