// The "Select Folder" dialog over a folder tree the test makes.
#include "shell/folderbrowse/BrowseFolderFormWin32.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "system/settings/MemorySectionStore.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempDir.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

struct BrowseFolderFormTest : ::testing::Test {
    test::TempDir dir;
    std::string root = dir.file("tree");
    MemorySectionStore store;
    ui::ScriptedPrompt prompt;
    TBrowseFolderForm form{store, prompt};

    BrowseFolderFormTest() {
        fs::create_directories(fs::path(root) / "New Folder");
        std::ofstream(fs::path(root) / "New Folder (1)") << "a file";
        fs::create_directories(fs::path(root) / "Hidden only");
        const std::string hidden = (fs::path(root) / "Hidden only" / "h.txt").string();
        std::ofstream(hidden) << "h";
        SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
        fs::create_directories(fs::path(root) / "Empty");
        fs::create_directories(fs::path(root) / "Zed");
        form.BrowseOnly = false;
        form.DirTree.SetDirectory(root);
    }
    void click(ui::Button& b) { SendMessageA(b.hwnd(), BM_CLICK, 0, 0); }
};

TEST_F(BrowseFolderFormTest, NewFolderTakesTheFirstFreeNameAndSelectsIt) {
    ASSERT_EQ(form.DirTree.GetDirectory(), root + "\\");
    click(form.NewFolderBtn);
    EXPECT_TRUE(fs::is_directory(fs::path(root) / "New Folder (2)"));
    EXPECT_EQ(form.DirTree.GetDirectory(), root + "\\New Folder (2)\\");
    EXPECT_EQ(form.DirLabel.text(), root + "\\New Folder (2)\\");
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(BrowseFolderFormTest, OnlyEmptyFoldersAreDeleted) {
    form.DirTree.SetDirectory(root + "\\Hidden only");
    click(form.DeleteBtn);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "Selected folder is not emtpy, deleting denied!");
    EXPECT_TRUE(fs::exists(fs::path(root) / "Hidden only"));

    form.DirTree.SetDirectory(root + "\\Empty");
    click(form.DeleteBtn);
    EXPECT_FALSE(fs::exists(fs::path(root) / "Empty"));
    // The next sibling takes the selection.
    EXPECT_EQ(form.DirTree.GetDirectory(), root + "\\Hidden only\\");
}

TEST_F(BrowseFolderFormTest, RenameTakesALeafNameOnly) {
    form.DirTree.SetDirectory(root + "\\Zed");
    DirNode* node = form.DirTree.SelectedNode();
    ASSERT_TRUE(node);
    for (std::string bad : {"..\\x", "a\\b", "", "con"}) {
        bool accept = true;
        form.DirTree.onEdited(form.DirTree, node, bad, accept);
        EXPECT_FALSE(accept);
        EXPECT_TRUE(fs::exists(fs::path(root) / "Zed")) << bad;
    }
    EXPECT_EQ(prompt.asked.size(), 4u);
    std::string name = "Renamed";
    bool accept = true;
    form.DirTree.onEdited(form.DirTree, node, name, accept);
    EXPECT_TRUE(fs::exists(fs::path(root) / "Renamed"));
    EXPECT_EQ(form.DirTree.GetDirectory(), root + "\\Renamed\\");
}

TEST_F(BrowseFolderFormTest, OptionBoxesFollowTheirCountAndTheStoredValue) {
    form.SetNumCheckBox(0);
    RECT client{};
    GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(client.bottom, form.DirTree.top() + form.DirTree.height() + 5);
    EXPECT_FALSE(form.CheckBoxes[0].visible());

    form.SetNumCheckBox(3);
    GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(client.bottom, form.DirTree.top() + form.DirTree.height() + 5 + 66);
    store.WriteInteger("", "CopyTo", 5);
    form.LoadCheckStates("CopyTo", -1);
    EXPECT_TRUE(form.CheckBoxes[0].checked());
    EXPECT_FALSE(form.CheckBoxes[1].checked());
    EXPECT_TRUE(form.CheckBoxes[2].checked());
    form.CheckBoxes[0].setChecked(false);
    form.SaveCheckStates("CopyTo");
    EXPECT_EQ(static_cast<std::uint32_t>(store.ReadInteger("", "CopyTo", 0)), 0xFFFFFFFCu);
}

}  // namespace
}  // namespace kv
