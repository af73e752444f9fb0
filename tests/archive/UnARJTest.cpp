#include <gtest/gtest.h>

#include "UnSequentialSupport.h"
#include "archive/ArcError.h"
#include "archive/SafePath.h"
#include "archive/formats/ArjExtractor.h"

namespace kv::arc::test {
namespace {

std::map<std::string, Bytes> ArjTree() {
    auto tree = MadeTree();
    tree.erase("docs\\deep\\nested\\folder\\noise.bin");  // not among the ARJ inputs
    return tree;
}

class UnARJMethods : public ::testing::TestWithParam<const char*> {};

TEST_P(UnARJMethods, ExtractsTheTreeWithItsDates) {
    ExtractRun r;
    TUnARJ x(*r.context);
    r.Run(x, std::string("made/") + GetParam());
    EXPECT_EQ(r.raised, 0);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.Files(), ArjTree());
    for (const auto& [fn, pass] : r.crcPass) EXPECT_TRUE(pass) << fn;
    // Stored as Unix seconds by the Unix archiver; bias 0: 2001-02-03 04:05:06.
    EXPECT_EQ(r.fs->dates.at(kOutDir + "readme.txt"), (21u << 25 | 2u << 21 | 3u << 16 | 4u << 11 | 5u << 5 | 3u));
}

INSTANTIATE_TEST_SUITE_P(Made, UnARJMethods,
                         ::testing::Values("method0.arj", "method1.arj", "method2.arj", "method3.arj", "method4.arj"));

TEST(UnARJ, CurDateLeavesTheDateAlone) {
    ExtractRun r;
    TUnARJ x(*r.context);
    x.SetSetDateTo(CurDate);
    r.Run(x, "made/method1.arj");
    EXPECT_EQ(r.Files().size(), 5u);
    EXPECT_TRUE(r.fs->dates.empty());
}

TEST(UnARJ, AMemberSplitOverVolumesIsJoined) {
    ExtractRun r;
    TUnARJ x(*r.context);
    r.Run(x, "made/volumes.arj");
    EXPECT_EQ(r.raised, 0);
    const auto tree = MadeTree();
    EXPECT_EQ(r.Files(), (std::map<std::string, Bytes>{{"numbers.txt", tree.at("numbers.txt")},
                                                       {"readme.txt", tree.at("readme.txt")}}));
    EXPECT_TRUE(r.crcPass.at(kOutDir + "numbers.txt"));

    // Skipping the split member still finds the one after it in the next volume.
    ExtractRun skip;
    TUnARJ y(*skip.context);
    skip.Run(y, "made/volumes.arj", "readme.txt");
    EXPECT_EQ(skip.raised, 0);
    EXPECT_EQ(skip.Files().size(), 1u);
    EXPECT_EQ(skip.Files().count("readme.txt"), 1u);
}

TEST(UnARJ, AMissingVolumeIsAskedForThenNotFound) {
    ExtractRun r;
    r.fs->hidden = [](const std::string& p) { return p.size() > 4 && (p.substr(p.size() - 4) == ".A01"); };
    TUnARJ x(*r.context);
    r.Run(x, "made/volumes.arj");
    EXPECT_EQ(r.raised, eFileNotFound);
    ASSERT_GE(r.messages.size(), 2u);
    EXPECT_EQ(r.messages[0].first, eNextVolume);
    EXPECT_EQ(r.messages[1].first, eFileNotFound);
}

TEST(UnARJ, ANamedMemberEndsTheWalk) {
    ExtractRun r;
    TUnARJ x(*r.context);
    r.Run(x, "made/method0.arj", "numbers.txt");
    EXPECT_EQ(r.Files().size(), 1u);
    // readme.txt before it is reported skipped; nothing after it is looked at.
    EXPECT_EQ(r.messages, (std::vector<std::pair<int, std::string>>{{eSkippedFile, "readme.txt"}}));
}

TEST(UnARJ, AnArchiveBehindAProgramIsFoundByItsMainHeader) {
    // A 1024-byte DOS program image (2 full pages), then the archive.
    Bytes a(1024, 0);
    a[0] = 'M';
    a[1] = 'Z';
    PutLe16(a, 4, 2);
    const Bytes arj = ReadFixture("made/method1.arj");
    a.insert(a.end(), arj.begin(), arj.end());
    ExtractRun r;
    TUnARJ x(*r.context);
    r.Run(x, r.Craft("sfx.exe", a));
    EXPECT_EQ(x.ArcType(), atArjExe);
    EXPECT_EQ(r.raised, 0);
    EXPECT_EQ(r.Files(), ArjTree());
}

TEST(UnARJ, RefusalsAndDamage) {
    {
        ExtractRun r;
        TUnARJ x(*r.context);
        r.Run(x, "made/garbled.arj");
        EXPECT_EQ(r.raised, ePasswordProtected);
        EXPECT_TRUE(r.fs->written.empty());
    }
    {
        // A flipped byte in the first member's name breaks its header CRC.
        Bytes a = ReadFixture("made/method0.arj");
        std::size_t main = 4 + (a[2] | a[3] << 8) + 4 + 2;
        a[main + 4 + 46] ^= 1;
        ExtractRun r;
        TUnARJ x(*r.context);
        r.Run(x, r.Craft("crc.arj", a));
        EXPECT_EQ(r.raised, eHeaderCrc);
    }
    {
        // Cut inside the data of a member: the decoder or the reader says so, no crash.
        Bytes a = ReadFixture("made/method4.arj");
        a.resize(a.size() / 2);
        ExtractRun r;
        TUnARJ x(*r.context);
        r.Run(x, r.Craft("cut.arj", a));
        EXPECT_NE(r.raised, 0);
    }
}

}  // namespace
}  // namespace kv::arc::test
