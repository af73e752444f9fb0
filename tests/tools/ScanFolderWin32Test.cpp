// scanfolder.exe run as a program on real folder trees: the catalog it saves
// is read back with the program's loader.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>

#include "catalog/file/CatalogLoad.h"
#include "tests/scan/ScanTree.h"

namespace kv {
namespace {

struct ToolRun {
    DWORD status = 0;
    std::string err;
};

// Runs scanfolder.exe with the arguments, its standard error captured.
ToolRun RunScanFolder(const std::string& args) {
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    EXPECT_TRUE(CreatePipe(&readEnd, &writeEnd, &sa, 0));
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    PROCESS_INFORMATION pi{};
    std::string command = std::string("\"") + KV_SCANFOLDER_EXE + "\" " + args;
    ToolRun run;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        ADD_FAILURE() << "cannot start " << command;
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return run;
    }
    CloseHandle(writeEnd);
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got) run.err.append(buffer, got);
    WaitForSingleObject(pi.hProcess, INFINITE);
    GetExitCodeProcess(pi.hProcess, &run.status);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(readEnd);
    return run;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Last write 2001-02-03 04:05:06 UTC; DOS date 0x2A43, time 0x20A3 with the UTC zone Wine runs in.
void SetTimes(const std::string& path, int minute = 5) {
    SYSTEMTIME st{2001, 2, 0, 3, 4, static_cast<WORD>(minute), 6, 0};
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    SetFileTime(h, &ft, &ft, &ft);
    CloseHandle(h);
}

void CopyFixture(const std::string& fixture, const std::string& to) {
    ASSERT_TRUE(CopyFileA((std::string(KV_FIXTURES_DIR) + "/archives/" + fixture).c_str(), to.c_str(), FALSE))
        << fixture;
    SetTimes(to);
}

bool Has(const std::string& dump, const std::string& line) { return dump.find(line) != std::string::npos; }

struct ScanFolderTool : ::testing::Test {
    test::TempDir dir;
    std::string tree = dir.file("Tree");
    std::string out = dir.file("out.ctf");

