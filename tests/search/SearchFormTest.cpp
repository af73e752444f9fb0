#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

#include "search/SearchFormWin32.h"
#include "tests/catalog/ModelFixture.h"
#include "tests/ui/UiFixture.h"

namespace kv {
namespace {

using namespace std::chrono_literals;

struct RecordingLocator : IItemLocator {
    ItemHead* went = nullptr;
    void GoToItem(ItemHead& item) override { went = &item; }
};

class SearchFormTest : public UiTest {
protected:
    test::ModelFixture model;
    RecordingLocator locator;
    ResultListSet lists;
    std::unique_ptr<TSearchForm> form;

    void SetUp() override {
        UiTest::SetUp();
        form = std::make_unique<TSearchForm>(SearchFormServices{model.forest, &locator, {}, {}, {}});
        lists.Attach(&form->NormalResults());
        lists.Attach(&form->DuplicateResults());
        model.forest.context().resultLists = &lists;
    }
    void TearDown() override {
        form.reset();
        model.forest.context().resultLists = nullptr;
        UiTest::TearDown();
    }

    // Pumps the loop as the program's would, until the run has ended.
    bool WaitForRun() {
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        while (form->SearchRunning() && std::chrono::steady_clock::now() < deadline) {
            app().processMessages();
            std::this_thread::sleep_for(1ms);
        }
        app().processMessages();
        return !form->SearchRunning();
    }

    void SearchByName(const std::string& text) {
        SearchFormValues v = form->Values();
        v.byName = true;
        v.nameMode = NameMode::Part;
        v.nameText = text;
        form->SetValues(v);
        form->BtnFindClick();
    }
};

TEST_F(SearchFormTest, FindListsHitsAndGoesToOne) {
    SearchByName("a1");
    EXPECT_TRUE(form->SearchRunning());
    EXPECT_FALSE(form->BtnFind.visible());
    ASSERT_TRUE(WaitForRun());
    ASSERT_EQ(form->NormalResults().Count(), 1u);
    EXPECT_EQ(form->FoundList.View().ItemCount(), 1);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(form->StatusBar.panelText(0), "Items in list: 1");
    // The run focused the first hit; Locate goes to it in the main window.
    EXPECT_TRUE(form->FoundList.LocateFocused());
    EXPECT_EQ(locator.went, form->NormalResults().At(0));
}

TEST_F(SearchFormTest, NoHitsIsSaidAndAnEmptyNameIsAskedAbout) {
    SearchByName("nothing like it");
    ASSERT_TRUE(WaitForRun());
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "No hits");

    // The user stays in the window: no run starts.
    prompt.asked.clear();
    prompt.answers = {ui::PromptAnswer::No};
    SearchByName("");
    EXPECT_FALSE(form->SearchRunning());
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "Invalid item name field");
}

TEST_F(SearchFormTest, RemovingAndClearingAskFirst) {
    SearchByName(".txt");
    ASSERT_TRUE(WaitForRun());
    ASSERT_EQ(form->NormalResults().Count(), 4u);
    prompt.answers = {ui::PromptAnswer::Yes};
    form->FoundList.BtnClearClick(true);
    EXPECT_EQ(prompt.asked.back().caption, "Delete all items");
    EXPECT_EQ(form->NormalResults().Count(), 0u);
    EXPECT_EQ(form->FoundList.View().ItemCount(), 0);
}

TEST_F(SearchFormTest, ClosingDuringARunStopsAndWaits) {
    // Enough files that the run is still going when the close comes.
    FileOwnerRecord& owner = test::ModelFixture::folderRec(*model.a2);
    for (int i = 0; i < 200000; ++i)
        test::AddFile(owner, "f" + std::to_string(i));
    SearchByName("f");
    ASSERT_TRUE(form->SearchRunning());
    EXPECT_TRUE(form->StopSearch());
    EXPECT_FALSE(form->SearchRunning());
    // A stopped run says nothing about hits.
    EXPECT_TRUE(prompt.asked.empty());
    form.reset();
}

TEST_F(UiTest, WorkerCallsWaitWhileTheQueueIsHeld) {
    SearchSyncWin32 sync;
    std::atomic<bool> ran{false};
    std::optional<SearchSyncWin32::Hold> hold(sync);
    std::thread worker([&] { sync.synchronize([&] { ran = true; }); });
    for (int i = 0; i < 50; ++i) {
        app().processMessages();
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_FALSE(ran);
    hold.reset();
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!ran && std::chrono::steady_clock::now() < deadline) {
        app().processMessages();
        std::this_thread::sleep_for(1ms);
    }
    worker.join();
    EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace kv
