#include "archive/formats/ZipExtractor.h"

#include <gtest/gtest.h>

#include "ExtractTestSupport.h"
#include "ZipFixture.h"
#include "archive/SafePath.h"

namespace kv::arc::test {
namespace {

using Unzip = ExtractRun<TUnZIP>;

TEST(UnZIP, EveryMemberMatchesWhatUnzipListsWithDateAndAttributes) {
    for (const char* archive : {"made/stored.zip", "made/deflate.zip", "made/fast.zip", "made/best.zip",
                                "made/comment.zip", "made/zip64.zip", "made/password.zip",
                                "made/sfx-adjusted.exe", "made/sfx-unadjusted.exe"}) {
        SCOPED_TRACE(archive);
        Unzip u(archive);
        u.x.Passwords = {"not it", "secret"};
        ASSERT_EQ(u.Run(), 0);
        EXPECT_TRUE(u.log.errors.empty());
        auto listed = ExpectedListing(archive);
        ASSERT_FALSE(listed.empty());
        for (const auto& m : listed) {
            SCOPED_TRACE(m.name);
            ASSERT_TRUE(u.out.Has(m.name));
            Bytes bytes = u.out.Read(m.name);
            EXPECT_EQ(bytes.size(), m.size);
            EXPECT_EQ(CrcText(bytes), m.crc);
            std::string path = u.out.Path() + m.name;
            EXPECT_EQ(u.Date(m.name), m.date);
            EXPECT_EQ(u.context->FileSystem().FileAttributes(path) & 1, m.attributes == "01" ? 1u : 0u);
        }
        EXPECT_EQ(u.out.Files().size(), listed.size());
        EXPECT_EQ(u.log.Count("end "), static_cast<int>(listed.size()));
        EXPECT_EQ(u.log.Count("end bad"), 0);
    }
}

TEST(UnZIP, HistoricMethodsGiveTheBytesUnzipGives) {
    struct Case {
        const char* archive;
        const char* member;  // as written without stored folders
        const char* expected;
    } cases[] = {
        {"historic/commons-compress/resources/SHRUNK.ZIP", "TEST1.XML", "expected/commons-compress/SHRUNK.TEST1.XML"},
        {"historic/defacto2-archive/testdata/PKZ80A1.ZIP", "TEST.PCX", "expected/defacto2-archive/TEST.PCX"},
        {"historic/sharpcompress/Archives/Zip.reduce1.zip", "TEST.EXE", "expected/sharpcompress/TEST.EXE"},
        {"historic/sharpcompress/Archives/Zip.reduce2.zip", "TEST.JPG", "expected/sharpcompress/TEST.JPG"},
        {"historic/sharpcompress/Archives/Zip.reduce3.zip", "TEST.EXE", "expected/sharpcompress/TEST.EXE"},
        {"historic/commons-compress/resources/imploding-4Kdict-2trees.zip", "HEADER.TXT",
         "expected/commons-compress/imploding-4K"},
        {"historic/commons-compress/resources/imploding-8Kdict-3trees.zip", "LICENSE.TXT",
         "expected/commons-compress/imploding-8K"},
        {"historic/defacto2-archive/testdata/PKZ110EI.ZIP", "TEST.PCX", "expected/defacto2-archive/TEST.PCX"},
        {"historic/defacto2-archive/testdata/PKZ204EX.ZIP", "TEST.PCX", "expected/defacto2-archive/TEST.PCX"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        auto context = FixtureContext();
        TUnZIP zip(*context);
        ScratchFolder out;
        std::string archive = std::string(KV_FIXTURES_DIR) + "/decoders/zip/" + c.archive;
        for (char& ch : archive)
            if (ch == '/') ch = '\\';
        zip.SetArchiveFile(archive);
        if (zip.ArchiveFile().empty()) zip.SetArchiveFile(FixturePath(c.archive));
        zip.SetExtractDir(out.Path());
        zip.SetFileSpec(c.member);
        int failed = 0;
        zip.OnEnd = [&](ArchiveReader&, const std::string&, bool pass) { failed += !pass; };
        ASSERT_EQ(RunExtract(zip), 0);
        EXPECT_EQ(failed, 0);
        EXPECT_EQ(out.Read(c.member), ZipDecoderFixture(c.expected));
    }
}

TEST(UnZIP, MemberNameListPicksTheStoredPathAmongEqualNames) {
    for (auto [wanted, text] : {std::pair{"two/same.txt", "the second copy, longer\n"},
                                std::pair{"ONE\\same.txt", "the first copy\n"}}) {
        Unzip u("extract/dupnames.zip", false);
        u.context->MemberNames = {wanted};
        ASSERT_EQ(u.Run(), 0);
        EXPECT_EQ(u.out.Files(), std::vector<std::string>{"same.txt"});
        Bytes got = u.out.Read("same.txt");
        EXPECT_EQ(std::string(got.begin(), got.end()), text);
    }
}

TEST(UnZIP, EventsAndWarningsInOrder) {
    {
        Unzip u("extract/badcrc.zip");
        EXPECT_EQ(u.Run(), 0);
        EXPECT_EQ(u.log.events, (std::vector<std::string>{"activate", "begin bad.txt", "error 25117 bad.txt",
                                                          "end bad.txt bad", "begin good.txt", "end good.txt ok",
                                                          "deactivate"}));
    }
    {
        Unzip u("extract/folders.zip");
        EXPECT_EQ(u.Run(), eNothingToDo);
        EXPECT_EQ(u.log.errors, std::vector<int>{eNothingToDo});
        EXPECT_TRUE(u.out.Files().empty());
    }
    {
        // Declined members are not written and end nothing; the rest go on.
        Unzip u("made/deflate.zip");
        u.x.OnBegin = [](ArchiveReader&, const std::string& fn, int, bool& extract) {
            extract = fn.find("numbers") == std::string::npos;
        };
        int asked = 0;
        u.x.OnFileExists = [&](ArchiveReader&, const std::string&, bool&) { ++asked; };
        EXPECT_EQ(u.Run(), 0);
        EXPECT_FALSE(u.out.Has("numbers.txt"));
        EXPECT_TRUE(u.out.Has("readme.txt"));
        EXPECT_EQ(u.log.Count("end numbers"), 0);
        EXPECT_EQ(asked, 0);
        // A second run finds the files there: OnFileExists decides.
        u.x.OnFileExists = [&](ArchiveReader&, const std::string&, bool& accept) {
            ++asked;
            accept = false;
        };
        EXPECT_EQ(u.Run(), 0);
        EXPECT_GT(asked, 0);
    }
    {
        Unzip u("extract/dupnames.zip");
        u.context->MemberNames = {"missing.txt"};
        EXPECT_EQ(u.Run(), eNothingToDo);
    }
    {
        auto context = FixtureContext();
        TUnZIP zip(*context);
        EXPECT_EQ(RunExtract(zip), eInvalidFileName);
        zip.SetArchiveFile(FixturePath("made/gnu.tar"));
        EXPECT_EQ(RunExtract(zip), eWrongArchiveType);
    }
}

TEST(UnZIP, EntriesSharingBytesRefuseTheArchive) {
    // Both entries point at one local header: nothing is written, the archive counts as damaged.
    Unzip u("extract/overlap.zip");
    EXPECT_EQ(u.Run(), eInconsistentLocalHeader);
    EXPECT_EQ(u.log.errors, std::vector<int>{eInconsistentLocalHeader});
    EXPECT_EQ(u.log.Count("begin "), 0);
    EXPECT_TRUE(u.out.Files().empty());
}

TEST(UnZIP, PasswordsInTheirOrder) {
    {
        // Asked once: the fitting password goes to the front of the list and serves the rest.
        Unzip u("made/password.zip");
        std::vector<std::string> answers = {"wrong", "secret"};
        int asked = 0;
        u.x.OnGetPassword = [&](ArchiveReader&, const std::string&, std::string& pw, bool&) { pw = answers[asked++]; };
        EXPECT_EQ(u.Run(), 0);
        EXPECT_EQ(asked, 2);
        EXPECT_EQ(u.log.errors, std::vector<int>{eInvalidPassword});
        EXPECT_EQ(u.x.Passwords, std::vector<std::string>{"secret"});
        EXPECT_EQ(u.out.Files().size(), ExpectedListing("made/password.zip").size());
    }
    {
        Unzip u("made/password.zip");
        int asked = 0;
        u.x.OnGetPassword = [&](ArchiveReader&, const std::string&, std::string& pw, bool&) {
            ++asked;
            pw = "wrong";
        };
        EXPECT_EQ(u.Run(), eNothingToDo);
        EXPECT_EQ(asked, 3);
        EXPECT_EQ(u.log.errors,
                  (std::vector<int>{eInvalidPassword, eInvalidPassword, eInvalidPassword, ePasswordFailed, eNothingToDo}));
        EXPECT_TRUE(u.out.Files().empty());
    }
    {
        Unzip u("made/password.zip");
        EXPECT_EQ(u.Run(), eNothingToDo);
        EXPECT_EQ(u.log.errors, (std::vector<int>{eNoOnPassword, eNothingToDo}));
    }
}

TEST(UnZIP, HostileNamesStayInside) {
    for (bool stored : {true, false}) {
        SCOPED_TRACE(stored);
        Unzip u("made/hostile.zip", stored);
        ASSERT_EQ(u.Run(), 0);
        // "../evil.txt" and "dir/../../evil2.txt" are refused with their folders and
        // land under their bare names without; the rest land inside.
        EXPECT_EQ(u.log.errors, (stored ? std::vector<int>{eInvalidFileName, eInvalidFileName} : std::vector<int>{}));
        auto files = u.out.Files();
        EXPECT_EQ(files.size(), stored ? 8u : 9u) << ::testing::PrintToString(files);
        for (const auto& f : files) EXPECT_TRUE(IsInsideFolder(u.out.Path(), u.out.Path() + f)) << f;
        EXPECT_EQ(u.log.Count("end "), stored ? 8 : 10);
    }
}

TEST(UnZIP, DamagedMemberLeavesNoHalfFile) {
    Bytes zip = ReadFixture("made/deflate.zip");
    // Flip bytes inside numbers.txt's deflate stream.
    auto entries = ZipEntries(zip);
    const ZipEntry& e = FindEntry(entries, "numbers.txt");
    for (std::uint64_t i = e.data + 20; i < e.data + 60; ++i) zip[i] ^= 0x5A;
    ScratchFolder out;
    std::string name = out.Write("damaged.zip", zip);
    auto context = FixtureContext();
    TUnZIP unzip(*context);
    unzip.SetArchiveFile(name);
    unzip.SetExtractDir(out.Path() + "x");
    int id = RunExtract(unzip);
    EXPECT_TRUE(id == eBadBlock || id == eIncompleteCodeSet || id == eBadLengths) << id;
    EXPECT_TRUE(out.Has("x\\readme.txt"));
    EXPECT_FALSE(out.Has("x\\numbers.txt"));
}

}  // namespace
}  // namespace kv::arc::test
