// The main window's menu commands run as the menu runs them: WM_COMMAND with
// the item's identifier, answers from scripted prompts and a timer in the
// modal loop of the text input window.
#include <windows.h>

#include <atomic>
#include <thread>

#include "base/Worker.h"
#include "catalog/model/CatalogModified.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/TestInput.h"

namespace kv::test {
namespace {

using ui::PromptAnswer;

class MainMenuTest : public ShellTest {
protected:
    void command(MainForm& main, const ui::MenuItem& item) {
        SendMessageA(main.hwnd(), WM_COMMAND, MAKEWPARAM(item.Command(), 0), 0);
    }
    ui::MenuItem& fileMenu(MainForm& main) { return main.mainMenu.Items().Items(0); }
    ui::MenuItem* named(MainForm& main, const std::string& name) { return main.mainMenu.Items().Find(name); }
    ui::MenuItem* recentEntry(MainForm& main) {
        ui::MenuItem& file = fileMenu(main);
        for (int i = 0; i < file.Count(); ++i)
            if (file.Items(i).Tag == ui::TMRUFileList::kItemTag && file.Items(i).Caption() != "-")
                return &file.Items(i);
        return nullptr;
    }
};

TEST_F(MainMenuTest, NewCatalogIsNamedThroughTheTextInputWindow) {
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ASSERT_NE(named(main, "MenuSaveAs"), nullptr);
    EXPECT_FALSE(named(main, "MenuSaveAs")->Enabled());  // nothing open

    kv::uitest::TimerAction type(150, [] {
        HWND edit = GetFocus();
        SetWindowTextA(edit, "Backup CDs");
        kv::uitest::postKey(edit, VK_RETURN);
    });
    command(main, *named(main, "MenuNewCat"));
    EXPECT_TRUE(type.ran());
    ASSERT_EQ(main.forest().roots().size(), 1u);
    EXPECT_EQ(main.forest().roots()[0]->text(), "Backup CDs");
    EXPECT_TRUE(named(main, "MenuSaveAs")->Enabled());
    EXPECT_TRUE(named(main, "MenuClose")->Enabled());

    kv::uitest::TimerAction cancel(150, [] { kv::uitest::postKey(GetFocus(), VK_ESCAPE); });
    command(main, *named(main, "MenuNewCat"));
    EXPECT_TRUE(cancel.ran());
    EXPECT_EQ(main.forest().roots().size(), 1u);
}

TEST_F(MainMenuTest, CloseAsksOnlyForChangesAndTheRecentListReopens) {
    const std::string path = catalogFile("work.ctf");
    commandLine = {path};
    {
        MainForm& main = makeMain();
        main.RunIdleOnce();
        ASSERT_EQ(main.forest().roots().size(), 1u);
        // As an open through the Open dialog lists it.
        main.recentFiles().AddFile(0, path);
        ui::MenuItem* recent = recentEntry(main);
        ASSERT_NE(recent, nullptr);
        EXPECT_EQ(recent->Caption().rfind("&1 ", 0), 0u);

        // Unchanged: closed without a question.
        main.tree.select(main.forest().roots()[0].get());
        command(main, *named(main, "MenuClose"));
        EXPECT_TRUE(main.forest().roots().empty());
        EXPECT_TRUE(prompt.asked.empty());

        command(main, *recentEntry(main));
        ASSERT_EQ(main.forest().roots().size(), 1u);
        Node& reopened = *main.forest().roots()[0];

        // Changed: the save question; No closes without saving.
        SetCatalogModified(reopened, true);
        main.tree.select(&reopened);
        prompt.answers = {PromptAnswer::No};
        command(main, *named(main, "MenuClose"));
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_EQ(prompt.asked[0].caption, "Confirm");
        EXPECT_TRUE(main.forest().roots().empty());
        this->main.reset();
    }
    // The list went to the registry when the window went.
    EXPECT_EQ(store.ReadString("MRUList", "F0"), path);
}

TEST_F(MainMenuTest, OpenIsRefusedWhileASearchWorkerRuns) {
    MainForm& main = makeMain();
    main.RunIdleOnce();
    WorkerThread search;
    std::atomic<bool> release{false};
    search.start([&](WorkerThread&) {
        while (!release) std::this_thread::yield();
    });
    main.searchActive = [&] { return search.running(); };
    command(main, *named(main, "MenuOpen"));
    release = true;
    search.join();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "Can't Open Catalog");
    EXPECT_EQ(prompt.asked[0].icon, ui::PromptIcon::Information);
}

}  // namespace
}  // namespace kv::test
