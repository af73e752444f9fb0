#include <gtest/gtest.h>

#include "UnSequentialSupport.h"
#include "archive/ArcError.h"
#include "archive/Checksum.h"
#include "archive/SafePath.h"
#include "archive/formats/LhaExtractor.h"

namespace kv::arc::test {
namespace {

std::map<std::string, Bytes> Subset(const std::map<std::string, Bytes>& tree, std::initializer_list<const char*> names) {
    std::map<std::string, Bytes> out;
    for (const char* n : names) out[n] = tree.at(n);
    return out;
}

class UnLHALevels : public ::testing::TestWithParam<const char*> {};

// Levels 0-2, stored, -lh5-, -lh6- and -lh7-: level 1 stored members end before the next header
// even though their packed size counts the extended headers.
TEST_P(UnLHALevels, ExtractsTheTreeTheRealToolsExtract) {
    ExtractRun r;
    TUnLHA x(*r.context);
    r.Run(x, std::string("made/") + GetParam());
    EXPECT_EQ(r.raised, 0);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.Files(), Subset(MadeTree(), {"readme.txt", "numbers.txt", "docs\\readonly.txt",
                                             "docs\\deep\\nested\\folder\\noise.bin"}));
    EXPECT_EQ(r.crcPass.size(), 4u);
    for (const auto& [fn, pass] : r.crcPass) EXPECT_TRUE(pass) << fn;
    EXPECT_TRUE(r.fs->dates.empty());  // LHA members keep the current date
}

INSTANTIATE_TEST_SUITE_P(Made, UnLHALevels,
                         ::testing::Values("h0-lh0.lzh", "h0-lh5.lzh", "h0-lh6.lzh", "h0-lh7.lzh", "h1-lh0.lzh",
                                           "h1-lh5.lzh", "h1-lh6.lzh", "h1-lh7.lzh", "h2-lh0.lzh", "h2-lh5.lzh",
                                           "h2-lh6.lzh", "h2-lh7.lzh"));

TEST(UnLHA, HistoricLh1AndLh4MembersMatchTheRealTools) {
    const Bytes gpl = ReadFixture("decoders/expected/lhasa_archives_lharc113_lh1.lzh_gpl-2");
    for (const char* archive : {"historic/lhasa/archives/lharc113/lh1.lzh", "historic/lhasa/archives/lha_amiga_122/lh4.lzh"}) {
        SCOPED_TRACE(archive);
        ExtractRun r;
        TUnLHA x(*r.context);
        r.Run(x, archive);
        EXPECT_EQ(r.raised, 0);
        const auto files = r.Files();  // the name is upper case in the older archive
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files.begin()->second, gpl);
        ASSERT_EQ(r.crcPass.size(), 1u);
        EXPECT_TRUE(r.crcPass.begin()->second);
    }
}

TEST(UnLHA, FolderEntriesMakeFoldersOnlyWithStoredFolders) {
    const char* archive = "historic/lhasa/archives/lha_unix114i/h2_subdir.lzh";
    ExtractRun kept;
    TUnLHA x(*kept.context);
    kept.Run(x, archive);
    EXPECT_EQ(kept.raised, 0);
    EXPECT_TRUE(kept.fs->folders.count(kOutDir + "subdir\\subdir2"));
    EXPECT_EQ(kept.Files().count("subdir\\subdir2\\hello.txt"), 1u);

    ExtractRun flat;
    TUnLHA y(*flat.context);
    flat.Run(y, archive, "*.*", false);
    EXPECT_EQ(flat.raised, 0);
    EXPECT_EQ(flat.fs->folders, (std::set<std::string>{"C:\\OUT"}));
    EXPECT_EQ(flat.Files().count("hello.txt"), 1u);
}

TEST(UnLHA, OneNamedMemberAndUnsupportedMethods) {
    ExtractRun one;
    TUnLHA x(*one.context);
    one.Run(x, "made/h1-lh5.lzh", "NUMBERS.TXT", false);
    EXPECT_EQ(one.Files(), Subset(MadeTree(), {"numbers.txt"}));

    // A method no LHA made ("-lh9-", the level 1 header's sum kept right): the
    // whole extraction stops.
    Bytes a = ReadFixture("made/h1-lh5.lzh");
    ASSERT_EQ(a[5], '5');
    a[5] = '9';
    a[1] = static_cast<std::uint8_t>(a[1] + 4);
    ExtractRun r;
    TUnLHA y(*r.context);
    r.Run(y, r.Craft("lh9.lzh", a));
    EXPECT_EQ(r.raised, eUnsupportedMethod);
    EXPECT_TRUE(r.Said(eUnsupportedMethod));
    EXPECT_TRUE(r.Files().empty());
}

