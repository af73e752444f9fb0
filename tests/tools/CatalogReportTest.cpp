// catreport run as a program on a catalog that catcopy rewrote through the save.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/catalog/FileBytes.h"
#include "tests/catalog/SampleCatalog.h"
#include "tests/support/TempDir.h"
#include "tests/tools/CatalogCopy.h"

namespace kv::test {
namespace {

struct ToolRun {
    int status = -1;
    std::string err;
    std::vector<std::string> lines;  // of the output file, without CR LF
    bool crlf = true;
};

class CatReport : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(dir_.file("sample.in"), makeSampleCatalog().bytes.bytes());
        std::string messages;
        ASSERT_EQ(tools::CopyCatalog(dir_.file("sample.in"), dir_.file("sample.ctf"), true, messages),
                  SaveResult::Saved)
            << messages;
    }

    ToolRun Report(const std::string& args) {
        const std::string out = dir_.file("out.txt");
        std::filesystem::remove(out);
        const std::string err = dir_.file("stderr");
        const int raw = std::system((std::string(KV_CATREPORT) + " " + args + " 2>" + err).c_str());
        ToolRun r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ostringstream e;
        e << std::ifstream(err).rdbuf();
        r.err = e.str();
        std::ifstream in(out, std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            r.crlf = r.crlf && !line.empty() && line.back() == '\r';
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            r.lines.push_back(line);
        }
        return r;
    }

    TempDir dir_;
};

TEST_F(CatReport, WholeCatalogAsTheGeneratorExportsIt) {
    const ToolRun r = Report(dir_.file("sample.ctf") + " " + dir_.file("out.txt"));
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_GT(r.lines.size(), 10u);
    EXPECT_TRUE(r.crlf);
    EXPECT_EQ(r.lines[0], std::string(80, '='));
    EXPECT_EQ(r.lines[1].substr(0, 15), "Korvalder? 1.01");
    EXPECT_EQ(r.lines[1].size(), 80u);
    EXPECT_EQ(r.lines[3], std::string(33, ' ') + "Custom Report" + std::string(34, ' '));
    std::string body;
    for (std::size_t i = 7; i < r.lines.size(); ++i)
        body += r.lines[i] + '\n';
    const char* const expected[] = {
        "                                 Custom Report                                  ",
        "",
        "********************************************************************************",
        "                                     Sample                                     ",
        "********************************************************************************",
        "",
        "File, Folder or Disk Ext Item Size Item Date         Location Media Type        Folder Category Description      ",
        "-------------------- --- --------- ----------------- -------- ----------------- ------ -------- ---------------- ",
        "Empty                          0 B                   Sample   Floppy 5.25\" DD                                    ",
        "Photos                     2.53 MB 2009-07-06, 12:00 Sample   Virtual Hard disk                 Holiday pictures ",
        "---",
        "Total of 2 disks (2.53 MB)",
        "",
        "================================================================================",
        "                                     Photos                                     ",
        "               Type: Virtual Hard disk, total 2.53 MB (free 0 B)                ",
        "================================================================================",
        "",
        "File, Folder or Disk Ext Item Size Item Date Location Media Type        Folder Category Description ",
        "-------------------- --- --------- --------- -------- ----------------- ------ -------- ----------- ",
        "A                            300 B           Photos   Virtual Hard disk \\                           ",
        "a.txt                txt     100 B           Photos   Virtual Hard disk \\                           ",
        "b.txt                txt     200 B           Photos   Virtual Hard disk \\      Holidays bee         ",
        "B                            400 B           Photos   Virtual Hard disk \\                           ",
        "---",
        "Total of 1 folder (300 B), 3 files (700 B)",
        "",
        "Folder: \\A",
        "----------",
        "File, Folder or Disk Ext Item Size Item Date Location Media Type        Folder Category Description ",
        "-------------------- --- --------- --------- -------- ----------------- ------ -------- ----------- ",
        "A1                             0 B           Photos   Virtual Hard disk \\A              empty       ",
        "c.dat                dat     300 B           Photos   Virtual Hard disk \\A                          ",
        "---",
        "Total of 1 folder (0 B), 1 file (300 B)",
        "",
        "Folder: \\B",
        "----------",
        "File, Folder or Disk Ext Item Size Item Date Location Media Type        Folder Category Description ",
        "-------------------- --- --------- --------- -------- ----------------- ------ -------- ----------- ",
        "d.dat                dat     400 B           Photos   Virtual Hard disk \\B     Work     dee         ",
        "---",
        "Total of 1 file (400 B)",
        "",
        "================================================================================",
        "                           E N D   O F   R E P O R T                            ",
        "================================================================================",
    };
    std::string want;
    for (const char* line : expected)
        want += std::string(line) + '\n';
    EXPECT_EQ(body, want);
}

TEST_F(CatReport, OneFolderWithEverythingBelowIt) {
    const ToolRun r = Report(dir_.file("sample.ctf") + " --folder 'photos\\A' " + dir_.file("out.txt"));
    ASSERT_EQ(r.status, 0) << r.err;
    std::string rows;
    for (const std::string& line : r.lines)
        if (line.starts_with("Folder:") || line.starts_with("A") || line.starts_with("c.dat") ||
            line.starts_with("a.txt") || line.starts_with("Total"))
            rows += line.substr(0, line.starts_with("Total") || line.starts_with("Folder") ? line.npos : line.find(' ')) + '\n';
    // The folder's own row, then its group; nothing of the disk's root.
    EXPECT_EQ(rows, "A\nTotal of 1 folder (300 B)\nFolder: \\A\nA1\nc.dat\nTotal of 1 folder (0 B), 1 file (300 B)\n");
}

TEST_F(CatReport, BadInputExitsWithTwoAndWritesNothing) {
    const std::string out = " " + dir_.file("out.txt");
    const std::string cases[] = {
        "",
        dir_.file("sample.ctf"),
        dir_.file("sample.ctf") + " --folder" ,
        dir_.file("sample.ctf") + " --bogus" + out,
        dir_.file("missing.ctf") + out,
        dir_.file("sample.in.bad") + out,
        dir_.file("sample.ctf") + " --folder 'Photos\\Nowhere'" + out,
        dir_.file("sample.ctf") + " " + dir_.file("no/such/dir/out.txt"),
    };
    WriteFile(dir_.file("sample.in.bad"), {'n', 'o', 'p', 'e'});
    for (const std::string& args : cases) {
        const ToolRun r = Report(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_TRUE(r.err.starts_with("catreport: ")) << args << ": " << r.err;
        EXPECT_TRUE(r.lines.empty()) << args;
    }
}

}  // namespace
}  // namespace kv::test
