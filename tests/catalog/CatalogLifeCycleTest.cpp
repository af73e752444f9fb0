// Closing catalogs with the save question, against scripted windows: what stays
// open, what the item list and the selection do, and that locks and disabled
// tool windows come back on every path.
#include <gtest/gtest.h>

#include "catalog/CatalogLifeCycle.h"
#include "tests/support/ScriptedPrompt.h"

namespace kv::test {
namespace {

using ui::PromptAnswer;

class FakeTree : public TreeViewPort {
public:
    Node* selected() override { return selection; }
    void select(Node* node) override { selection = node; }
    void expand(Node&) override {}
    void collapse(Node& node) override { collapsed.push_back(node.text()); }
    Node* selection = nullptr;
    std::vector<std::string> collapsed;
};

class FakeWindow : public CatalogWindow {
public:
    void lockUpdates() override { ++locks; }
    void unlockUpdates() override { --locks; }
    bool statusIdle() const override { return status.empty(); }
    void showStatus(const std::string& text) override {
        status = text;
        statusLog.push_back(text);
    }
    void clearItemList() override { ++itemListCleared; }
    void updateCommands() override { ++commandsUpdated; }
    void processMessages() override {}
    int locks = 0;
    std::string status;
    std::vector<std::string> statusLog;
    int itemListCleared = 0;
    int commandsUpdated = 0;
};

class FakeTools : public ToolWindows {
public:
    bool exists(ToolWindow) const override { return true; }
    bool isEnabled(ToolWindow w) const override { return enabled[static_cast<int>(w)]; }
    void setEnabled(ToolWindow w, bool on) override { enabled[static_cast<int>(w)] = on; }
    void hide(ToolWindow w) override { hidden[static_cast<int>(w)] = true; }
    void rebuildSearchScope() override { ++rebuilt; }
    bool enabled[2] = {true, true};
    bool hidden[2] = {false, false};
    int rebuilt = 0;
};

struct LifeCycleFixture {
    Forest forest;
    ui::ScriptedPrompt prompt;
    FakeTree tree;
    FakeWindow window;
    FakeTools tools;
    std::vector<SaveResult> saveResults;
    std::vector<std::string> saved;
    LifeCycleServices services{forest, prompt, tree, window, tools, [this](Node& n) {
                                   saved.push_back(n.text());
                                   SaveResult r = saveResults.empty() ? SaveResult::Saved : saveResults.front();
                                   if (!saveResults.empty()) saveResults.erase(saveResults.begin());
                                   return r;
                               }};

    Node& catalog(const std::string& name, bool modified) {
        Node& n = forest.addRoot(name);
        auto rec = std::make_unique<TCatalogRec>();
        rec->modified = modified;
        (void)n.setRecord(std::move(rec));
        Node& disk = forest.addChild(n, "disk");
        (void)disk.setRecord(std::make_unique<TDiskRec>());
        Node& folder = forest.addChild(disk, "folder");
        (void)folder.setRecord(std::make_unique<TFolderRec>());
        return n;
    }

    std::vector<std::string> open() const {
        std::vector<std::string> names;
        for (const auto& root : forest.roots()) names.push_back(root->text());
        return names;
    }

