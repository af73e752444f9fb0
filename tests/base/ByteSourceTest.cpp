#include "base/ByteSource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "tests/support/TempDir.h"
#include "base/Errors.h"

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes counting(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 7);
    return b;
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The same checks for every kind of source over the bytes of counting(100).
void expectShortReadsOnlyAtTheEnd(ByteSource& source) {
    const Bytes all = counting(100);
    EXPECT_EQ(source.size(), 100u);
    Bytes buf(40, 0xEE);

    EXPECT_EQ(source.readAt(10, buf.data(), 20), 20u);
    EXPECT_EQ(Bytes(buf.begin(), buf.begin() + 20), Bytes(all.begin() + 10, all.begin() + 30));

    EXPECT_EQ(source.readAt(90, buf.data(), 40), 10u);
    EXPECT_EQ(Bytes(buf.begin(), buf.begin() + 10), Bytes(all.begin() + 90, all.end()));

    // Backwards after reading the end: the position moves back.
    EXPECT_EQ(source.readAt(0, buf.data(), 3), 3u);
    EXPECT_EQ(buf[1], all[1]);

    EXPECT_EQ(source.readAt(100, buf.data(), 1), 0u);
    EXPECT_EQ(source.readAt(1000, buf.data(), 1), 0u);
    EXPECT_EQ(source.readAt(~std::uint64_t{0}, buf.data(), 1), 0u);
    EXPECT_EQ(source.readAt(5, buf.data(), 0), 0u);

    EXPECT_NO_THROW(source.readExactly(60, buf.data(), 40));
    EXPECT_EQ(buf[39], all[99]);
    EXPECT_THROW(source.readExactly(61, buf.data(), 40), ETruncated);
    EXPECT_THROW(source.readExactly(100, buf.data(), 1), ETruncated);
}

TEST(MemorySource, ReadsShortOnlyAtTheEnd) {
    MemorySource source(counting(100));
    expectShortReadsOnlyAtTheEnd(source);
}

TEST(FileSource, ReadsShortOnlyAtTheEnd) {
    test::TempDir dir;
    const std::string path = dir.file("hundred.bin");
    writeFile(path, counting(100));
    FileSource source(path);
    EXPECT_EQ(source.path(), path);
    expectShortReadsOnlyAtTheEnd(source);
}

TEST(FileSource, SequentialReadsContinueWhereTheLastEnded) {
    test::TempDir dir;
    const std::string path = dir.file("seq.bin");
    const Bytes all = counting(100000);
    writeFile(path, all);
    FileSource source(path);
    Bytes got;
    std::uint8_t chunk[4093];
    for (std::uint64_t pos = 0;;) {
        std::size_t n = source.readAt(pos, chunk, sizeof chunk);
        got.insert(got.end(), chunk, chunk + n);
        pos += n;
        if (n < sizeof chunk) break;
    }
    EXPECT_EQ(got, all);
}

TEST(FileSource, MissingFileNamesThePath) {
    test::TempDir dir;
    const std::string path = dir.file("no such file.cat");
    try {
        FileSource source(path);
        FAIL() << "opened a missing file";
    } catch (const EIoError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_THROW(readWholeFile(path), EIoError);
}

TEST(FileSource, ReadsWholeFiles) {
    test::TempDir dir;
    writeFile(dir.file("empty"), {});
    EXPECT_TRUE(readWholeFile(dir.file("empty")).empty());
    writeFile(dir.file("some"), counting(70000));
    EXPECT_EQ(readWholeFile(dir.file("some")), counting(70000));
}

// Positions past 4 GiB, on a sparse file where the file system makes that cheap.
TEST(FileSource, ReadsPastFourGigabytes) {
    test::TempDir dir;
    const std::string path = dir.file("sparse.bin");
    const std::uint64_t size = (std::uint64_t{1} << 32) + 16;
    writeFile(path, {});
    std::error_code ec;
    std::filesystem::resize_file(path, size, ec);
    if (ec) GTEST_SKIP() << "no sparse file here: " << ec.message();
    {
        std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(size - 8));
        f.write("KORVALDR", 8);
        ASSERT_TRUE(f.good());
    }
    FileSource source(path);
    EXPECT_EQ(source.size(), size);
    char buf[12] = {};
    EXPECT_EQ(source.readAt(size - 12, buf, sizeof buf), 12u);
    EXPECT_EQ(std::string(buf + 4, 8), "KORVALDR");
    EXPECT_EQ(source.readAt(size - 4, buf, sizeof buf), 4u);
    EXPECT_EQ(std::string(buf, 4), "ALDR");
}

}  // namespace
}  // namespace kv
