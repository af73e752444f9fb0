#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "scan/DiskScanner.h"
#include "tests/scan/ScanTree.h"

namespace kv {
namespace {

// A folder whose name the ANSI code page cannot spell is still walked, while
// the catalog keeps the ANSI form.
TEST(FolderListing, NamesOutsideTheCodePageAreWalked) {
    test::TempDir dir;
    const std::string root = dir.file("tree");
    std::filesystem::create_directories(root);
    const std::wstring wideRoot(root.begin(), root.end());
    const std::wstring folder = wideRoot + L"\\\x65E5\x672C";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    HANDLE h = CreateFileW((folder + L"\\inside.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, "abc", 3, &written, nullptr);
    CloseHandle(h);

    auto files = MakeSystemFileSystem();
    const auto entries = files->ListFolder(root);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name.find('?') != std::string::npos, true) << entries[0].name;

    IScanProgress progress;
    DiskScanner scanner(ScanServices(*files, progress), ScanOptions{});
    Forest forest;
    Node& cat = test::NewCatalog(forest);
    ScanRequest r;
    r.catalog = &cat;
    r.mediumRoot = root;
    Node* disk = scanner.ScanDisk(r);
    ASSERT_NE(disk, nullptr) << scanner.FailureText();
    const std::string dump = test::Dump(*disk);
    // Through the short name where there is one, else through the wide path.
    EXPECT_NE(dump.find("inside.txt"), std::string::npos) << dump;
    EXPECT_EQ(scanner.UnreadableFolderCount(), 0u);
}

// A folder whose name has no short form is reached by its wide path; what
// the listing finds there carries one too. A folder that is not there is out
// of reach, not a failing medium.
TEST(FolderListing, AWideFolderIsListedByItsWidePath) {
    test::TempDir dir;
    const std::string root = dir.file("wide");
    std::filesystem::create_directories(root);
    const std::wstring folder = std::wstring(root.begin(), root.end()) + L"\\\x65E5\x672C";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((folder + L"\\\x8A9E").c_str(), nullptr));
    HANDLE h = CreateFileW((folder + L"\\inside.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);

    auto files = MakeSystemFileSystem();
    std::vector<FolderEntry> entries = files->ListWideFolder(root + "\\??", folder);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "?");
    EXPECT_EQ(entries[0].widePath, folder + L"\\\x8A9E");
    EXPECT_EQ(entries[1].name, "inside.txt");
    EXPECT_EQ(entries[1].widePath, folder + L"\\inside.txt");
    EXPECT_TRUE(files->ListWideFolder("empty", entries[0].widePath).empty());

    try {
        files->ListFolder(root + "\\missing");
        ADD_FAILURE() << "a missing folder was listed";
    } catch (const EListFolderError& e) {
        EXPECT_FALSE(e.deviceError()) << e.what();
    }
}

FILETIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME st{year, month, 0, day, hour, minute, second, 0};
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    return ft;
}

// What the system gives for one time stamp asked on its own.
std::uint32_t SystemDosStamp(const FILETIME& utc) {
    FILETIME local{};
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time)) return 0;
    return (std::uint32_t{date} << 16) | time;
}

// The listing converts times in bulk; each entry must still read as the
// system's own per-file answer, in any zone (a second run of this test uses
// one far from UTC) and at the ends of the DOS range.
TEST(FolderListing, EntriesMatchThePerFileAnswers) {
    test::TempDir dir;
    const std::string root = dir.file("stamps");
    const struct {
        const char* name;
        FILETIME written, created;
        DWORD attributes;
        std::size_t size;
    } cases[] = {
        {"odd.txt", Utc(2001, 2, 3, 4, 5, 7), Utc(1999, 12, 31, 23, 59, 59), FILE_ATTRIBUTE_ARCHIVE, 3},
        {"dos-start.bin", Utc(1980, 1, 1, 0, 0, 0), Utc(1980, 1, 2, 12, 0, 0), FILE_ATTRIBUTE_READONLY, 0},
        {"before-dos.bin", Utc(1975, 6, 1, 12, 0, 0), Utc(1970, 1, 1, 0, 0, 0), FILE_ATTRIBUTE_HIDDEN, 10},
        {"dos-end.bin", Utc(2107, 12, 31, 22, 0, 0), Utc(2107, 12, 31, 23, 59, 58), FILE_ATTRIBUTE_ARCHIVE, 1},
        {"past-dos.bin", Utc(2110, 1, 1, 0, 0, 0), Utc(2024, 2, 29, 12, 30, 0), FILE_ATTRIBUTE_SYSTEM, 2},
    };
    for (const auto& c : cases) {
        const std::string path = root + "\\" + c.name;
        test::PutFile(path, std::string(c.size, 'x'));
        HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
        ASSERT_TRUE(SetFileTime(h, &c.created, &c.written, &c.written)) << path;
        CloseHandle(h);
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes)) << path;
    }

    const auto entries = MakeSystemFileSystem()->ListFolder(root);
    ASSERT_EQ(entries.size(), std::size(cases));
    for (const FolderEntry& e : entries) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ASSERT_TRUE(GetFileAttributesExA((root + "\\" + e.name).c_str(), GetFileExInfoStandard, &data)) << e.name;
        EXPECT_EQ(e.pathName, e.name);
        EXPECT_EQ(e.attributes, data.dwFileAttributes & 0xFF) << e.name;
        EXPECT_EQ(e.size, data.nFileSizeLow) << e.name;
        EXPECT_EQ(e.modified, SystemDosStamp(data.ftLastWriteTime)) << e.name;
        EXPECT_EQ(e.created, SystemDosStamp(data.ftCreationTime)) << e.name;
        EXPECT_EQ(e.accessed, SystemDosStamp(data.ftLastAccessTime)) << e.name;
    }
    // The answers are not all "no time": the ordinary stamp converts.
    const auto odd = std::find_if(entries.begin(), entries.end(), [](const FolderEntry& e) { return e.name == "odd.txt"; });
    ASSERT_NE(odd, entries.end());
    EXPECT_NE(odd->modified, 0u);
}

}  // namespace
}  // namespace kv
