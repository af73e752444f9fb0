// The commands that reach a catalogued disk's real files, from the main
// window: a folder mapped to drive T: is catalogued, then its files are copied
// back elsewhere, viewed, extracted from an archive and launched.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>

#include "archive/ArchiveContext.h"
#include "archive/ExtractionUiWin32.h"
#include "archive/TempExtraction.h"
#include "shell/browse/ItemCells.h"
#include "shell/about/AboutFormsWin32.h"
#include "shell/about/AboutTexts.h"
#include "shell/copy/CopyToFormWin32.h"
#include "shell/viewer/ViewerFormWin32.h"
#include "system/drives/MediaTypes.h"
#include "tests/shell/ShellFixture.h"
#include "tests/shell/WindowSteps.h"

namespace kv::test {
namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MediumCommands : public ShellTest {
protected:
    MediumCommands() {
        fs::create_directories(fs::path(medium) / "Docs" / "Sub");
        std::ofstream(fs::path(medium) / "Docs" / "a.txt") << "alpha";
        std::ofstream(fs::path(medium) / "Docs" / "Sub" / "b.txt") << "beta";
        std::ofstream(fs::path(medium) / "note.txt") << "hello viewer";
        fs::copy_file(fs::path(KV_FIXTURES_DIR) / "archives" / "made" / "deflate.zip", fs::path(medium) / "pack.zip");
        fs::create_directories(target);
        scanMachine = [this](AddDiskServices& dialog, AddUpdateServices& scan) {
            dialog.logicalDrives = [] { return 1u << ('T' - 'A'); };
            dialog.checkDriveReady = [](char) { return true; };
            dialog.mediaType = [](char) { return MediaType::HardDisk; };
            dialog.initDiskRecord = [](char, TDiskRec& disk) {
                disk.label = "MEDIUM";
                disk.volume.serialNumber = 0x13572468;
                disk.volume.mediaType = MediaType::HardDisk;
            };
            dialog.locateMedia = [](Node*) { return std::optional<char>('T'); };
            scan.initDiskRecord = dialog.initDiskRecord;
            scan.mediumRoot = [this](char) { return medium; };
            scan.ejectMedia = nullptr;
        };
        locateMedium = [](const ItemHead*) { return std::optional<char>('T'); };
        mediumRoot = [this](char) { return medium; };
        commandLine = {catalogFile("one.ctf")};
        archiveContext = arc::ArchiveContext::System();
        archives = archiveContext.get();
        temp = std::make_unique<arc::TempExtraction>(*archiveContext, extractionUi);
        extraction = temp.get();
        settings.Update([this](Settings& s) {
            s.extractFolder = extractDir;
            s.archivesAsFolders = true;
        });
        fs::create_directories(extractDir);
    }

    // Starts the program and catalogues drive T.
    Node* start() {
        MainForm& window = makeMain();
        window.RunIdleOnce();
        Node& catalog = *window.forest().roots()[0];
        WithWindows({{[this] { return main->addDiskForm() ? main->addDiskForm()->hwnd() : nullptr; },
                      [this] {
                          TAddDiskForm& form = *main->addDiskForm();
                          form.SelectDriveByLetter('T');
                          SendMessageA(form.OKBtn.hwnd(), BM_CLICK, 0, 0);
                          if (form.modalResult() != ui::mrOk) SendMessageA(form.CancelBtn.hwnd(), BM_CLICK, 0, 0);
                      }}},
                    [&] { window.RunCommand(CommandId::AddDisk, CommandSource::MainMenu); });
        for (const auto& child : catalog.children())
            if (child->text() == "MEDIUM") return child.get();
        return nullptr;
    }

    static Node* child(Node& parent, const std::string& name) {
        for (const auto& c : parent.children())
            if (c->text() == name) return c.get();
        return nullptr;
    }

    // Shows node in the list and picks the row of that name, focused.
    void pickRow(Node& node, const std::string& name) {
        main->browse().tree().select(&node);
        main->RunIdleOnce();
        const auto& items = main->browse().browser().items();
        int row = -1;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (ItemName(items[i]) == name) row = static_cast<int>(i);
        ASSERT_GE(row, 0) << name;
        main->list.setFocus();
        ListView_SetItemState(main->list.hwnd(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemState(main->list.hwnd(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    TBrowseFolderForm& browser() { return dynamic_cast<TBrowseFolderForm&>(main->folderPicker()); }
    // The folder browse dialog: go to folder, OK.
    std::pair<std::function<HWND()>, std::function<void()>> chooseFolder(const std::string& folder) {
        return {[this] { return browser().hwnd(); },
                [this, folder] {
                    chosenCaption = browser().caption();
                    browser().DirTree.SetDirectory(folder);
                    SendMessageA(browser().OKBtn.hwnd(), BM_CLICK, 0, 0);
                    if (browser().modalResult() != ui::mrOk) SendMessageA(browser().CancelBtn.hwnd(), BM_CLICK, 0, 0);
                }};
    }

    std::string medium = scratch.file("medium");
    std::string target = scratch.file("target");
    std::string extractDir = scratch.file("extracted");
    std::string chosenCaption;
    arc::WindowsExtractionUi extractionUi;
    std::unique_ptr<arc::ArchiveContext> archiveContext;
    std::unique_ptr<arc::TempExtraction> temp;
};

TEST_F(MediumCommands, CopyToBringsAFolderBackFromItsMedium) {
    Node* disk = start();
    ASSERT_TRUE(disk);
    Node* docs = child(*disk, "Docs");
    ASSERT_TRUE(docs);
    main->browse().tree().select(docs);
    main->tree.setFocus();
    std::string finishedText;
    const std::size_t ran = WithWindows(
        {chooseFolder(target),
         {[this] {
              TCopyToForm* form = main->copyForm();
              return form && form->state() == 2 ? form->hwnd() : nullptr;
          },
          [&] {
              finishedText = main->copyForm()->MessageLabel.text();
              SendMessageA(main->copyForm()->BtnCancel.hwnd(), BM_CLICK, 0, 0);
          }}},
        [this] { main->RunCommand(CommandId::CopyTo, CommandSource::TreePopup); });
    EXPECT_EQ(ran, 2u);
    EXPECT_EQ(chosenCaption, "Copy \"Docs\" to:");
    EXPECT_EQ(finishedText, "All files were successfully copied.");
    EXPECT_EQ(Read(target + "\\Docs\\a.txt"), "alpha");
    EXPECT_EQ(Read(target + "\\Docs\\Sub\\b.txt"), "beta");
    // The options were kept under "CopyTo".
    EXPECT_TRUE(store.ReadInteger("", "CopyTo").has_value());
}

TEST_F(MediumCommands, ViewShowsATextFileInTheViewer) {
    Node* disk = start();
    ASSERT_TRUE(disk);
    pickRow(*disk, "note.txt");
    std::string caption, text;
    const std::size_t ran = WithWindows({{[this] { return main->viewerForm() ? main->viewerForm()->hwnd() : nullptr; },
                                          [&] {
                                              caption = main->viewerForm()->caption();
                                              text = main->viewerForm()->RichEdit.text();
                                              main->viewerForm()->setModalResult(ui::mrCancel);
                                          }}},
                                        [this] { main->RunCommand(CommandId::ViewFile, CommandSource::Key); });
    EXPECT_EQ(ran, 1u);
    EXPECT_EQ(caption, "ASCII Viewer - " + medium + "\\note.txt");
    EXPECT_EQ(text, "hello viewer");
}

TEST_F(MediumCommands, ArchiveMembersAreViewedAndExtracted) {
    Node* disk = start();
    ASSERT_TRUE(disk);
    Node* pack = child(*disk, "pack.zip");
    ASSERT_TRUE(pack);
    // A member in a stored folder is viewed from its own name in the extraction folder.
    pickRow(*pack, "docs\\readonly.txt");
    std::string text;
    WithWindows({{[this] { return main->viewerForm() ? main->viewerForm()->hwnd() : nullptr; },
                  [&] {
                      text = main->viewerForm()->RichEdit.text();
                      main->viewerForm()->setModalResult(ui::mrCancel);
                  }}},
                [this] { main->RunCommand(CommandId::ViewFile, CommandSource::Key); });
    EXPECT_EQ(text.rfind("read only", 0), 0u);
    EXPECT_EQ(Read(extractDir + "\\readonly.txt"), "read only\n");

    // Extract To: the member with its stored folder kept.
    settings.Update([](Settings& s) { s.restoreArchiveDirs = true; });
    pickRow(*pack, "docs\\readonly.txt");
    const std::size_t ran = WithWindows({chooseFolder(target)},
                                        [this] { main->RunCommand(CommandId::ExtractTo, CommandSource::ListPopup); });
    EXPECT_EQ(ran, 1u);
    EXPECT_EQ(chosenCaption, "Extract \"docs\\readonly.txt\" to:");
    EXPECT_EQ(Read(target + "\\docs\\readonly.txt"), "read only\n");
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(MediumCommands, LaunchOpensTheFileAndReportsWhatTheShellSays) {
    Node* disk = start();
    ASSERT_TRUE(disk);
    std::vector<std::string> opened;
    std::uintptr_t answer = 42;
    main->shellOpen = [&](const std::string& file, const std::string&, const std::string&) {
        opened.push_back(file);
        return answer;
    };
    pickRow(*disk, "note.txt");
    main->RunCommand(CommandId::Launch, CommandSource::Key);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], medium + "\\note.txt");
    EXPECT_TRUE(prompt.asked.empty());

    answer = 31;
    main->RunCommand(CommandId::Launch, CommandSource::Key);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "No program is associated with this file type (TXT).");

    // Explorer runs the shell program on the file's folder.
    std::vector<std::string> lines;
    main->runProgram = [&](const std::string& line) {
        lines.push_back(line);
        return 0ul;
    };
    settings.Update([](Settings& s) { s.externalShellPath = "C:\\Tools\\My Shell.exe"; });
    main->RunCommand(CommandId::Explorer, CommandSource::Key);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "\"C:\\Tools\\My Shell.exe\" \"" + medium + "\"");
}

}  // namespace
}  // namespace kv::test

namespace kv::test {
namespace {

// More Tips: the box under the tip keeps the start-up setting.
TEST_F(ShellTest, TipsKeepTheStartUpChoiceAndAboutOpens) {
    MainForm& window = makeMain();
    settings.Update([](Settings& s) { s.tipsAtStart = true; });
    std::string tip;
    const std::size_t ran = WithWindows({{[&] { return window.tipsForm() ? window.tipsForm()->hwnd() : nullptr; },
                                          [&] {
                                              TTipsDialog& tips = *window.tipsForm();
                                              const int shown = tips.TipIndex();
                                              SendMessageA(tips.btnNext.hwnd(), BM_CLICK, 0, 0);
                                              EXPECT_EQ(tips.TipIndex(), NextTip(shown));
                                              tip = tips.TipLabel.text();
                                              tips.ShowOnStartup.setChecked(false);
                                              SendMessageA(tips.btnClose.hwnd(), BM_CLICK, 0, 0);
                                          }}},
                                        [&] { window.RunCommand(CommandId::Tips, CommandSource::MainMenu); });
    EXPECT_EQ(ran, 1u);
    EXPECT_FALSE(tip.empty());
    EXPECT_FALSE(settings.Get().tipsAtStart);

    const std::size_t about = WithWindows({{[] { return FindWindowA("KvAboutDlg", nullptr); },
                                            [] {
                                                HWND dlg = FindWindowA("KvAboutDlg", nullptr);
                                                char caption[64] = {};
                                                GetWindowTextA(dlg, caption, sizeof caption);
                                                EXPECT_STREQ(caption, "About Korvalder? v1.01");
                                                PostMessageA(dlg, WM_CLOSE, 0, 0);
                                            }}},
                                          [&] { window.RunCommand(CommandId::About, CommandSource::MainMenu); });
    EXPECT_EQ(about, 1u);
}

}  // namespace
}  // namespace kv::test
