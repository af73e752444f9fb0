#include "system/settings/IniFileStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "SectionStoreContract.h"
#include "tests/support/FaultyFileSystem.h"

namespace kv {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class IniFileStoreTest : public ::testing::Test {
protected:
    test::ScratchFolder scratch;
    test::FaultyFileSystem fs{scratch};
    std::string path = scratch.file("settings.ini");
    IniFileStore store{path, fs};

    // Nothing but the ini file is left in its folder.
    void expectNoTemporaryFiles() {
        EXPECT_EQ(scratch.list(FolderOf(path)), std::vector<std::string>{"settings.ini"});
    }
};

TEST_F(IniFileStoreTest, KeepsTheContract) {
    test::CheckSectionStoreContract(store);
    expectNoTemporaryFiles();
    // A second store on the file sees what the first wrote.
    IniFileStore other(path, fs);
    EXPECT_EQ(other.ReadString("MRUList", "F0"), "again");
}

TEST_F(IniFileStoreTest, ReadsWhatOthersWrote) {
    writeFile(path,
              "; written by hand\n"
              "loose=line before any section\n"
              "  [ MRUList ]  \r\n"
              "F0 = C:\\a=b.ctf  \r"
              "no equals sign here\n"
              "F1=\"  spaced  \"\n"
              "f0=second F0 is ignored\n"
              "=no name\n"
              "[Toolbar]\n"
              "DockRow=3\n"
              "[mrulist]\n"
              "F2=from a repeated section\n");
    EXPECT_EQ(store.ReadString("MRUList", "F0"), "C:\\a=b.ctf");
    EXPECT_EQ(store.ReadString("MRUList", "F1"), "  spaced  ");
    EXPECT_EQ(store.ReadSectionValues("MRUList"),
              (std::vector<SectionValue>{{"F0", "C:\\a=b.ctf"}, {"F1", "  spaced  "}}));
    EXPECT_EQ(store.ReadInteger("Toolbar", "DockRow"), 3);
    EXPECT_EQ(store.ReadString("Missing", "F0"), std::nullopt);
    EXPECT_EQ(store.ReadString("MRUList", "F2"), std::nullopt);
}

TEST_F(IniFileStoreTest, ChangesLeaveEverythingElseAsItWas) {
    writeFile(path,
              "; comment\r\n"
              "[Toolbar]\r\n"
              "odd line\r\n"
              "DockRow=3\r\n"
              "\r\n"
              "[MRUList]\r\n"
              "F0=old\r\n");
    ASSERT_TRUE(store.WriteInteger("Toolbar", "DockPos", 40));
    ASSERT_TRUE(store.WriteString("MRUList", "F0", "new"));
    ASSERT_TRUE(store.WriteString("Other", "X", "1"));
    EXPECT_EQ(readFile(path),
              "; comment\r\n"
              "[Toolbar]\r\n"
              "odd line\r\n"
              "DockRow=3\r\n"
              "DockPos=40\r\n"
              "\r\n"
              "[MRUList]\r\n"
              "F0=new\r\n"
              "\r\n"
              "[Other]\r\n"
              "X=1\r\n");
    ASSERT_TRUE(store.EraseSection("toolbar"));
    EXPECT_EQ(readFile(path),
              "; comment\r\n"
              "[MRUList]\r\n"
              "F0=new\r\n"
              "\r\n"
              "[Other]\r\n"
              "X=1\r\n");
}

TEST_F(IniFileStoreTest, RefusesWhatOneLineCannotHold) {
    writeFile(path, "[MRUList]\r\nF0=kept\r\n");
    const std::string before = readFile(path);
    struct Case {
        std::string section, name, value;
    };
    const Case cases[] = {
        {"MRUList", "F0", "C:\\x\r\n[Evil]\r\nF0=injected"},  // a line break would make new entries
        {"MRUList", "F0", "a\nb"},
        {"MRUList", "F0", std::string("a\0b", 3)},
        {"MRUList", "F=1", "v"},
        {"MRUList", " F1", "v"},
        {"MRUList", "", "v"},
        {"MRUList", ";F1", "v"},
        {"MRUList", "[F1", "v"},
        {"MRU]List", "F1", "v"},
        {"MRU\nList", "F1", "v"},
        {"", "F1", "v"},
    };
    for (const Case& c : cases) EXPECT_FALSE(store.WriteString(c.section, c.name, c.value)) << c.section << "/" << c.name;
    EXPECT_EQ(readFile(path), before);
}

TEST_F(IniFileStoreTest, AFileThatIsNotASettingsTextIsNeverOverwritten) {
    std::filesystem::copy_file(std::string(KV_FIXTURES_DIR) + "/bootsectors/fat12.img", path);
    const std::string image = readFile(path);
    ASSERT_NE(image.find('\0'), std::string::npos);
    EXPECT_TRUE(store.ReadSectionValues("MRUList").empty());
    EXPECT_FALSE(store.WriteString("MRUList", "F0", "x"));
    EXPECT_FALSE(store.EraseSection("MRUList"));
    EXPECT_EQ(readFile(path), image);

    // Text, but far larger than settings ever are.
    const std::string huge = "[MRUList]\r\nF0=" + std::string(IniFileStore::kMaxFileSize, 'x') + "\r\n";
    writeFile(path, huge);
    EXPECT_EQ(store.ReadString("MRUList", "F0"), std::nullopt);
    EXPECT_FALSE(store.WriteString("MRUList", "F1", "x"));
    EXPECT_EQ(readFile(path).size(), huge.size());
    expectNoTemporaryFiles();
}

TEST_F(IniFileStoreTest, AFailedWriteKeepsTheOldFile) {
    ASSERT_TRUE(store.WriteString("MRUList", "F0", "old"));
    const std::string before = readFile(path);
    fs.failAtWrite = fs.writes;  // the disk is full
    EXPECT_FALSE(store.WriteString("MRUList", "F0", "new"));
    EXPECT_EQ(readFile(path), before);
    expectNoTemporaryFiles();

    fs.failAtWrite.reset();
    fs.fault = [](test::FaultyFileSystem::Call call, const std::string&, const std::string&) {
        return call == test::FaultyFileSystem::Call::Move ? std::optional(FsStatus::AccessDenied) : std::nullopt;
    };
    EXPECT_FALSE(store.EraseSection("MRUList"));
    EXPECT_EQ(readFile(path), before);
    expectNoTemporaryFiles();
    fs.fault = nullptr;
    EXPECT_TRUE(store.WriteString("MRUList", "F0", "new"));
    EXPECT_EQ(store.ReadString("MRUList", "F0"), "new");
}

TEST_F(IniFileStoreTest, AFolderOrNoNameIsNoStore) {
    std::filesystem::create_directory(scratch.file("folder.ini"));
    IniFileStore folder(scratch.file("folder.ini"), fs);
    EXPECT_FALSE(folder.WriteString("MRUList", "F0", "x"));
    EXPECT_TRUE(folder.ReadSectionValues("MRUList").empty());
    EXPECT_TRUE(std::filesystem::is_directory(scratch.file("folder.ini")));
    IniFileStore unnamed("", fs);
    EXPECT_FALSE(unnamed.WriteString("MRUList", "F0", "x"));
    EXPECT_EQ(unnamed.ReadString("MRUList", "F0"), std::nullopt);
}

}  // namespace
}  // namespace kv
