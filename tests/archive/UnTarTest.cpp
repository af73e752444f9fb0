#include "archive/formats/TarExtractor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "ExtractTestSupport.h"
#include "archive/SafePath.h"

namespace kv::arc::test {
namespace {

using Untar = ExtractRun<TUnTAR>;

TEST(UnTAR, EveryFormatGivesTheFilesTarLists) {
    // tar stores no checksum: the same tree's files in the ZIP listing give them.
    std::map<std::string, std::string> crcs;
    for (const auto& m : ExpectedListing("made/deflate.zip")) crcs[m.name] = m.crc;
    for (const char* archive : {"made/gnu.tar", "made/ustar.tar", "made/v7.tar", "made/pax.tar", "made/label.tar",
                                "historic/patool/data/t.tar"}) {
        SCOPED_TRACE(archive);
        Untar u(archive);
        ASSERT_EQ(RunExtract(u.x), 0);
        EXPECT_TRUE(u.log.errors.empty());
        auto listed = ExpectedListing(archive);
        ASSERT_FALSE(listed.empty());
        for (const auto& m : listed) {
            SCOPED_TRACE(m.name);
            ASSERT_TRUE(u.out.Has(m.name));
            Bytes bytes = u.out.Read(m.name);
            EXPECT_EQ(bytes.size(), m.size);
            if (crcs.count(m.name)) {
                EXPECT_EQ(CrcText(bytes), crcs[m.name]);
            }
            EXPECT_EQ(u.Date(m.name), m.date);
        }
        EXPECT_EQ(u.out.Files().size(), listed.size());
        EXPECT_EQ(u.log.Count("end "), static_cast<int>(listed.size()));
    }
}

TEST(UnTAR, LinksAreNeverCreatedFoldersAre) {
    Untar u("extract/links.tar");
    ASSERT_EQ(RunExtract(u.x), 0);
    EXPECT_EQ(u.out.Files(), std::vector<std::string>{"dir\\file.txt"});
    // The hard link's data is another member's: it is named, not passed over in silence.
    EXPECT_EQ(u.log.errors, std::vector<int>{eNothingToDo});
    std::error_code ec;
    std::string host = u.out.Path();
    for (char& c : host)
        if (c == '\\') c = '/';
    EXPECT_TRUE(std::filesystem::is_directory(host + "empty", ec));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(host + "dir/symlink.txt", ec)));
}

TEST(UnTAR, AHardLinkAloneIsNothingToDo) {
    Untar u("extract/links.tar");
    u.x.SetFileSpec("hardlink.txt");
    EXPECT_EQ(RunExtract(u.x), eNothingToDo);
    EXPECT_EQ(u.log.errors, std::vector<int>{eNothingToDo});
    EXPECT_TRUE(u.out.Files().empty());
}

TEST(UnTAR, AMemberCutShortIsDamageAndGoes) {
    // readme.txt declares 288 bytes; the archive ends after 100 of them.
    ScratchFolder work;
    Bytes tar = ReadFixture("made/gnu.tar");
    tar.resize(512 + 100);
    std::string name = work.Write("cut.tar", tar);
    for (const char* mask : {"readme.txt", "*.*"}) {
        SCOPED_TRACE(mask);
        auto context = FixtureContext();
        TUnTAR untar(*context);
        untar.SetArchiveFile(name);
        untar.SetExtractDir(work.Path() + "out");
        untar.SetFileSpec(mask);
        EventLog log;
        log.Attach(untar);
        EXPECT_EQ(RunExtract(untar), eReadError);
        EXPECT_EQ(log.Count("end "), 0);
        EXPECT_FALSE(work.Has("out\\readme.txt"));
    }
}

TEST(UnTAR, ANamedMemberEndsTheWalk) {
    Untar one("made/gnu.tar");
    one.x.SetFileSpec("numbers.txt");
    ASSERT_EQ(RunExtract(one.x), 0);
    EXPECT_EQ(one.out.Files(), std::vector<std::string>{"numbers.txt"});
    EXPECT_EQ(one.log.Count("begin "), 1);

    // '?' is a wildcard too: every match is taken.
    Untar some("made/gnu.tar");
    some.x.SetFileSpec("??????.txt");
    ASSERT_EQ(RunExtract(some.x), 0);
    EXPECT_EQ(some.out.Files(), (std::vector<std::string>{"future.txt", "readme.txt"}));
}

TEST(UnTAR, HostileAndDamagedArchives) {
    for (bool stored : {true, false}) {
        Untar u("made/hostile.tar", stored);
        ASSERT_EQ(RunExtract(u.x), 0);
        // The two names with ".." are refused with their folders, bare without.
        EXPECT_EQ(u.log.errors, (stored ? std::vector<int>{eInvalidFileName, eInvalidFileName} : std::vector<int>{}));
        for (const auto& f : u.out.Files()) EXPECT_TRUE(IsInsideFolder(u.out.Path(), u.out.Path() + f)) << f;
        EXPECT_EQ(u.log.Count("end "), stored ? 8 : 10);
    }

    ScratchFolder work;
    Bytes tar = ReadFixture("made/gnu.tar");
    for (auto [cut, flip, want] : {std::tuple{std::size_t{9000}, false, eReadError},
                                   std::tuple{tar.size(), true, eBadFileHeader}}) {
        Bytes damaged(tar.begin(), tar.begin() + static_cast<std::ptrdiff_t>(cut));
        if (flip) damaged[1024 + 5] ^= 0x40;  // inside the second header's name
        std::string name = work.Write("damaged.tar", damaged);
        auto context = FixtureContext();
        TUnTAR untar(*context);
        untar.SetArchiveFile(name);
        untar.SetExtractDir(work.Path() + "out");
        EXPECT_EQ(RunExtract(untar), want);
    }
}

}  // namespace
}  // namespace kv::arc::test
