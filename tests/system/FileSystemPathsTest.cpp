#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "system/files/FileSystem.h"
#include "tests/support/TempDir.h"

namespace kv {
namespace {

std::string Backslashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The program builds its paths with "\": every call takes them on any host.
TEST(FileSystemPaths, BackslashPathsReachTheFiles) {
    test::TempDir dir;
    auto files = MakeSystemFileSystem();
    const std::string folder = Backslashed(dir.file(""));
    const std::string a = Backslashed(dir.file("a.txt"));
    const std::string b = Backslashed(dir.file("b.txt"));
    std::ofstream(dir.file("a.txt"), std::ios::binary) << "12345";

    EXPECT_EQ(files->FileSize(a), 5u);
    const std::string temp = files->CreateTempFile(folder, "kv");
    EXPECT_TRUE(std::filesystem::exists(temp)) << temp;
    EXPECT_EQ(files->MoveReplace(a, b), FsStatus::Ok);
    EXPECT_EQ(files->FileSize(b), 5u);
    EXPECT_FALSE(files->FileSize(a).has_value());
    EXPECT_EQ(files->Erase(b), FsStatus::Ok);
    EXPECT_FALSE(std::filesystem::exists(dir.file("b.txt")));
}

}  // namespace
}  // namespace kv
