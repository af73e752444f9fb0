// catsearch run as a program on catalogs that catcopy rewrote through the save.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/DosDateTime.h"
#include "tests/catalog/CatalogPlan.h"
#include "tests/catalog/FileBytes.h"
#include "tests/catalog/SampleCatalog.h"
#include "tests/support/TempDir.h"
#include "tests/tools/CatalogCopy.h"

namespace kv::test {
namespace {

std::uint32_t Dos(int y, int mo, int d, int h = 12, int mi = 0) { return encodeDosDateTime({y, mo, d, h, mi, 0}); }

// Disk "Backup": song.mp3 (5 MB, Music), Notes.TXT ("todo list"), Docs with a
// second song.mp3, a second notes.txt (other attributes) and report.doc (flag Keep).
CatalogPlan MusicCatalog() {
    CatalogPlan c;
    c.name = "Music";
    c.categories = {{"Music", 3}};
    c.flagNames = {"Keep", "", ""};
    DiskPlan disk;
    disk.start.name = "Backup";
    disk.start.fileSystem = "FAT";
    const std::uint32_t song = 5 * 1024 * 1024;
    disk.files = {{"song.mp3", {0x20, Dos(2020, 5, 17), Dos(2020, 5, 17, 14), Dos(2021, 1, 1), song, 3}, ""},
                  {"Notes.TXT", {0x21, Dos(2019, 1, 1), Dos(2019, 1, 1, 23, 59), Dos(2019, 2, 1), 1000, 0},
                   "todo list"}};
    FolderPlan docs;
    docs.name = "Docs";
    docs.files = {{"song.mp3", {0x20, Dos(2020, 5, 18), Dos(2020, 5, 17, 14), Dos(2021, 1, 1), song, 0}, ""},
                  {"notes.txt", {0x20, Dos(2019, 1, 1), Dos(2019, 1, 1, 23, 59), Dos(2019, 2, 1), 1000, 0}, ""},
                  {"report.doc", {0x20, Dos(2018, 3, 3), Dos(2018, 3, 4), Dos(2018, 3, 5), 2048, 0x20}, ""}};
    disk.folders.push_back(docs);
    c.disks.push_back(disk);
    return c;
}

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CatSearch : public ::testing::Test {
protected:
    void SetUp() override {
        sample_ = Rewritten("sample", makeSampleCatalog().bytes.bytes());
        music_ = Rewritten("music", BytesOf(MusicCatalog()));
    }

    // Through the program's writer: every disk is written again from memory.
    std::string Rewritten(const std::string& name, const Bytes& bytes) {
        WriteFile(dir_.file(name + ".in"), bytes);
        std::string messages;
        EXPECT_EQ(tools::CopyCatalog(dir_.file(name + ".in"), dir_.file(name + ".ctf"), true, messages),
                  SaveResult::Saved)
            << messages;
        return dir_.file(name + ".ctf");
    }

    ToolRun Search(const std::string& args) {
        const std::string err = dir_.file("stderr");
        FILE* p = popen((std::string(KV_CATSEARCH) + " " + args + " 2>" + err).c_str(), "r");
        ToolRun r;
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
            r.out.append(buf, n);
        const int raw = pclose(p);
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ostringstream text;
        text << std::ifstream(err).rdbuf();
        r.err = text.str();
        return r;
    }

    TempDir dir_;
    std::string sample_, music_;
};

TEST_F(CatSearch, CriteriaOverTwoCatalogs) {
    struct Case {
        std::string args;
        std::string out;
    };
    const std::string everything =
        "Photos\\\tdisk\nPhotos\\a.txt\tfile\nPhotos\\b.txt\tfile\nPhotos\\A\tfolder\nPhotos\\A\\c.dat\tfile\n"
        "Photos\\A\\A1\tfolder\nPhotos\\B\tfile\nPhotos\\B\\d.dat\tmember\nEmpty\\\tdisk\nBackup\\\tdisk\n"
        "Backup\\song.mp3\tfile\nBackup\\Notes.TXT\tfile\nBackup\\Docs\tfolder\nBackup\\Docs\\song.mp3\tfile\n"
        "Backup\\Docs\\notes.txt\tfile\nBackup\\Docs\\report.doc\tfile\n";
    const Case cases[] = {
        {"--name mask:*", everything},
        // A mask ignores case even with --case; part and exact names do not.
        {"--name mask:*.TXT --case --what files",
         "Photos\\a.txt\tfile\nPhotos\\b.txt\tfile\nBackup\\Notes.TXT\tfile\nBackup\\Docs\\notes.txt\tfile\n"},
        {"--name part:OTES --what files", "Backup\\Notes.TXT\tfile\nBackup\\Docs\\notes.txt\tfile\n"},
        {"--name part:Notes --case", "Backup\\Notes.TXT\tfile\n"},
        {"--name exact:SONG.MP3", "Backup\\song.mp3\tfile\nBackup\\Docs\\song.mp3\tfile\n"},
        {"--name ext:*.dat,doc", "Photos\\A\\c.dat\tfile\nPhotos\\B\\d.dat\tmember\nBackup\\Docs\\report.doc\tfile\n"},
        {"--name mask:?.dat --no-archives", "Photos\\A\\c.dat\tfile\n"},
        // Mask lists match each mask; extension lists drop what comes before each dot.
        {"--name mask:*.dat,*.doc", "Photos\\A\\c.dat\tfile\nPhotos\\B\\d.dat\tmember\nBackup\\Docs\\report.doc\tfile\n"},
        {"--name \"mask:*.mp3; report.*\"",
         "Backup\\song.mp3\tfile\nBackup\\Docs\\song.mp3\tfile\nBackup\\Docs\\report.doc\tfile\n"},
        {"--name \"ext:*.TXT, .doc ,mp3\"",
         "Photos\\a.txt\tfile\nPhotos\\b.txt\tfile\nBackup\\song.mp3\tfile\nBackup\\Notes.TXT\tfile\n"
         "Backup\\Docs\\song.mp3\tfile\nBackup\\Docs\\notes.txt\tfile\nBackup\\Docs\\report.doc\tfile\n"},
        {"--name mask:* --what folders,disks",
         "Photos\\\tdisk\nPhotos\\A\tfolder\nPhotos\\A\\A1\tfolder\nEmpty\\\tdisk\nBackup\\\tdisk\n"
         "Backup\\Docs\tfolder\n"},
        {"--desc any",
         "Photos\\\tdisk\nPhotos\\b.txt\tfile\nPhotos\\A\\A1\tfolder\nPhotos\\B\\d.dat\tmember\n"
         "Backup\\Notes.TXT\tfile\n"},
        {"--desc text:To-Do", ""},
        {"--desc text:TODO", "Backup\\Notes.TXT\tfile\n"},
        {"--desc none --what files --size larger:300:B",
         "Photos\\B\tfile\nBackup\\song.mp3\tfile\nBackup\\Docs\\song.mp3\tfile\n"
         "Backup\\Docs\\notes.txt\tfile\nBackup\\Docs\\report.doc\tfile\n"},
        {"--size eq:5:MB", "Backup\\song.mp3\tfile\nBackup\\Docs\\song.mp3\tfile\n"},
        // Reversed bounds are swapped; 1000 bytes lie below 1 KB.
        {"--size between:2:1:KB", "Backup\\Docs\\report.doc\tfile\n"},
        {"--size notbetween:1:4:MB --what files,disks",
         "Photos\\a.txt\tfile\nPhotos\\b.txt\tfile\nPhotos\\A\\c.dat\tfile\nPhotos\\B\tfile\n"
         "Photos\\B\\d.dat\tmember\nEmpty\\\tdisk\nBackup\\\tdisk\nBackup\\song.mp3\tfile\n"
         "Backup\\Notes.TXT\tfile\nBackup\\Docs\\song.mp3\tfile\nBackup\\Docs\\notes.txt\tfile\n"
         "Backup\\Docs\\report.doc\tfile\n"},
        // "On" is the whole day: the songs were modified at 14:00.
        {"--date modified:on:2020-05-17", "Backup\\song.mp3\tfile\nBackup\\Docs\\song.mp3\tfile\n"},
        {"--date created:between:2019-12-31:2018-01-01 --what files",
         "Backup\\Notes.TXT\tfile\nBackup\\Docs\\notes.txt\tfile\nBackup\\Docs\\report.doc\tfile\n"},
        // A member's created slot holds its CRC, so d.dat never matches it; the
        // archive B has the archive file's times (none here, so 1980).
        {"--date created:notbetween:1981-01-01:2020-05-17 --what files",
         "Photos\\a.txt\tfile\nPhotos\\b.txt\tfile\nPhotos\\A\\c.dat\tfile\nPhotos\\B\tfile\n"
         "Backup\\Docs\\song.mp3\tfile\n"},
        {"--date accessed:after:2020-12-31", "Backup\\song.mp3\tfile\nBackup\\Docs\\song.mp3\tfile\n"},
        {"--date modified:before:2018-03-05 --what files --name mask:*.doc", "Backup\\Docs\\report.doc\tfile\n"},
        {"--category Music", "Backup\\song.mp3\tfile\n"},
        {"--category KEEP --category holidays", "Photos\\b.txt\tfile\nBackup\\Docs\\report.doc\tfile\n"},
        {"--category \"(Items without category)\" --name mask:*.mp3", "Backup\\Docs\\song.mp3\tfile\n"},
        {"--any --name exact:a.txt --size larger:4:MB",
         "Photos\\a.txt\tfile\nBackup\\song.mp3\tfile\nBackup\\Docs\\song.mp3\tfile\n"},
        {"--all --name exact:a.txt --size larger:4:MB", ""},
        {"--name mask:* --max 3", "Photos\\\tdisk\nPhotos\\a.txt\tfile\nPhotos\\b.txt\tfile\n"},
        // Groups come by first letter, a blank line between them.
        {"--duplicates name,size",
         "Backup\\Notes.TXT\tfile\nBackup\\Docs\\notes.txt\tfile\n\n"
         "Backup\\song.mp3\tfile\nBackup\\Docs\\song.mp3\tfile\n"},
        {"--duplicates name,size,date,attr", "Backup\\song.mp3\tfile\nBackup\\Docs\\song.mp3\tfile\n"},
        // Date alone: files of other sizes pair; the blank lines are the engine's group ends.
        {"--duplicates date --what files",
         "Backup\\Notes.TXT\tfile\nBackup\\Docs\\notes.txt\tfile\n\n"
         "Backup\\song.mp3\tfile\nBackup\\Docs\\song.mp3\tfile\n"},
    };
    for (const Case& c : cases) {
        const ToolRun r = Search(sample_ + " " + music_ + " " + c.args);
        EXPECT_EQ(r.out, c.out) << c.args;
        EXPECT_EQ(r.status, c.out.empty() ? 1 : 0) << c.args;
        EXPECT_EQ(r.err, "") << c.args;
    }
}

TEST_F(CatSearch, BadArgumentsAndUnreadableCatalogsEndWithStatus2) {
    WriteFile(dir_.file("junk.ctf"), {'n', 'o', 'p', 'e'});
    const std::string cases[] = {
        "",  // no catalog
        sample_ + " --name",
        sample_ + " --name glob:x",
        sample_ + " --size between:1:KB",
        sample_ + " --size eq:1:TB",
        sample_ + " --size eq:-1:B",
        sample_ + " --date modified:on:2020-13-01",
        sample_ + " --date changed:on:2020-01-01",
        sample_ + " --what files,links --name mask:*",
        sample_ + " --max many --name mask:*",
        sample_ + " --duplicates name,colour",
        sample_ + " --desc some",
        sample_ + " --frobnicate",
        dir_.file("missing.ctf") + " --name mask:*",
        sample_ + " " + dir_.file("junk.ctf") + " --name mask:*",
    };
    for (const std::string& args : cases) {
        const ToolRun r = Search(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err, "") << args;
    }
}

}  // namespace
}  // namespace kv::test
