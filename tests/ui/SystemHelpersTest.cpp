#include <cstdio>

#include "UiFixture.h"
#include "base/Errors.h"
#include "ui/SystemHelpers.h"
#include "system/files/FileQueries.h"

namespace {

using namespace kv;
using namespace kv::ui;

using SystemHelpersTest = UiTest;

std::string tempFile(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

TEST_F(SystemHelpersTest, FileTimesAsDosDates) {
    SYSTEMTIME st{2024, 5, 0, 3, 12, 30, 44, 0};
    FILETIME local, utc;
    SystemTimeToFileTime(&st, &local);
    LocalFileTimeToFileTime(&local, &utc);
    std::uint32_t dos = FileTimeToDosDate(utc);
    EXPECT_EQ(dos >> 16, static_cast<std::uint32_t>(((2024 - 1980) << 9) | (5 << 5) | 3));
    EXPECT_EQ(dos & 0xFFFF, static_cast<std::uint32_t>((12 << 11) | (30 << 5) | 22));
    FILETIME bad{0xFFFFFFFF, 0xFFFFFFFF};
    EXPECT_THROW(FileTimeToDosDate(bad), kv::Error);
}

TEST_F(SystemHelpersTest, TouchSetsTheDateToNow) {
    std::string name = tempFile("kv_touch.txt");
    FILE* f = std::fopen(name.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fclose(f);
    HANDLE h = CreateFileA(name.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME old{0x10000000, 0x01A00000};
    SetFileTime(h, nullptr, nullptr, &old);
    CloseHandle(h);
    ASSERT_TRUE(TouchFileNow(name));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER a{{data.ftLastWriteTime.dwLowDateTime, data.ftLastWriteTime.dwHighDateTime}};
    ULARGE_INTEGER b{{now.dwLowDateTime, now.dwHighDateTime}};
    EXPECT_LT(b.QuadPart - a.QuadPart, 600000000ULL);  // within a minute
    DeleteFileA(name.c_str());
    EXPECT_FALSE(TouchFileNow(name));
}

TEST_F(SystemHelpersTest, ShortPathFallsBackToTheLongOne) {
    EXPECT_EQ(GetShortPath("Z:\\no\\such\\folder\\long file name.txt"), "Z:\\no\\such\\folder\\long file name.txt");
    std::string name = tempFile("kv long file name.text");
    FILE* f = std::fopen(name.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fclose(f);
    std::string s = GetShortPath(name);
    EXPECT_FALSE(s.empty());
    EXPECT_EQ(GetFileAttributesA(s.c_str()), GetFileAttributesA(name.c_str()));
    DeleteFileA(name.c_str());
}

TEST_F(SystemHelpersTest, MissingPrinterIsToldWithTheFixedText) {
    EXPECT_TRUE(CheckPrinterInstalled(prompt, true));
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_FALSE(CheckPrinterInstalled(prompt, false));
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "No Printers Installed");
    EXPECT_EQ(prompt.asked[0].text,
              "There seems to be no printer installed on your computer.\r\nTo use reports, at least a generic printer "
              "driver must be \r\ninstalled, even if you don't have a printer yourself.");
    EXPECT_EQ(CheckPrinterInstalled(), PrinterInstalled());
}

TEST_F(SystemHelpersTest, NestedLockCountsDownToTheUnlock) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    NestedLockWindowUpdate(w);
    NestedLockWindowUpdate(w);
    EXPECT_EQ(NestedLockCount(), 2);
    NestedLockWindowUpdate(nullptr);
    EXPECT_EQ(NestedLockCount(), 1);
    NestedLockWindowUpdate(nullptr);
    NestedLockWindowUpdate(nullptr);  // already unlocked: stays 0
    EXPECT_EQ(NestedLockCount(), 0);
    DestroyWindow(w);
}

TEST_F(SystemHelpersTest, FilesAndFoldersFoundAndWhyNot) {
    const std::string folder = tempFile("");
    const std::string file = tempFile("kv_find_me.txt");
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    EXPECT_TRUE(FileExistsByFind(file));
    EXPECT_TRUE(FileExistsByFind(folder));  // with its trailing backslash
    EXPECT_TRUE(FileExistsByFind(folder.substr(0, folder.size() - 1)));
    EXPECT_TRUE(FileExistsByFind("C:\\"));
    EXPECT_FALSE(FileExistsByFind(folder + "kv_find_*.txt"));  // a mask is no path
    EXPECT_FALSE(FileExistsByFind(""));
    DeleteFileA(file.c_str());
    EXPECT_FALSE(FileExistsByFind(file));
    EXPECT_EQ(LastIOResult(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(LastIOResult(), 0u);  // read once
    EXPECT_FALSE(FileExistsByFind(folder + "kv_no_such_folder\\file.txt"));
    EXPECT_EQ(LastIOResult(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(SystemHelpersTest, CaptionFontIsTheSystems) {
    NONCLIENTMETRICSA m{};
    m.cbSize = 340;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, m.cbSize, &m, 0));
    LOGFONTA f = GetCaptionFont();
    EXPECT_STREQ(f.lfFaceName, m.lfCaptionFont.lfFaceName);
    EXPECT_EQ(f.lfHeight, m.lfCaptionFont.lfHeight);
    EXPECT_EQ(f.lfWeight, m.lfCaptionFont.lfWeight);
}

}  // namespace
