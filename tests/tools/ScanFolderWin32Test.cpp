// scanfolder.exe run as a program on real folder trees: the catalog it saves
// is read back with the program's loader.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <winioctl.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

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

// Wine's mount manager request that defines or removes a drive letter; the
// path that follows it is the host's.
struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};
constexpr DWORD kDefineUnixDrive = CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

// A drive letter for a test folder while it lives. Under Wine the mount
// manager maps it at once, as winecfg does: every process sees it, with the
// label and serial of the folder's .windows-label and .windows-serial, and no
// server restart is needed. Elsewhere a device name as subst makes it.
class MappedDrive {
public:
    explicit MappedDrive(const std::string& folder) {
        for (char c = 'T'; c <= 'Y' && !letter_; ++c) {
            const char root[] = {c, ':', '\\', 0};
            if (GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR && map(c, folder)) letter_ = c;
        }
    }
    ~MappedDrive() {
        if (!letter_) return;
        if (wine_) {
            defineUnix(letter_, nullptr);
        } else {
            const char device[] = {letter_, ':', 0};
            DefineDosDeviceA(DDD_REMOVE_DEFINITION, device, nullptr);
        }
    }
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;
    // 0 when no letter could be mapped.
    char letter() const { return letter_; }

private:
    bool map(char c, const std::string& folder) {
        using UnixName = char*(CDECL*)(LPCWSTR);
        const auto unixName =
            reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
                GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        if (unixName) {
            wine_ = true;
            const std::wstring wide(folder.begin(), folder.end());
            char* path = unixName(wide.c_str());
            if (!path) return false;
            const bool ok = defineUnix(c, path);
            HeapFree(GetProcessHeap(), 0, path);
            return ok;
        }
        const char device[] = {c, ':', 0};
        return DefineDosDeviceA(0, device, folder.c_str()) != FALSE;
    }

    static bool defineUnix(char c, const char* unixPath) {
        HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (manager == INVALID_HANDLE_VALUE) return false;
        const std::size_t pathSize = unixPath ? std::strlen(unixPath) + 1 : 0;
        std::vector<char> request(sizeof(UnixDriveRequest) + pathSize);
        UnixDriveRequest head{};
        head.size = static_cast<ULONG>(request.size());
        head.type = DRIVE_FIXED;
        head.letter = static_cast<WCHAR>(c - 'A' + 'a');
        if (unixPath) {
            head.mountPointOffset = sizeof(UnixDriveRequest);
            std::memcpy(request.data() + sizeof(UnixDriveRequest), unixPath, pathSize);
        }
        std::memcpy(request.data(), &head, sizeof head);
        DWORD returned = 0;
        const BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                                        nullptr, 0, &returned, nullptr);
        CloseHandle(manager);
        return ok != FALSE;
    }

    char letter_ = 0;
    bool wine_ = false;
};

// The real program with a catalog on its command line, its settings under a
// key of its own; ended at the end.
class ProgramWithCatalog {
public:
    explicit ProgramWithCatalog(const std::string& catalog) {
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey + 1);
        SetEnvironmentVariableA("KORVALDER_KEY", kKey);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string command = std::string("\"") + KV_KORVALDER_EXE + "\" \"" + catalog + "\"";
        started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
        SetEnvironmentVariableA("KORVALDER_KEY", nullptr);
    }
    ~ProgramWithCatalog() {
        if (started_) {
            if (main_) PostMessageA(main_, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(pi_.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 99);
            CloseHandle(pi_.hThread);
            CloseHandle(pi_.hProcess);
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey + 1);
    }
    ProgramWithCatalog(const ProgramWithCatalog&) = delete;
    ProgramWithCatalog& operator=(const ProgramWithCatalog&) = delete;

    // The tree pane's catalogs, and the disks of the first, once the catalog
    // shows (or time is up).
    std::pair<int, int> catalogsAndDisks(DWORD ms) {
        std::pair<int, int> seen{0, 0};
        for (DWORD waited = 0; started_ && waited <= ms; waited += 100) {
            if (!main_) main_ = FindWindowA("Korvalder? WndClass", nullptr);
            HWND tree = main_ ? FindWindowExA(main_, nullptr, WC_TREEVIEWA, nullptr) : nullptr;
            seen = {0, 0};
            const HTREEITEM first = tree ? TreeView_GetRoot(tree) : nullptr;
            for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) ++seen.first;
            for (HTREEITEM item = first ? TreeView_GetChild(tree, first) : nullptr; item;
                 item = TreeView_GetNextSibling(tree, item))
                ++seen.second;
            if (seen.first > 0 && seen.second > 0) break;
            Sleep(100);
        }
        return seen;
    }

private:
    static constexpr const char* kKey = "\\Software\\Talvenmoor\\Korvalder? Scan Tool Tests";
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
    HWND main_ = nullptr;
};

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

TEST_F(ScanFolderTool, CataloguesADriveLetterThatTheProgramThenOpens) {
    test::PutFile(test::fs::path(tree) / ".windows-label", "SCAN TEST");
    test::PutFile(test::fs::path(tree) / ".windows-serial", "1a2b3c4d");
    MappedDrive drive(tree);
    ASSERT_NE(drive.letter(), 0) << "no drive letter could be mapped";
    const std::string root = std::string(1, drive.letter()) + ":\\";
    const ToolRun run = RunScanFolder(root + " " + Quoted(out));
    ASSERT_EQ(run.status, 0u) << run.err;

    {
        Forest forest;
        Node* catalog = ReadCatalogFile(forest, out);
        ASSERT_EQ(catalog->children().size(), 1u);
        const Node& disk = *catalog->children().front();
        const auto* rec = RecordAs<TDiskRec>(disk.record());
        ASSERT_NE(rec, nullptr);
        // The whole drive, known by the volume's own label and serial.
        EXPECT_FALSE(rec->isVirtual());
        EXPECT_EQ(rec->volume.serialNumber, 0x1A2B3C4Du);
        EXPECT_FALSE(rec->label.empty());
        EXPECT_EQ(disk.text(), rec->label);
        const std::string dump = test::Dump(disk);
        EXPECT_TRUE(Has(dump, "FILE \\alpha.txt flags=1 attr=32 size=5")) << dump;
        EXPECT_TRUE(Has(dump, "desc=Kept binary\n")) << dump;
        EXPECT_TRUE(Has(dump, "FOLDER \\Sub\\h0-lh5.lzh flags=")) << dump;
        // The volume's marker files are hidden: passed over like any hidden file.
        EXPECT_FALSE(Has(dump, ".windows-")) << dump;
    }

    // The same drive again is the same disk: an update, not a second disk.
    ASSERT_TRUE(DeleteFileA((tree + "\\DESCRIPT.ION").c_str()));
    ASSERT_EQ(RunScanFolder(root + " " + Quoted(out) + " --update").status, 0u);
    {
        Forest forest;
        Node* catalog = ReadCatalogFile(forest, out);
        ASSERT_EQ(catalog->children().size(), 1u);
        EXPECT_TRUE(Has(test::Dump(*catalog->children().front()), "desc=Kept binary\n"));
    }

    // The program opens it: the catalog in its tree with the disk below it.
    ProgramWithCatalog program(out);
    EXPECT_EQ(program.catalogsAndDisks(60000), std::make_pair(1, 1));
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
