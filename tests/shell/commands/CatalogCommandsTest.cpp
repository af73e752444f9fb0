// The catalog commands against scripted windows, prompts and text input.
#include "shell/commands/CatalogCommands.h"

#include <gtest/gtest.h>

#include <deque>
#include <thread>

#include "base/Worker.h"
#include "shell/commands/CommandTable.h"
#include "shell/commands/SearchRefusal.h"
#include "tests/support/ScriptedPrompt.h"

namespace kv {
namespace {

using ui::PromptAnswer;

struct ScriptedTextInput : TextInput {
    std::optional<std::string> askText(const TextInputRequest& request) override {
        asked.push_back(request);
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<std::optional<std::string>> answers;
    std::vector<TextInputRequest> asked;
};

struct Tree : TreeViewPort {
    Node* selected() override { return selection; }
    void select(Node* node) override { selection = node; }
    void expand(Node&) override {}
    void collapse(Node&) override {}
    Node* selection = nullptr;
};

struct Window : CatalogWindow {
    void lockUpdates() override {}
    void unlockUpdates() override {}
    bool statusIdle() const override { return true; }
    void showStatus(const std::string&) override {}
    void clearItemList() override {}
    void updateCommands() override {}
    void processMessages() override { ++processed; }
    int processed = 0;
};

struct Tools : ToolWindows {
    bool exists(ToolWindow) const override { return true; }
    bool isEnabled(ToolWindow) const override { return true; }
    void setEnabled(ToolWindow, bool) override {}
    void hide(ToolWindow) override {}
    void rebuildSearchScope() override { ++rebuilt; }
    int rebuilt = 0;
};

struct SaveDialog : ISaveDialog {
    std::optional<std::string> askSaveName(const Request& request) override {
        asked.push_back(request.title);
        return std::nullopt;
    }
    std::vector<std::string> asked;
};

struct Fixture {
    Forest forest;
    ui::ScriptedPrompt prompt;
    Tree tree;
    Window window;
    Tools tools;
    ScriptedTextInput text;
    SaveDialog saveDialog;
    std::unique_ptr<IFileSystem> fs = MakeSystemFileSystem();
    SaveEnvironment saving{*fs, prompt, saveDialog};
    LifeCycleServices lifeCycle{forest, prompt, tree, window, tools,
                                [this](Node& n) { return SaveCatalogTelling(&n, false, saving); }};
    std::vector<CatalogOpenQueue::Files> openRequests;
    CatalogOpenQueue queue{[this](CatalogOpenQueue::Files files) { openRequests.push_back(files); }};
    bool searching = false;
    std::vector<int> updates;
    CatalogCommandServices services{lifeCycle, saving, text, queue};

    Fixture() {
        services.searchRunning = [this] { return searching; };
        saving.searchRunning = services.searchRunning;
        services.updateCommands = [this](std::uint8_t g) { updates.push_back(g); };
    }