    // Every path gives back what it took.
    void expectRestored() const {
        EXPECT_EQ(window.locks, 0);
        EXPECT_EQ(window.status, "");
        EXPECT_TRUE(tools.enabled[0]);
        EXPECT_TRUE(tools.enabled[1]);
    }
};

TEST(CatalogLifeCycle, ClosingTheOnlyCatalogWithAFolderSelected) {
    LifeCycleFixture f;
    Node& cat = f.catalog("Only", false);
    f.tree.selection = cat.child(0)->child(0);
    EXPECT_EQ(CloseCatalog(f.services, cat, true), kAnswerYes);
    EXPECT_TRUE(f.forest.roots().empty());
    EXPECT_EQ(f.window.itemListCleared, 1);
    EXPECT_EQ(f.tree.selection, nullptr);
    EXPECT_TRUE(f.tools.hidden[0] && f.tools.hidden[1]);
    EXPECT_TRUE(f.prompt.asked.empty());
    EXPECT_EQ(f.window.statusLog, (std::vector<std::string>{"Wait, closing catalog...", ""}));
    f.expectRestored();
}

TEST(CatalogLifeCycle, DeletingMovesTheSelectionToTheNextSiblingOrParent) {
    LifeCycleFixture f;
    Node& a = f.catalog("A", false);
    Node& b = f.catalog("B", false);
    f.tree.selection = a.child(0);
    DeleteCatalogNode(f.services, a);
    EXPECT_EQ(f.tree.selection, &b);
    Node& folder = *b.child(0)->child(0);
    f.tree.selection = &folder;
    DeleteCatalogNode(f.services, folder);
    EXPECT_EQ(f.tree.selection, b.child(0));
    f.tree.selection = &b;
    DeleteCatalogNode(f.services, *b.child(0));
    EXPECT_EQ(f.tree.selection, &b) << "a selection outside the deleted branch stays";
    EXPECT_EQ(f.window.itemListCleared, 2);
}

TEST(CatalogLifeCycle, CloseAllGoesFromLastToFirstAndStopsAtCancel) {
    LifeCycleFixture f;
    for (const char* name : {"1", "2", "3", "4", "5"}) f.catalog(name, true);
    f.tools.enabled[1] = false;  // disabled by someone else: stays so
    f.prompt.answers = {PromptAnswer::No, PromptAnswer::Yes, PromptAnswer::Cancel};
    EXPECT_EQ(CloseAllCatalogs(f.services, true), kAnswerCancel);
    EXPECT_EQ(f.open(), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(f.saved, std::vector<std::string>{"4"});
    ASSERT_EQ(f.prompt.asked.size(), 3u);
    EXPECT_EQ(f.prompt.asked[2].text, "Save changes to catalog \"3\" ?");
    EXPECT_EQ(f.prompt.asked[2].caption, "Confirm");
    EXPECT_EQ(f.prompt.asked[2].buttons, ui::PromptButtons::YesNoCancel);
    EXPECT_EQ(f.window.locks, 0);
    EXPECT_EQ(f.window.status, "");
    EXPECT_TRUE(f.tools.enabled[0]);
    EXPECT_FALSE(f.tools.enabled[1]);
    EXPECT_EQ(f.window.commandsUpdated, 1);
}

TEST(CatalogLifeCycle, CloseAllWhileTheProgramClosesAsksNothing) {
    LifeCycleFixture f;
    for (const char* name : {"1", "2"}) f.catalog(name, true);
    f.forest.context().programClosing = true;
    EXPECT_EQ(CloseAllCatalogs(f.services, true), kAnswerYes);
    EXPECT_TRUE(f.forest.roots().empty());
    EXPECT_TRUE(f.prompt.asked.empty());
    EXPECT_EQ(f.tools.rebuilt, 0);
}

TEST(CatalogLifeCycle, AYesWhoseSaveDoesNotCompleteClosesNothing) {
    for (SaveResult result : {SaveResult::Failed, SaveResult::Cancelled}) {
        LifeCycleFixture f;
        Node& cat = f.catalog("Kept", true);
        f.prompt.answers = {PromptAnswer::Yes};
        f.saveResults = {result};
        EXPECT_EQ(CloseCatalog(f.services, cat, true), kAnswerCancel);
        EXPECT_EQ(f.open(), std::vector<std::string>{"Kept"});
        f.expectRestored();
    }
}

TEST(CatalogLifeCycle, QuerySaveModifiedCatalogs) {
    struct Case {
        const char* what;
        std::vector<bool> modified;
        std::vector<PromptAnswer> answers;
        std::vector<SaveResult> saves;
        int result;
        std::size_t asked;
    };
    const Case cases[] = {
        {"nothing modified", {false, false}, {}, {}, kAnswerYes, 0},
        {"all saved", {true, false, true}, {PromptAnswer::Yes, PromptAnswer::Yes}, {}, kAnswerYes, 2},
        {"No is an answer too", {true, true}, {PromptAnswer::Yes, PromptAnswer::No}, {}, static_cast<int>(PromptAnswer::No), 2},
        {"cancel stops", {true, true}, {PromptAnswer::Cancel}, {}, kAnswerCancel, 1},
        {"failed save stops", {true, true}, {PromptAnswer::Yes}, {SaveResult::Failed}, kAnswerCancel, 1},
        {"cancelled save stops", {true, true}, {PromptAnswer::Yes}, {SaveResult::Cancelled}, kAnswerCancel, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LifeCycleFixture f;
        for (std::size_t i = 0; i < c.modified.size(); ++i) f.catalog(std::to_string(i), c.modified[i]);
        f.prompt.answers.assign(c.answers.begin(), c.answers.end());
        f.saveResults = c.saves;
        EXPECT_EQ(QuerySaveModifiedCatalogs(f.services), c.result);
        EXPECT_EQ(f.prompt.asked.size(), c.asked);
        EXPECT_EQ(f.forest.roots().size(), c.modified.size());
    }
}

TEST(CatalogLifeCycle, RequestsArrivingDuringAnOpenAreHandledAfterIt) {
    std::vector<std::string> handled;
    CatalogOpenQueue* queue = nullptr;
    CatalogOpenQueue q([&](CatalogOpenQueue::Files files) {
        const std::string name = files ? (files->empty() ? "" : files->front()) : "<dialog>";
        handled.push_back(name);
        if (name == "first") {
            // A hand-over arriving while the first open runs.
            queue->RequestOpenCatalogs(std::vector<std::string>{"second"});
            queue->RequestOpenCatalogs(std::nullopt);
            handled.push_back("first done");
        }
    });
    queue = &q;
    q.RequestOpenCatalogs(std::vector<std::string>{"first"});
    EXPECT_EQ(handled, (std::vector<std::string>{"first", "first done", "second", "<dialog>"}));
    EXPECT_FALSE(q.busy());
}

}  // namespace
}  // namespace kv::test
