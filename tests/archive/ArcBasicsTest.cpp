#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "archive/ArcDates.h"
#include "archive/ArcError.h"
#include "archive/ArcNumbers.h"
#include "archive/ArcType.h"
#include "archive/Checksum.h"
#include "base/text/MatchFileSpec.h"
#include "archive/OutputSink.h"
#include "archive/VolumeName.h"
#include "system/SystemCaseMap.h"

namespace kv::arc {
namespace {

std::span<const std::uint8_t> bytesOf(std::string_view s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(ArcType, DisplayNamesAreTenWideExceptLzhSfx) {
    for (int t = 0; t < kArcTypeCount; ++t) {
        auto name = ArcTypeDisplayName(static_cast<TArcType>(t));
        EXPECT_EQ(name.size(), t == atLzhExe ? 7u : 10u) << t;
    }
    EXPECT_EQ(ArcTypeDisplayName(atNA), "Not avail.");
    EXPECT_EQ(ArcTypeDisplayName(atBHExe), "BH  SFX   ");
    EXPECT_EQ(ArcTypeDisplayName(atZip250Exe), "ZIP250 SFX");
    EXPECT_EQ(ArcTypeDisplayName(atZOO), "ZOO       ");
}

TEST(ArcError, MessagesKeepTheProgramsSpelling) {
    EXPECT_EQ(ArcMessage(25111), "Invalid code incountered");
    EXPECT_EQ(ArcMessage(25145), "Inconsistant local header");
    EXPECT_EQ(ArcMessage(25135), "Error reading file or unexpected end of file");
    EXPECT_EQ(ArcMessage(26999), "Nothing to do");
    EXPECT_EQ(ArcMessage(12345), "Error 12345");
    E_RAISE e(eHeaderId);
    EXPECT_EQ(e.id(), 25137);
    EXPECT_STREQ(e.what(), "Header ID error");
}

TEST(Checksum, StandardCheckValues) {
    auto data = bytesOf("123456789");
    EXPECT_EQ(~Crc32Update(0xFFFFFFFF, data), 0xCBF43926u);
    EXPECT_EQ(Crc16Update(0, data), 0xBB3D);
    // Running in pieces gives the same value as in one go.
    std::uint32_t c = 0xFFFFFFFF;
    c = Crc32Update(c, data.subspan(0, 4));
    c = Crc32Update(c, data.subspan(4));
    EXPECT_EQ(~c, 0xCBF43926u);
    EXPECT_EQ(Crc32Update(0x1234, {}), 0x1234u);
}

TEST(ArcDates, DosStamps) {
    EXPECT_EQ(DosStampToDateTime(0), (DateTime{1980, 1, 1, 0, 0, 0}));
    EXPECT_EQ(DosStampToDateTime(0x58216B0F), (DateTime{2024, 1, 1, 13, 24, 30}));
    EXPECT_EQ(DosStampToDateTime(0xFFFFFFFF), (DateTime{1980, 1, 1, 0, 0, 0}));  // month 15: no date
    EXPECT_EQ(SwapHalves(0x11112222u), 0x22221111u);
}

TEST(ArcDates, UnixSecondsWithBias) {
    struct Case {
        std::int64_t seconds;
        int bias;
        DateTime expected;
    } cases[] = {
        {0, 0, {1970, 1, 1, 0, 0, 0}},
        {951782400, 0, {2000, 2, 29, 0, 0, 0}},           // leap day of a century leap year
        {4107542400, 0, {2100, 3, 1, 0, 0, 0}},           // 2100 is no leap year
        {1700000000, NormaliseBiasMinutes(-2), {2023, 11, 15, 0, 13, 20}},  // hours: UTC+2
        {1700000000, NormaliseBiasMinutes(-120), {2023, 11, 15, 0, 13, 20}},
        {1700000000, NormaliseBiasMinutes(300), {2023, 11, 14, 17, 13, 20}},  // UTC-5
        {-1, 0, {1969, 12, 31, 23, 59, 59}},
        {INT64_MAX, 0, {9999, 12, 31, 23, 59, 59}},
    };
    for (const Case& c : cases) EXPECT_EQ(UnixToDateTime(c.seconds, c.bias), c.expected) << c.seconds;
}

TEST(ArcNumbers, TarFields) {
    auto field = [](std::initializer_list<std::uint8_t> b) { return std::vector<std::uint8_t>(b); };
    std::string octal = "0000644 \0";
    EXPECT_EQ(ParseTarNumber(bytesOf(octal)), 0644);
    EXPECT_EQ(ParseTarNumber(bytesOf(" 17 x7")), 0177);  // other characters are skipped
    EXPECT_EQ(ParseTarNumber(bytesOf("77777777777777777777777")), INT64_MAX);
    // GNU base-256: 8 GiB and a negative time.
    auto big = field({0x80, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0});
    EXPECT_EQ(ParseTarNumber(big), std::int64_t{8} << 30);
    auto minusOne = field({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(ParseTarNumber(minusOne), -1);
    auto huge = field({0x80, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(ParseTarNumber(huge), INT64_MAX);
}

TEST(ArcNumbers, Ratio) {
    struct Case {
        std::uint64_t packed, unpacked;
        int expected;
    } cases[] = {
        {0, 100, 0},   {100, 0, 0},     {100, 100, 0},       {150, 100, 0},
        {50, 100, 50}, {999, 1000, 1},  {1, 3, 66},          // at least 1 when anything was saved
        {100000, 1000000, 90},          {12345, 5000000, 99},  // above 100000 saved: both divided by 100 first
    };
    for (const Case& c : cases) EXPECT_EQ(CompressionRatio(c.packed, c.unpacked), c.expected) << c.packed;
}

TEST(ArcNumbers, ProgressDue) {
    EXPECT_EQ(ProgressDue(0, 100, -1, 10, true), -1);
    EXPECT_EQ(ProgressDue(10, 0, -1, 10, true), -1);
    EXPECT_EQ(ProgressDue(10, 100, -1, 10, false), 10);
    EXPECT_EQ(ProgressDue(15, 100, 10, 10, false), -1);  // not on a step
    EXPECT_EQ(ProgressDue(15, 100, 10, 10, true), 15);
    EXPECT_EQ(ProgressDue(10, 100, 10, 10, true), -1);  // unchanged
    // A 30 MB member: done x 100 passes 32 bits.
    std::uint64_t total = 30'000'000;
    EXPECT_EQ(ProgressDue(total / 2, total, 40, 10, false), 50);
}

TEST(MatchFileSpec, Table) {
    struct Case {
        const char* mask;
        const char* name;
        bool expected;
    } cases[] = {
        {"*.*", "README", true},
        {"*.*", "dir\\sub\\file.txt", true},
        {"a*.txt", "ABC.TXT", true},
        {"a*.txt", "dir/abc.txt", true},
        {"a*.txt", "bac.txt", false},
        {"*", "anything.at.all", true},
        {"README", "*.*", true},            // the name side may hold wildcards too
        {"read?e", "READ*", true},
        {"x?z", "xz", false},
        {"*.txt", "file.", false},          // the trailing dot goes
        {"file.", "FILE", true},
        {"file", "file.txt", false},
        {"*", "dir\\", false},              // a name with no file-name part
        {"", "*x", true},                   // an empty part matches only a leading '*'
        {"", "x", false},
        {"*.t?t", "a.txt", true},
        {"**a**b**", "xxaxxbxx", true},
        {"\xC4*", "\xE4pple", true},        // Windows-1252 letters fold too
    };
    for (const Case& c : cases) EXPECT_EQ(MatchFileSpec(c.mask, c.name, systemCaseMap()), c.expected) << c.mask << " / " << c.name;
}

TEST(MatchFileSpec, ManyStarsStayFast) {
    std::string mask;
    for (int i = 0; i < 200; ++i) mask += "*a";
    mask += "*b";
    std::string name(3000, 'a');
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(MatchFileSpec(mask, name, systemCaseMap()));
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
}

TEST(NextVolumeName, Table) {
    int counter = 0;
    EXPECT_EQ(NextVolumeName("C:\\ARC\\DATA.ARJ", counter), "C:\\ARC\\DATA.A01");
    EXPECT_EQ(counter, 1);
    counter = 9;
    EXPECT_EQ(NextVolumeName("DATA.ARJ", counter), "DATA.A10");
    counter = 98;
    EXPECT_EQ(NextVolumeName("DATA.ARJ", counter), "DATA.A99");
    EXPECT_EQ(NextVolumeName("DATA.ARJ", counter), "DATA.100");
    counter = 998;
    EXPECT_EQ(NextVolumeName("DATA.ARJ", counter), "DATA.999");
    EXPECT_EQ(NextVolumeName("DATA.ARJ", counter), "");
    counter = 0;
    EXPECT_EQ(NextVolumeName("d:\\my.backup.arj", counter), "d:\\my.backup.A01");  // the last extension only
    counter = 0;
    EXPECT_EQ(NextVolumeName("d:\\v.1\\DATA", counter), "d:\\v.1\\DATA.A01");
}

TEST(OutputSink, MemoryModeCapsWhatItTakes) {
    OutputSink sink;
    sink.SetMode(SinkMode::Memory);
    sink.StartMemory(5);
    EXPECT_TRUE(sink.Write(bytesOf("abc")));
    EXPECT_FALSE(sink.Write(bytesOf("def")));
    EXPECT_TRUE(sink.Write(bytesOf("de")));
    EXPECT_EQ(std::string(sink.Memory().begin(), sink.Memory().end()), "abcde");
    sink.SetMode(SinkMode::File);
    EXPECT_FALSE(sink.Write(bytesOf("x")));  // no file open
    MemorySink out;
    sink.SetMode(SinkMode::Stream2);
    sink.SetStreams(nullptr, &out);
    EXPECT_TRUE(sink.Write(bytesOf("xy")));
    EXPECT_EQ(out.size(), 2u);
}

}  // namespace
}  // namespace kv::arc