    Node& catalog(const std::string& name, int disks = 1) {
        Node& n = forest.addRoot(name);
        (void)n.setRecord(std::make_unique<TCatalogRec>());
        for (int i = 1; i <= disks; ++i) {
            Node& d = forest.addChild(n, "disk" + std::to_string(i));
            (void)d.setRecord(std::make_unique<TDiskRec>());
        }
        return n;
    }
    TCatalogRec& rec(Node& n) { return *RecordAs<TCatalogRec>(n.record()); }
};

TEST(CatalogCommands, DefaultNamesAreExactAndCaseSensitive) {
    struct Case {
        std::vector<std::string> open;
        const char* expected;
    };
    for (const Case& c : std::vector<Case>{{{}, "Catalog1"},
                                           {{"Catalog1", "Catalog2"}, "Catalog3"},
                                           {{"Catalog2"}, "Catalog1"},
                                           {{"catalog1", "Catalog 1"}, "Catalog1"}}) {
        Forest forest;
        for (const std::string& name : c.open) forest.addRoot(name);
        EXPECT_EQ(NextDefaultCatalogName(forest), c.expected);
    }
}

TEST(CatalogCommands, NewCatalogTakesTheEnteredNameAndCancelOrBlankMakeNothing) {
    Fixture f;
    f.catalog("Catalog1");
    f.text.answers = {std::nullopt, std::string("  "), std::string("CDs")};
    EXPECT_EQ(NewCatalog(f.services), nullptr);
    EXPECT_EQ(NewCatalog(f.services), nullptr);
    EXPECT_EQ(f.forest.roots().size(), 1u);
    EXPECT_TRUE(f.updates.empty());

    Node* made = NewCatalog(f.services);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(f.text.asked.back().caption, "New Catalog");
    EXPECT_EQ(f.text.asked.back().label, "Enter a name for the new catalog:");
    EXPECT_EQ(f.text.asked.back().text, "Catalog2");
    EXPECT_EQ(made->text(), "CDs");
    EXPECT_TRUE(made->bold());
    ASSERT_NE(RecordAs<TCatalogRec>(made->record()), nullptr);
    EXPECT_FALSE(f.rec(*made).modified);
    EXPECT_EQ(f.tree.selection, made);
    EXPECT_EQ(f.updates, std::vector<int>{CommandGroup::All});
}

TEST(CatalogCommands, EveryDataCommandIsRefusedWhileASearchWorkerRuns) {
    struct Case {
        const char* command;
        std::function<void(Fixture&)> run;
        const char* caption;
    };
    std::vector<Case> cases = {
        {"open", [](Fixture& f) { OpenCatalogs(f.services); }, "Can't Open Catalog"},
        {"recent", [](Fixture& f) { OpenRecentCatalog(f.services, "C:\\a.ctf"); }, "Can't Open Catalog"},
        {"save", [](Fixture& f) { SaveSelectedCatalog(f.services, false); }, "Can't Save Catalog"},
        {"save as", [](Fixture& f) { SaveSelectedCatalog(f.services, true); }, "Can't Save Catalog"},
        {"close", [](Fixture& f) { CloseSelectedCatalog(f.services, CommandSource::MainMenu); }, "Can't close catalog"},
        {"close all", [](Fixture& f) { CloseEveryCatalog(f.services); }, "Can't close catalog"},
        {"tree delete", [](Fixture& f) { DeleteSelectedDisk(f.services); }, "Can't remove disk"},
        {"list delete",
         [](Fixture& f) {
             f.tree.selection = f.forest.roots()[0].get();
             DeleteListedDisk(f.services, f.tree.selection->child(0)->record());
         },
         "Can't remove disk"},
    };
    for (const Case& c : cases) {
        Fixture f;
        Node& cat = f.catalog("Cat");
        f.rec(cat).modified = true;
        f.tree.selection = cat.child(0);
        // A real worker stands for the search: the refusal asks the running state.
        WorkerThread search;
        std::atomic<bool> release{false};
        search.start([&](WorkerThread&) {
            while (!release) std::this_thread::yield();
        });
        f.services.searchRunning = [&] { return search.running(); };
        f.saving.searchRunning = f.services.searchRunning;
        c.run(f);
        release = true;
        search.join();

        ASSERT_EQ(f.prompt.asked.size(), 1u) << c.command;
        EXPECT_EQ(f.prompt.asked[0].caption, c.caption) << c.command;
        EXPECT_EQ(f.prompt.asked[0].icon, ui::PromptIcon::Information) << c.command;
        EXPECT_TRUE(f.prompt.asked[0].text.ends_with("Please cancel the search or wait for search to finish."))
            << c.command;
        EXPECT_TRUE(f.openRequests.empty()) << c.command;
        EXPECT_TRUE(f.saveDialog.asked.empty()) << c.command;
        EXPECT_EQ(f.forest.roots().size(), 1u) << c.command;
        EXPECT_EQ(cat.children().size(), 1u) << c.command;
        EXPECT_TRUE(f.rec(cat).modified) << c.command;
    }
}

// Export, compare and file check read file lists a running search may be walking.
TEST(CatalogCommands, CommandsThatLoadFileListsAreRefusedDuringASearch) {
    for (CommandId c : {CommandId::ExportDesc, CommandId::Compare, CommandId::CheckCat})
        EXPECT_EQ(CommandInfoOf(c).refusal, Refusal::UpdateData) << static_cast<int>(c);
}

TEST(CatalogCommands, TheRefusalTableCoversTheDataCommands) {
    for (Refusal r : {Refusal::UpdateData, Refusal::OpenCatalog, Refusal::SaveCatalog, Refusal::CloseCatalog,
                      Refusal::RemoveDisk}) {
        RefusalText t = RefusalMessage(r);
        EXPECT_TRUE(std::string(t.text).ends_with(".\rPlease cancel the search or wait for search to finish."));
    }
    ui::ScriptedPrompt prompt;
    EXPECT_FALSE(RefusedDuringSearch(Refusal::UpdateData, false, prompt));
    EXPECT_FALSE(RefusedDuringSearch(Refusal::None, true, prompt));
    EXPECT_TRUE(prompt.asked.empty());
}

TEST(CatalogCommands, SaveTellsWhyItWasRefusedAndSaveAsAlwaysAsks) {
    Fixture f;
    Node& cat = f.catalog("Cat");
    f.tree.selection = cat.child(0);
    EXPECT_EQ(SaveSelectedCatalog(f.services, false), SaveResult::Saved);  // unmodified: nothing to do
    EXPECT_TRUE(f.saveDialog.asked.empty());

    f.rec(cat).fileName = "C:\\Cat.ctf";
    EXPECT_EQ(SaveSelectedCatalog(f.services, true), SaveResult::Cancelled);
    EXPECT_EQ(f.saveDialog.asked.size(), 1u);

    f.saving.saving = true;  // another save is running
    f.rec(cat).modified = true;
    EXPECT_EQ(SaveSelectedCatalog(f.services, false), SaveResult::Refused);
    ASSERT_EQ(f.prompt.asked.size(), 1u);
    EXPECT_EQ(f.prompt.asked[0].caption, "Can't Save Catalog");
    EXPECT_NE(f.prompt.asked[0].text.find("another catalog is being saved"), std::string::npos);

    f.tree.selection = nullptr;
    EXPECT_EQ(SaveSelectedCatalog(f.services, false), SaveResult::Cancelled);
    EXPECT_EQ(f.prompt.asked.size(), 1u);
}

TEST(CatalogCommands, CloseAndCloseAll) {
    Fixture f;
    Node& one = f.catalog("One");
    f.catalog("Two");
    f.prompt.answers = {PromptAnswer::Cancel};
    CloseEveryCatalog(f.services);
    EXPECT_EQ(f.prompt.asked.back().caption, "Confirm closing");
    EXPECT_EQ(f.prompt.asked.back().buttons, ui::PromptButtons::OkCancel);
    EXPECT_EQ(f.forest.roots().size(), 2u);

    // The tree popup closes the selected catalog; without a selection nothing closes.
    CloseSelectedCatalog(f.services, CommandSource::MainMenu);
    EXPECT_EQ(f.forest.roots().size(), 2u);
    f.tree.selection = one.child(0);
    CloseSelectedCatalog(f.services, CommandSource::TreePopup);  // a disk is no catalog
    EXPECT_EQ(f.forest.roots().size(), 2u);
    CloseSelectedCatalog(f.services, CommandSource::MainMenu);
    ASSERT_EQ(f.forest.roots().size(), 1u);
    EXPECT_EQ(f.forest.roots()[0]->text(), "Two");

    // Del on a catalog node asks first; Cancel keeps it.
    Node& two = *f.forest.roots()[0];
    f.tree.selection = &two;
    f.prompt.answers = {PromptAnswer::Cancel};
    AskCloseSelectedCatalog(f.services);
    EXPECT_EQ(f.prompt.asked.back().text, "Would you really like to close selected catalog?");
    EXPECT_EQ(f.forest.roots().size(), 1u);

    f.catalog("Three");
    f.prompt.answers = {PromptAnswer::Ok};
    CloseEveryCatalog(f.services);
    EXPECT_TRUE(f.forest.roots().empty());
}

TEST(CatalogCommands, DeletingDisksAsksMarksTheCatalogAndRebuildsTheSearchScope) {
    Fixture f;
    Node& cat = f.catalog("Cat", 3);
    f.tree.selection = &cat;
    const ItemHead* row = cat.child(1)->record();

    f.prompt.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(DeleteListedDisk(f.services, row));
    EXPECT_EQ(f.prompt.asked.back().caption, "Delete disk");
    EXPECT_EQ(f.prompt.asked.back().text, "Please confirm removing all data for disk \"disk2\" from the catalog.");
    EXPECT_EQ(cat.children().size(), 3u);
    EXPECT_FALSE(f.rec(cat).modified);

    f.prompt.answers = {PromptAnswer::Ok};
    EXPECT_TRUE(DeleteListedDisk(f.services, row));
    EXPECT_EQ(cat.children().size(), 2u);
    EXPECT_TRUE(f.rec(cat).modified);
    EXPECT_EQ(f.tools.rebuilt, 1);
    EXPECT_FALSE(DeleteListedDisk(f.services, nullptr));

    int treeChanges = 0;
    f.services.treeSelectionChanged = [&] { ++treeChanges; };
    f.tree.selection = cat.child(0);
    f.prompt.answers = {PromptAnswer::Ok};
    EXPECT_TRUE(DeleteSelectedDisk(f.services));
    EXPECT_EQ(cat.children().size(), 1u);
    EXPECT_EQ(f.tools.rebuilt, 2);
    EXPECT_EQ(treeChanges, 1);
    f.tree.selection = &cat;
    EXPECT_FALSE(DeleteSelectedDisk(f.services));  // a catalog is no disk
}

TEST(CatalogCommands, OpeningAsksTheQueueAndRecentNamesGoWithoutTheDialog) {
    Fixture f;
    int resorted = 0;
    f.services.resortList = [&] { ++resorted; };
    OpenCatalogs(f.services);
    OpenRecentCatalog(f.services, "C:\\a.ctf");
    ASSERT_EQ(f.openRequests.size(), 2u);
    EXPECT_EQ(f.openRequests[0], std::nullopt);
    EXPECT_EQ(f.openRequests[1], (std::vector<std::string>{"C:\\a.ctf"}));
    EXPECT_EQ(resorted, 2);
}

}  // namespace
}  // namespace kv