    void SetUp() override {
        test::PutFile(test::fs::path(tree) / "ALPHA.TXT", "alpha");
        test::PutFile(test::fs::path(tree) / "keep.bin", std::string(3000, 'k'));
        test::PutFile(test::fs::path(tree) / "Sub" / "Inner.dat", "inner");
        test::PutFile(test::fs::path(tree) / "hidden.txt", "h");
        test::PutFile(test::fs::path(tree) / "DESCRIPT.ION", "alpha.txt First file\r\nkeep.bin Kept binary\r\n");
        for (const char* f : {"ALPHA.TXT", "keep.bin", "Sub\\Inner.dat", "hidden.txt"}) SetTimes(tree + "\\" + f);
        ASSERT_TRUE(SetFileAttributesA((tree + "\\keep.bin").c_str(), FILE_ATTRIBUTE_READONLY));
        ASSERT_TRUE(SetFileAttributesA((tree + "\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
        CopyFixture("made/comment.zip", tree + "\\comment.zip");
        CopyFixture("made/h0-lh5.lzh", tree + "\\Sub\\h0-lh5.lzh");
    }

    std::string dumpOut() {
        Forest forest;
        Node* catalog = ReadCatalogFile(forest, out);
        EXPECT_EQ(catalog->children().size(), 1u);
        return catalog->children().empty() ? std::string() : test::Dump(*catalog->children().front());
    }
};

TEST_F(ScanFolderTool, CataloguesAFolderWithArchivesAndDescriptions) {
    const ToolRun run = RunScanFolder(Quoted(tree) + " " + Quoted(out));
    ASSERT_EQ(run.status, 0u) << run.err;
    const std::string dump = dumpOut();
    const std::string when = " mod=" + std::to_string((0x2A43u << 16) | 0x20A3u);
    // All-caps names are lower-cased; the read-only bit is kept; the hidden file is skipped.
    EXPECT_TRUE(Has(dump, "FILE \\alpha.txt flags=1 attr=32 size=5" + when + " cat=0 desc=First file\n")) << dump;
    EXPECT_TRUE(Has(dump, "FILE \\keep.bin flags=1 attr=33 size=3000" + when + " cat=0 desc=Kept binary\n")) << dump;
    EXPECT_TRUE(Has(dump, "FILE \\Sub\\Inner.dat flags=1 attr=32 size=5" + when)) << dump;
    EXPECT_FALSE(Has(dump, "hidden.txt")) << dump;
    // Both archives are folders of their members.
    EXPECT_TRUE(Has(dump, "FOLDER \\comment.zip flags=")) << dump;
    EXPECT_TRUE(Has(dump, "FOLDER \\Sub\\h0-lh5.lzh flags=")) << dump;
    EXPECT_TRUE(Has(dump, "FILE \\Sub\\h0-lh5.lzh\\")) << dump;
    EXPECT_TRUE(Has(dump, "FILE \\comment.zip\\")) << dump;

    // Without archives and descriptions the same tree gives plain files.
    const ToolRun plain = RunScanFolder(Quoted(tree) + " " + Quoted(out) + " --no-archives --no-descriptions");
    ASSERT_EQ(plain.status, 0u) << plain.err;
    const std::string flat = dumpOut();
    EXPECT_TRUE(Has(flat, "FILE \\comment.zip flags=1")) << flat;
    EXPECT_TRUE(Has(flat, "FILE \\alpha.txt flags=1 attr=32 size=5" + when + " cat=0 desc=\n")) << flat;
    EXPECT_FALSE(Has(flat, "FOLDER \\comment.zip")) << flat;
}

TEST_F(ScanFolderTool, UpdateCarriesDescriptionsOfUnchangedFilesOver) {
    ASSERT_EQ(RunScanFolder(Quoted(tree) + " " + Quoted(out)).status, 0u);
    // The description file goes, one described file changes and a file is added.
    ASSERT_TRUE(DeleteFileA((tree + "\\DESCRIPT.ION").c_str()));
    test::PutFile(test::fs::path(tree) / "ALPHA.TXT", "alpha, longer now");
    SetTimes(tree + "\\ALPHA.TXT");
    test::PutFile(test::fs::path(tree) / "new.txt", "new");

    const ToolRun run = RunScanFolder(Quoted(tree) + " " + Quoted(out) + " --update");
    ASSERT_EQ(run.status, 0u) << run.err;
    const std::string dump = dumpOut();  // one disk: the old one was replaced
    EXPECT_TRUE(Has(dump, "FILE \\keep.bin flags=1 attr=33 size=3000")) << dump;
    EXPECT_TRUE(Has(dump, "desc=Kept binary\n")) << dump;
    EXPECT_TRUE(Has(dump, "FILE \\alpha.txt flags=1 attr=32 size=17")) << dump;
    EXPECT_FALSE(Has(dump, "First file")) << dump;
    EXPECT_TRUE(Has(dump, "FILE \\new.txt")) << dump;

    // Another folder has another virtual root: no disk matches, so one is added.
    const std::string other = dir.file("Other");
    test::PutFile(test::fs::path(other) / "x.txt", "x");
    ASSERT_EQ(RunScanFolder(Quoted(other) + " " + Quoted(out) + " --update").status, 0u);
    Forest forest;
    EXPECT_EQ(ReadCatalogFile(forest, out)->children().size(), 2u);
}

TEST_F(ScanFolderTool, FailuresLeaveTheOutputUntouched) {
    ASSERT_EQ(RunScanFolder(Quoted(tree) + " " + Quoted(out)).status, 0u);
    const std::string before = ReadBytes(out);
    ASSERT_FALSE(before.empty());

    const std::string garbage = dir.file("garbage.ctf");
    std::ofstream(garbage, std::ios::binary) << "not a catalog";
    const struct {
        std::string args;
        std::string target;  // the file that must stay as it was
    } cases[] = {
        {Quoted(dir.file("missing")) + " " + Quoted(out), out},
        {Quoted(dir.file("missing")) + " " + Quoted(out) + " --update", out},
        {Quoted(tree) + " " + Quoted(garbage) + " --update", garbage},
        {Quoted(tree) + " " + Quoted(out) + " --bogus", out},
        {Quoted(tree), out},
    };
    for (const auto& c : cases) {
        const std::string old = ReadBytes(c.target);
        const ToolRun run = RunScanFolder(c.args);
        EXPECT_EQ(run.status, 1u) << c.args;
        EXPECT_FALSE(run.err.empty()) << c.args;
        EXPECT_EQ(ReadBytes(c.target), old) << c.args;
    }
    EXPECT_EQ(ReadBytes(out), before);
}

}  // namespace
}  // namespace kv
