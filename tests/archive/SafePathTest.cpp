#include <gtest/gtest.h>

#include "ArcTestSupport.h"
#include "archive/ArchiveComponent.h"
#include "archive/SafePath.h"

namespace kv::arc {
namespace {

constexpr const char* kDir = "C:\\Temp\\x\\";

TEST(SafeTargetPath, HostileNames) {
    struct Case {
        std::string member;
        bool storedFolders;
        std::string expected;  // relative to kDir; empty when refused
        PathRefusal refusal = PathRefusal::None;
    } cases[] = {
        {"a.txt", true, "a.txt"},
        {"dir/sub\\a.txt", true, "dir\\sub\\a.txt"},
        {"dir/sub\\a.txt", false, "a.txt"},
        {"./dir//./a.txt", true, "dir\\a.txt"},
        {"../a.txt", true, "", PathRefusal::ParentReference},
        {"dir\\..\\..\\Start Menu\\Programs\\Startup\\x.exe", true, "", PathRefusal::ParentReference},
        {"..", false, "", PathRefusal::ParentReference},
        {"../a.txt", false, "a.txt"},
        {"dir\\..\\..\\Startup\\x.exe", false, "x.exe"},
        {"dir\\..", false, "", PathRefusal::ParentReference},
        {"C:\\Windows\\win.ini", true, "Windows\\win.ini"},
        {"C:x.txt", true, "x.txt"},
        {"c:/", true, "", PathRefusal::EmptyName},
        {"\\Windows\\win.ini", true, "Windows\\win.ini"},
        {"/etc/passwd", true, "etc\\passwd"},
        {"\\\\server\\share\\a.txt", true, "server\\share\\a.txt"},
        {"\\\\?\\C:\\Windows\\a.txt", true, "Windows\\a.txt"},
        {"//?/UNC/server/share/a.txt", true, "server\\share\\a.txt"},
        {"\\\\.\\PhysicalDrive0", true, "PhysicalDrive0"},
        {"a.txt:evil", true, "a.txt_evil"},
        {"dir:stream\\a.txt", true, "dir_stream\\a.txt"},
        {"CON", true, "_CON"},
        {"nul.txt", true, "_nul.txt"},
        {"dir\\LPT1 .log", true, "dir\\_LPT1 .log"},
        {"com9", true, "_com9"},
        {"COM10", true, "COM10"},
        {"CONOUT$", true, "_CONOUT$"},
        {"console.txt", true, "console.txt"},
        {"aux\\x.txt", true, "_aux\\x.txt"},
        {"a<b>c|d\"e?f*g", true, "a_b_c_d_e_f_g"},
        {"bell\x07.txt", true, "bell_.txt"},
        {"name. . .", true, "name"},
        {"dir. \\a.txt", true, "dir\\a.txt"},
        {".. \\a.txt", true, "a.txt"},  // Windows would take ".. " for ".."
        {"...", true, "", PathRefusal::EmptyName},
        {"dir\\", true, "", PathRefusal::EmptyName},
        {"", true, "", PathRefusal::EmptyName},
        {std::string(256, 'n'), true, "", PathRefusal::TooLong},
        {std::string(200, 'd') + "\\" + std::string(200, 'f'), true, "", PathRefusal::TooLong},
    };
    for (const Case& c : cases) {
        SafeTarget t = SafeTargetPath(kDir, c.member, c.storedFolders);
        EXPECT_EQ(t.refusal, c.refusal) << c.member;
        EXPECT_EQ(t.path, c.expected.empty() ? "" : kDir + c.expected) << c.member;
        if (t) {
            EXPECT_TRUE(IsInsideFolder(kDir, t.path)) << c.member;
        }
    }
}

TEST(SafeTargetPath, Folder) {
    EXPECT_EQ(SafeTargetPath("", "a.txt", true).refusal, PathRefusal::NoFolder);
    EXPECT_EQ(SafeTargetPath("D:/out", "a.txt", true).path, "D:\\out\\a.txt");
}

TEST(IsInsideFolder, Table) {
    EXPECT_TRUE(IsInsideFolder("C:\\Temp", "c:\\temp\\a.txt"));
    EXPECT_TRUE(IsInsideFolder("C:\\Temp\\", "C:\\Temp\\d\\a.txt"));
    EXPECT_FALSE(IsInsideFolder("C:\\Temp", "C:\\Temp"));
    EXPECT_FALSE(IsInsideFolder("C:\\Temp", "C:\\Temp2\\a.txt"));
    EXPECT_FALSE(IsInsideFolder("C:\\Temp", "C:\\Temp\\..\\a.txt"));
    EXPECT_FALSE(IsInsideFolder("C:\\Temp", "C:\\Temp\\d\\\\a.txt"));
    EXPECT_FALSE(IsInsideFolder("C:\\Temp", "C:\\Temp\\a.txt:stream"));
    EXPECT_FALSE(IsInsideFolder("", "a.txt"));
}

TEST(BuildTargetPath, EmptyExtractDirMeansTheArchivesFolderNotTheMembers) {
    test::MemoryWorld w;
    w.fs->files["D:\\arc\\x.zip"] = {'P', 'K', 5, 6, 0, 0};
    ArchiveReader c(*w.context);
    c.SetArchiveFile("D:\\arc\\x.zip");
    c.UseStoredDirs = true;
    EXPECT_EQ(c.BuildTargetPath("C:\\Windows\\a.dll").path, "D:\\arc\\Windows\\a.dll");
    c.SetExtractDir("E:\\out");
    c.UseStoredDirs = false;
    EXPECT_EQ(c.BuildTargetPath("C:\\Windows\\a.dll").path, "E:\\out\\a.dll");
}

}  // namespace
}  // namespace kv::arc
