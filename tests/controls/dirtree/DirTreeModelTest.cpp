#include "controls/dirtree/DirTreeModel.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace kv {
namespace {

// Drives and folders in memory; counts the folders listed.
class FakeFolders : public IFolderSource {
public:
    std::map<char, unsigned> drives;                 // letter -> type
    std::map<std::string, std::uint32_t> folders;    // "C:\A\B\" -> attributes
    std::map<std::string, int> listed;

    static std::string Lower(std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        return s;
    }
    std::uint32_t logicalDrives() override {
        std::uint32_t mask = 0;
        for (const auto& [letter, type] : drives)
            mask |= 1u << (letter - 'A');
        return mask;
    }
    unsigned driveType(char letter) override { return drives.at(letter); }
    void listSubFolders(const std::string& path, const std::function<bool(const SubFolderEntry&)>& visit) override {
        ++listed[Lower(path)];
        for (const auto& [folder, attributes] : folders) {
            if (folder.size() <= path.size() || Lower(folder.substr(0, path.size())) != Lower(path))
                continue;
            const std::string rest = folder.substr(path.size());
            if (rest.find('\\') != rest.size() - 1)
                continue;
            if (!visit({rest.substr(0, rest.size() - 1), attributes}))
                return;
        }
    }
    bool folderExists(const std::string& path) override {
        for (const auto& [folder, attributes] : folders)
            if (Lower(folder) == Lower(path)) return true;
        return path.size() == 3 && drives.count(path[0]);
    }
    std::string displayName(const std::string& path) override {
        if (path.size() == 3) return path[0] == 'A' ? "3\xBD FLOPPY (A:)" : "Local Disk (" + path.substr(0, 2) + ")";
        const std::string trimmed = path.substr(0, path.size() - 1);
        // The shell shows the folder's name as the disk stores it.
        for (const auto& [folder, attributes] : folders)
            if (Lower(folder) == Lower(path)) return folder.substr(trimmed.rfind('\\') + 1, folder.size() - trimmed.rfind('\\') - 2);
        return trimmed.substr(trimmed.rfind('\\') + 1);
    }
    int icon(const std::string& path, bool open) override { return path.size() == 3 ? 1 : open ? 3 : 2; }
};

class RecordingView : public DirTreeView {
public:
    DirTreeModel* model = nullptr;
    std::vector<std::string> selections;
    void cleared() override {}
    void added(DirNode&) override {}
    void removingChildren(DirNode&) override {}
    void removing(DirNode&) override {}
    void changed(DirNode&) override {}
    void select(DirNode* node) override { selections.push_back(node ? node->path : "-"); }
};

struct DirTreeFixture : ::testing::Test {
    FakeFolders source;
    RecordingView view;
    DirTreeModel model{source, view};
    DirTreeFixture() {
        source.drives = {{'A', 2}, {'C', 3}, {'D', 3}};
        source.folders = {{"C:\\Windows\\", 0x10},     {"C:\\Windows\\System\\", 0x10}, {"C:\\beta\\", 0x10},
                          {"C:\\Alpha\\", 0x10},       {"C:\\GAMMA\\", 0x10},           {"C:\\.hidden\\", 0x12},
                          {"D:\\Photos\\", 0x10},      {"D:\\Photos\\2001\\", 0x10},    {"D:\\Photos\\2001\\Day\\", 0x10}};
        view.model = &model;
    }
    std::vector<std::string> texts(const DirNode& node) {
        std::vector<std::string> out;
        for (const auto& c : node.children) out.push_back(c->text + "=" + c->path);
        return out;
    }
};

TEST_F(DirTreeFixture, DrivesAreListedWithoutTouchingRemovableMedia) {
    model.BuildDrives();
    ASSERT_EQ(model.roots().size(), 3u);
    EXPECT_EQ(model.roots()[0]->text, "3\xBD floppy (a:)");
    EXPECT_EQ(model.roots()[1]->text, "Local Disk (C:)");
    EXPECT_TRUE(model.roots()[0]->hasChildren);
    EXPECT_EQ(source.listed.count("a:\\"), 0u);
    EXPECT_TRUE(model.roots()[1]->hasChildren);
    EXPECT_EQ(model.GetDirectory(), "?");

    model.SelectDrive = 'c';
    model.BuildDrives();
    ASSERT_EQ(model.roots().size(), 1u);
    EXPECT_EQ(model.roots()[0]->path, "C:\\");
}

TEST_F(DirTreeFixture, SubFoldersSortWithoutCaseAndKeepTheirShellNames) {
    model.DirType = dtNormal;
    model.BuildDrives();
    model.Expanding(*model.roots()[1]);
    EXPECT_EQ(texts(*model.roots()[1]), (std::vector<std::string>{"Alpha=C:\\Alpha\\", "beta=C:\\beta\\",
                                                                   "GAMMA=C:\\gamma\\", "Windows=C:\\Windows\\"}));
    // Only Windows has a sub-folder.
    EXPECT_TRUE(model.roots()[1]->children[3]->hasChildren);
    EXPECT_FALSE(model.roots()[1]->children[0]->hasChildren);
}

TEST_F(DirTreeFixture, SetDirectoryReadsOnlyTheWayThere) {
    model.SetDirectory("d:\\photos\\2001\\day");
    EXPECT_EQ(model.GetDirectory(), "D:\\Photos\\2001\\Day\\");
    EXPECT_EQ(source.listed.count("c:\\windows\\"), 0u);
    EXPECT_EQ(source.listed["d:\\photos\\"], 1);

    // A missing folder changes nothing; "C:" is the root.
    model.SetDirectory("D:\\Photos\\1999");
    EXPECT_EQ(model.GetDirectory(), "D:\\Photos\\2001\\Day\\");
    model.SetDirectory("C:");
    EXPECT_EQ(model.GetDirectory(), "C:\\");
    model.SetDirectory("\\\\server\\share");
    EXPECT_EQ(model.GetDirectory(), "C:\\");
}

TEST_F(DirTreeFixture, ChangingDrivesReturnsToTheLastFolder) {
    model.SetDirectory("D:\\Photos\\2001");
    model.ChangeDrive('c');
    EXPECT_EQ(model.GetDirectory(), "C:\\");
    model.ChangeDrive('D');
    EXPECT_EQ(model.GetDirectory(), "D:\\Photos\\2001\\");
    model.ChangeDrive('C');
    source.folders.erase("D:\\Photos\\2001\\Day\\");
    source.folders.erase("D:\\Photos\\2001\\");
    model.ChangeDrive('D');
    EXPECT_EQ(model.GetDirectory(), "D:\\");
    // Anything but a letter is ignored.
    model.ChangeDrive('?');
    EXPECT_EQ(model.GetDirectory(), "D:\\");
}

TEST_F(DirTreeFixture, RefreshReturnsToTheFolderOrItsDriveAndNeverTouchesAFloppy) {
    model.SetDirectory("D:\\Photos\\2001");
    model.RefreshTree();
    EXPECT_EQ(model.GetDirectory(), "D:\\Photos\\2001\\");
    source.folders.erase("D:\\Photos\\2001\\Day\\");
    source.folders.erase("D:\\Photos\\2001\\");
    model.RefreshTree();
    EXPECT_EQ(model.GetDirectory(), "D:\\");

    // Nothing selected: the first drive that was read, at its last folder.
    DirTreeModel fresh(source, view);
    fresh.RefreshTree();
    EXPECT_EQ(fresh.GetDirectory(), "C:\\");
    EXPECT_EQ(source.listed.count("a:\\"), 0u);
}

TEST_F(DirTreeFixture, AttributeFilter) {
    struct Case {
        tDirType type;
        std::uint32_t attributes;
        bool accepted;
    } cases[] = {
        {dtAll, 0x16, true},          {dtNormal, 0x10, true},          {dtNormal, 0x12, false},
        {dtNormal | dtHidden, 0x12, true}, {dtNormal, 0x14, false},    {dtSystem, 0x14, true},
        {dtNormal, 0x30, false},      {dtArchive, 0x30, true},         {dtHidden, 0x10, false},
        {dtReadonly, 0x11, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DirTypeAccepts(c.type, c.attributes), c.accepted) << int(c.type) << " " << c.attributes;
}

TEST_F(DirTreeFixture, NewRenamedAndDeletedFoldersKeepTheTreeTrue) {
    model.SetDirectory("D:\\Photos");
    DirNode& photos = *model.selected();
    source.folders["D:\\Photos\\New Folder\\"] = 0x10;
    DirNode* made = model.AddFolderNode(photos, "New Folder");
    EXPECT_EQ(model.GetDirectory(), "D:\\Photos\\New Folder\\");
    EXPECT_EQ(model.AddFolderNode(photos, "new folder"), made);

    // A renamed folder's children are read again under the new path.
    DirNode& year = *photos.children[0];
    ASSERT_EQ(year.path, "D:\\Photos\\2001\\");
    source.folders.erase("D:\\Photos\\2001\\");
    source.folders.erase("D:\\Photos\\2001\\Day\\");
    source.folders["D:\\Photos\\2002\\"] = 0x10;
    source.folders["D:\\Photos\\2002\\Day\\"] = 0x10;
    model.RenameFolderNode(year, "2002");
    model.SetDirectory("D:\\Photos\\2002\\Day");
    EXPECT_EQ(model.GetDirectory(), "D:\\Photos\\2002\\Day\\");

    // Deleting selects the next sibling, or the parent.
    model.SetDirectory("D:\\Photos\\2002");
    source.folders.erase("D:\\Photos\\2002\\Day\\");
    model.RemoveFolderNode(*model.selected()->children[0]);
    model.RemoveFolderNode(*model.selected());
    EXPECT_EQ(model.GetDirectory(), "D:\\Photos\\New Folder\\");
    model.RemoveFolderNode(*model.selected());
    EXPECT_EQ(model.GetDirectory(), "D:\\Photos\\");
    EXPECT_FALSE(model.selected()->hasChildren);
    // Made again under a deleted name, it is found.
    source.folders["D:\\Photos\\New Folder\\"] = 0x10;
    model.AddFolderNode(*model.selected(), "New Folder");
    model.SetDirectory("D:\\");
    model.SetDirectory("D:\\Photos\\New Folder");
    EXPECT_EQ(model.GetDirectory(), "D:\\Photos\\New Folder\\");
}

}  // namespace
}  // namespace kv