TEST(UnLHA, HostileNamesStayInsideTheFolder) {
    for (const char* archive : {"historic/lhasa/archives/regression/dotdot.lzh",
                                "historic/lhasa/archives/tascal_lha_051h/abspath.lzh"}) {
        SCOPED_TRACE(archive);
        ExtractRun r;
        TUnLHA x(*r.context);
        r.Run(x, archive);
        EXPECT_EQ(r.raised, 0);
        for (const auto& [path, bytes] : r.fs->written) EXPECT_TRUE(IsInsideFolder(kOutDir, path)) << path;
        for (const auto& folder : r.fs->folders) EXPECT_TRUE(folder + "\\" == kOutDir || IsInsideFolder(kOutDir, folder)) << folder;
    }
}

// A level 2 header of a stored member whose sizes come from the 64-bit size
// extended header, followed by its data.
Bytes Level2Stored(const std::string& name, std::uint64_t packed, const Bytes& data) {
    Bytes h(26, 0);
    std::copy_n("-lh0-", 5, h.begin() + 2);
    h[19] = 0x20;
    h[20] = 2;
    h[23] = 'U';
    PutLe16(h, 21, Crc16Update(0, data));
    PutLe16(h, 24, static_cast<std::uint32_t>(3 + name.size()));
    h.push_back(0x01);
    Append(h, name);
    h.insert(h.end(), {19, 0, 0x42});
    for (std::uint64_t v : {packed, std::uint64_t{data.size()}})
        for (int i = 0; i < 8; ++i) h.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    h.insert(h.end(), {0, 0});
    PutLe16(h, 0, static_cast<std::uint32_t>(h.size()));
    h.insert(h.end(), data.begin(), data.end());
    return h;
}

TEST(UnLHA, ASizeThatWrapsRoundIsDamageNotALoop) {
    struct WalkRunaway {};
    // A packed size that takes the data end from dataPos round to the start of the file.
    auto wrapsToStart = [](std::uint64_t dataPos) { return std::uint64_t{0} - dataPos; };
    const std::uint64_t headerLength = Level2Stored("a.txt", 0, {}).size();
    // The member's data end wraps round to the same header. The extractor reads
    // that header from its buffer, so a walk that skips it forever cannot be told
    // from outside: the mask matches, and OnBegin counts.
    Bytes same = Level2Stored("a.txt", wrapsToStart(headerLength), {});
    // Back to a header 70,000 bytes earlier: every round reads the file again, so
    // a skipped member is caught too.
    Bytes far = Level2Stored("pad.bin", 70000, Bytes(70000, 'p'));
    Bytes second = Level2Stored("b.txt", wrapsToStart(far.size() + headerLength), {});
    far.insert(far.end(), second.begin(), second.end());
    struct Case {
        const char* what;
        const Bytes* archive;
        const char* mask;
        const char* extracted;
    } cases[] = {
        {"same header", &same, "*.*", nullptr},
        {"earlier header", &far, "*.*", "pad.bin"},
        {"earlier header, mask matches nothing", &far, "NONE.TXT", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExtractRun r;
        TUnLHA x(*r.context);
        r.fs->readBudget = 1000;
        int begun = 0;
        x.OnBegin = [&](ArchiveReader&, const std::string&, int, bool&) {
            if (++begun > 100) throw WalkRunaway{};
        };
        try {
            r.Run(x, r.Craft("wrap.lzh", *c.archive), c.mask);
        } catch (const WalkRunaway&) {
            ADD_FAILURE() << "the same members came round again and again";
            continue;
        } catch (const ReadBudgetSpent&) {
            ADD_FAILURE() << "the walk did not end";
            continue;
        }
        EXPECT_EQ(r.raised, eReadError);
        EXPECT_TRUE(r.Said(eReadError));
        std::map<std::string, Bytes> files = r.Files();
        if (c.extracted) {
            EXPECT_EQ(files, (std::map<std::string, Bytes>{{c.extracted, Bytes(70000, 'p')}}));
        } else {
            EXPECT_TRUE(files.empty());
        }
    }
}

TEST(UnLHA, RefusesOtherKindsAndMissingNames) {
    ExtractRun r;
    TUnLHA x(*r.context);
    r.Run(x, "made/method0.arj");
    EXPECT_EQ(r.raised, eWrongArchiveType);
    ExtractRun none;
    TUnLHA y(*none.context);
    none.Run(y, "made/no-such.lzh");
    EXPECT_EQ(none.raised, eInvalidFileName);
}

}  // namespace
}  // namespace kv::arc::test
