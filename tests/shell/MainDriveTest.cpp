// The program on a real drive: T: is a folder of the test's Wine prefix
// (tools/wine-test-drive) holding Photos\one.jpg. A folder of it is catalogued
// as a disk through the Virtual root box and the folder browse dialog, and its
// file is copied back after the real search for its medium, then compared with
// the drive once a file was added there, and its rows collected in the user list.
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "shell/copy/CopyToFormWin32.h"
#include "tests/shell/ShellFixture.h"
#include "tests/shell/WindowSteps.h"

namespace kv::test {
namespace {

namespace fs = std::filesystem;

TEST_F(ShellTest, AFolderOfADriveIsCataloguedAsADiskAndCopiedBack) {
    commandLine = {catalogFile("one.ctf")};
    MainForm& window = makeMain();
    window.RunIdleOnce();
    Node& catalog = *window.forest().roots()[0];
    auto browser = [&]() -> TBrowseFolderForm& { return dynamic_cast<TBrowseFolderForm&>(window.folderPicker()); };
    std::string rootShown;
    const std::size_t added = WithWindows(
        {{[&] { return window.addDiskForm() ? window.addDiskForm()->hwnd() : nullptr; },
          [&] {
              TAddDiskForm& form = *window.addDiskForm();
              form.SelectDriveByLetter('T');
              SendMessageA(form.VirtualRootCheck.hwnd(), BM_CLICK, 0, 0);
              rootShown = form.VirtualRootLabel.text();
              SendMessageA(form.OKBtn.hwnd(), BM_CLICK, 0, 0);
              if (form.modalResult() != ui::mrOk) SendMessageA(form.CancelBtn.hwnd(), BM_CLICK, 0, 0);
          }},
         {[&] { return browser().hwnd(); },
          [&] {
              EXPECT_EQ(browser().caption(), "Select virtual root folder");
              // Only the drive of the disk is offered.
              EXPECT_EQ(browser().DirTree.model().roots().size(), 1u);
              browser().DirTree.SetDirectory("T:\\Photos");
              SendMessageA(browser().OKBtn.hwnd(), BM_CLICK, 0, 0);
              if (browser().modalResult() != ui::mrOk) SendMessageA(browser().CancelBtn.hwnd(), BM_CLICK, 0, 0);
          }}},
        [&] { window.RunCommand(CommandId::AddDisk, CommandSource::MainMenu); });
    ASSERT_EQ(added, 2u);
    EXPECT_EQ(rootShown, "\\Photos\\");
    Node* disk = catalog.children().back().get();
    auto* rec = RecordAs<TDiskRec>(disk->record());
    ASSERT_TRUE(rec);
    EXPECT_TRUE(rec->isVirtual());
    EXPECT_EQ(rec->virtualPath, "\\Photos\\");
    ASSERT_TRUE(rec->files.first());
    EXPECT_EQ(rec->files.first()->name(), "one.jpg");

    // Copy To finds the medium on T: and reads the file inside the virtual root.
    const std::string target = scratch.file("target");
    fs::create_directories(target);
    window.browse().tree().select(disk);
    window.RunIdleOnce();
    window.list.setFocus();
    ListView_SetItemState(window.list.hwnd(), -1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const std::size_t copied = WithWindows(
        {{[&] { return browser().hwnd(); },
          [&] {
              browser().DirTree.SetDirectory(target);
              SendMessageA(browser().OKBtn.hwnd(), BM_CLICK, 0, 0);
              if (browser().modalResult() != ui::mrOk) SendMessageA(browser().CancelBtn.hwnd(), BM_CLICK, 0, 0);
          }},
         {[&] {
              TCopyToForm* form = window.copyForm();
              return form && form->state() == 2 ? form->hwnd() : nullptr;
          },
          [&] { SendMessageA(window.copyForm()->BtnCancel.hwnd(), BM_CLICK, 0, 0); }}},
        [&] { window.RunCommand(CommandId::CopyTo, CommandSource::ListPopup); });
    EXPECT_EQ(copied, 2u);
    std::ifstream in(fs::path(target) / "one.jpg", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "picture");
    EXPECT_TRUE(prompt.asked.empty()) << prompt.asked[0].text;

    // Compare to Media finds the medium on T: again and sees a file added there.
    std::ofstream("T:\\Photos\\two.jpg", std::ios::binary) << "another";
    window.browse().tree().select(disk);
    window.UpdateCommands(kUpdateAllCommands);
    bool compared = false;
    window.compareShown = [&](TCompareForm& form) {
        compared = true;
        const CompareResults& r = form.Results();
        ASSERT_EQ(r.Count(kCategoryNew), 1u);
        EXPECT_EQ(r.NewEntries[0].Name, "two.jpg");
        ASSERT_EQ(r.Count(kCategorySame), 1u);
        EXPECT_EQ(form.DescLabel.text().find("Comparing "), 0u);
        // The same file goes to the user list from the compare window.
        form.ShowCategory(kCategorySame);
        form.RunCompareAction(FoundAction::AddList);
    };
    prompt.answers = {ui::PromptAnswer::Ok};
    window.RunCommand(CommandId::Compare, CommandSource::TreePopup);
    ASSERT_TRUE(compared);
    window.RunCommand(CommandId::AddToUserList, CommandSource::TreePopup);
    TUserListForm* users = window.userListFormIfAny();
    ASSERT_NE(users, nullptr);
    EXPECT_EQ(users->List().Count(), 2u);
    // Closing the catalog leaves no row behind.
    window.browse().tree().select(&catalog);
    prompt.answers = {ui::PromptAnswer::No, ui::PromptAnswer::No};
    window.RunCommand(CommandId::Close, CommandSource::MainMenu);
    EXPECT_EQ(users->List().Count(), 0u);
}

}  // namespace
}  // namespace kv::test
