#include <gtest/gtest.h>

#include <windows.h>

#include "scan/DiskScanner.h"
#include "tests/scan/ScanTree.h"

namespace kv {
namespace {

// A folder whose name the ANSI code page cannot spell is still walked: through
// its short name, while the catalog keeps the ANSI form.
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
    // The short name may or may not exist; when it does, the file inside is found.
    if (entries[0].pathName != entries[0].name) {
        EXPECT_NE(dump.find("inside.txt"), std::string::npos) << dump;
    }
}

}  // namespace
}  // namespace kv
