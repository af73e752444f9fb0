// The program on a real drive: T: is a folder of the test's Wine prefix
// (tools/wine-test-drive) holding Photos\one.jpg. A folder of it is catalogued
// as a disk through the Virtual root box and the folder browse dialog, and its
// file is copied back after the real search for its medium.
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
}

}  // namespace
}  // namespace kv::test
