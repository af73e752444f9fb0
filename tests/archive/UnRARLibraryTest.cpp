// Our own unrar.dll, loaded from beside this program the way the program loads it,
// driven through the RAR extractor on hand-made stored archives and historic ones.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ArcTestSupport.h"
#include "ExtractTestSupport.h"
#include "archive/formats/RarExtractor.h"

namespace kv::arc::test {
namespace {

class UnRARLibraryTest : public ::testing::Test {
protected:
    // 0 when the extraction ran through; -1 for the silent abort.
    int Run(const std::string& archive, const std::string& mask = "*.*") {
        unrar.SetArchiveFile(archive);
        unrar.SetExtractDir(out.Path());
        unrar.SetFileSpec(mask);
        log.folder = out.Path();
        log.Attach(unrar);
        try {
            unrar.Extract();
            return 0;
        } catch (const EAbort&) {
            return -1;
        }
    }

    std::unique_ptr<ArchiveContext> context = FixtureContext();
    TUnRAR unrar{*context};
    ScratchFolder out;
    EventLog log;
};

TEST_F(UnRARLibraryTest, TheLibraryIsFoundAndExportsWhatTheProgramLoads) { ASSERT_NE(LoadRarLibrary(), nullptr); }

TEST_F(UnRARLibraryTest, StoredMembersComeOutAsPacked) {
    unrar.UseStoredDirs = true;
    ASSERT_EQ(Run(FixturePath("rar/stored.rar")), 0);
    EXPECT_EQ(out.Files(), (std::vector<std::string>{"docs\\notes.txt", "readme.txt"}));
    EXPECT_EQ(out.Read("readme.txt"), ReadFixture("rar/payload/readme.txt"));
    EXPECT_EQ(out.Read("docs\\notes.txt"), ReadFixture("rar/payload/notes.txt"));
    EXPECT_EQ(log.Count("end "), 3);
    EXPECT_EQ(log.Count("error"), 0);
}

TEST_F(UnRARLibraryTest, WithoutStoredFoldersOnlyTheFileNameStays) {
    // Also from behind a self-extractor's program.
    ASSERT_EQ(Run(FixturePath("rar/sfx.exe"), "notes.txt"), 0);
    EXPECT_EQ(out.Files(), std::vector<std::string>{"notes.txt"});
    EXPECT_EQ(out.Read("notes.txt"), ReadFixture("rar/payload/notes.txt"));
}

TEST_F(UnRARLibraryTest, ASplitMemberIsJoinedFromTheNextVolume) {
    ASSERT_EQ(Run(FixturePath("rar/split.rar")), 0);
    EXPECT_EQ(out.Read("big.bin"), ReadFixture("rar/payload/big.bin"));
    EXPECT_EQ(log.events, (std::vector<std::string>{"begin big.bin", "error 25903 RAR New Volume", "end big.bin ok"}));
}

TEST_F(UnRARLibraryTest, AMissingVolumeIsAskedForOnceThenGivenUp) {
    ScratchFolder in;
    std::filesystem::path first = std::filesystem::path(KV_FIXTURES_DIR) / "archives/rar/split.rar";
    std::string host = in.Path();
    for (char& c : host)
        if (c == '\\') c = '/';
    std::filesystem::copy_file(first, host + "split.rar");
    EXPECT_EQ(Run(in.Path() + "split.rar"), -1);
    EXPECT_EQ(log.errors, (std::vector<int>{25903, 25134}));
    EXPECT_EQ(log.events.at(1), "error 25903 RAR Insert Volume");
    EXPECT_TRUE(out.Files().empty());
}

TEST_F(UnRARLibraryTest, DamagedRefusedAndLockedMembersAreToldApart) {
    struct Case {
        std::string member;
        std::vector<std::string> events;
        bool storedFolders = false;
    } cases[] = {
        {"badcrc.txt", {"begin badcrc.txt", "end badcrc.txt bad", "error 25111 RAR Error"}},
        {"locked.txt", {"begin locked.txt", "error 25190 RAR Error"}},
        {"..\\escape.txt", {"error 25139 ..\\escape.txt"}, true},
        // Without stored folders the ".." goes with the folder part: inside, by its bare name.
        {"..\\escape.txt", {"begin escape.txt", "end escape.txt ok"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.member);
        ScratchFolder fresh;
        TUnRAR x(*context);
        EventLog events;
        events.folder = fresh.Path();
        events.Attach(x);
        context->MemberNames = {c.member};
        x.UseStoredDirs = c.storedFolders;
        x.SetArchiveFile(FixturePath("rar/damaged.rar"));
        x.SetExtractDir(fresh.Path());
        try {
            x.Extract();
        } catch (const EAbort&) {
        }
        EXPECT_EQ(events.events, c.events);
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(fresh.Path()).parent_path().parent_path() /
                                             "escape.txt"));
    }
}

TEST_F(UnRARLibraryTest, HistoricArchivesGiveClearAnswers) {
    // A real stored archive, RAR 2.9 with extended times, is extracted and checked.
    unrar.UseStoredDirs = true;
    ASSERT_EQ(Run(FixturePath("historic/libarchive/test/test_read_format_rar_windows.rar")), 0);
    EXPECT_GT(log.Count("end "), 0);
    EXPECT_EQ(log.Count("end "), log.Count("begin "));
    EXPECT_EQ(log.Count("error"), 0);
    const std::string text = "test text file\r\n";
    EXPECT_EQ(out.Read("testdir\\test.txt"), Bytes(text.begin(), text.end()));

    struct Case {
        const char* archive;
        int id;
    } cases[] = {
        {"historic/patool/data/t.rar", 25200},                       // compressed member
        {"historic/rar-test-files/build/testfile.rar5.rar", 25202},  // RAR 5
        {"historic/libarchive/test/test_read_format_rar_encryption_header.rar", 25190},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        TUnRAR x(*context);
        EventLog events;
        events.Attach(x);
        x.SetArchiveFile(FixturePath(c.archive));
        x.SetExtractDir(out.Path());
        EXPECT_THROW(x.Extract(), EAbort);
        EXPECT_EQ(events.errors, std::vector<int>{c.id});
    }
    EXPECT_EQ(ArcMessage(25200), "Unsupported compression method");
}

}  // namespace
}  // namespace kv::arc::test
