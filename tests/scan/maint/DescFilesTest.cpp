#include "scan/descassist/DescFiles.h"

#include <gtest/gtest.h>

#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

// Disk D: FILE_ID.DIZ and notes.txt in the root; A\readme.txt, A\B\deep.nfo,
// A\B\C\deeper.txt; A\tools.zip holding FILE_ID.DIZ; A\pack.cab holding info.txt.
struct DescTree : test::ModelFixture {
    Node* zip = nullptr;
    Node* cab = nullptr;
    DescTree() {
        test::AddFile(diskRec(), "FILE_ID.DIZ");
        test::AddFile(diskRec(), "notes.txt");
        test::AddFile(folderRec(*a), "readme.txt");
        test::AddFile(folderRec(*b), "deep.nfo");
        test::AddFile(folderRec(*c), "deeper.txt");
        zip = &archive(*a, "tools.zip");
        test::AddFile(folderRec(*zip), "FILE_ID.DIZ");
        cab = &archive(*a, "pack.cab");
        test::AddFile(folderRec(*cab), "info.txt");
    }
    Node& archive(Node& parent, const char* name) {
        Node& n = folder(parent, name);
        SetFlag(folderRec(n).flags, ItemFlags::Archive, true);
        return n;
    }
    static std::vector<std::string> paths(const std::vector<DescFileEntry>& found) {
        std::vector<std::string> out;
        for (const auto& e : found) out.push_back(e.path);
        return out;
    }
};

TEST(DescFiles, OrderedByPatternEachOnceWithinTheLevels) {
    DescTree t;
    DescFileSearch search;
    // Patterns as the user typed them: lower case matches too.
    search.patterns = {"file_id.diz", "*.NFO", "*.txt", "*.*"};
    EXPECT_EQ(DescTree::paths(SearchDescFiles(*t.disk, search)),
              (std::vector<std::string>{"FILE_ID.DIZ", "root.txt", "notes.txt"}));

    search.subfolders = true;
    search.maxLevels = 2;
    // Level 2 is the deepest searched; C lies at level 3. The CAB's members
    // cannot be extracted, the ZIP's can.
    EXPECT_EQ(DescTree::paths(SearchDescFiles(*t.disk, search)),
              (std::vector<std::string>{"FILE_ID.DIZ", ".\\A\\tools.zip\\FILE_ID.DIZ", ".\\A\\B\\deep.nfo",
                                        "root.txt", "notes.txt", ".\\A\\a1.txt", ".\\A\\a2.txt", ".\\A\\readme.txt"}));
    search.maxLevels = 3;
    const auto deeper = DescTree::paths(SearchDescFiles(*t.disk, search));
    EXPECT_NE(std::find(deeper.begin(), deeper.end(), ".\\A\\B\\C\\deeper.txt"), deeper.end());

    std::vector<std::string> loaded;
    search.loadNode = [&](Node& n) { loaded.push_back(n.text()); };
    search.subfolders = false;
    SearchDescFiles(*t.a, search);
    EXPECT_EQ(loaded, std::vector<std::string>{"A"});
}

TEST(DescFiles, WhereAFileLiesOnTheMedium) {
    DescTree t;
    const DescFileLocation member = LocateDescFile(*t.folderRec(*t.zip).files.first());
    EXPECT_TRUE(member.inArchive);
    EXPECT_EQ(member.archivePath, "\\A\\tools.zip");
    EXPECT_EQ(member.name, "FILE_ID.DIZ");
    const DescFileLocation plain = LocateDescFile(*t.folderRec(*t.b).files.first());
    EXPECT_FALSE(plain.inArchive);
    EXPECT_EQ(plain.folderPath, "\\A\\B");
    EXPECT_EQ(LocateDescFile(*t.diskRec().files.first()).folderPath, "");

    // A virtual disk's files lie below its root folder.
    t.diskRec().flags |= ItemFlags::VirtualDisk;
    t.diskRec().virtualPath = "\\Archive\\";
    EXPECT_EQ(LocateDescFile(*t.folderRec(*t.b).files.first()).folderPath, "\\Archive\\A\\B");
}

TEST(DescFiles, TextShownFromTheBytes) {
    EXPECT_EQ(DescFileText(std::string("a\0b", 3), false), "a\xFF" "b");
    const std::string exact(kDescFileShowLimit, 'x');
    EXPECT_EQ(DescFileText(exact, false), exact);
    const std::string shown = DescFileText(std::string(40000, 'y'), false);
    EXPECT_EQ(shown.substr(0, kDescFileShowLimit), std::string(kDescFileShowLimit, 'y'));
    EXPECT_NE(shown.find(kDescTooLong), std::string::npos);
    EXPECT_LT(shown.size(), kDescFileShowLimit + 100);
    // Box characters of the DOS code page become plain ones only when asked.
    EXPECT_EQ(DescFileText("\xC4\xC4", false), "\xC4\xC4");
    EXPECT_EQ(DescFileText("\xC4\xC4", true), "--");
}

}  // namespace
}  // namespace kv
