#pragma once
// The search window on a small catalog, with the main window's side faked.
#include <chrono>
#include <memory>
#include <span>
#include <thread>
#include <vector>

#include "search/window/SearchFormWin32.h"
#include "tests/catalog/ModelFixture.h"
#include "tests/ui/UiFixture.h"

namespace kv {

using namespace std::chrono_literals;

struct RecordingLocator : IItemLocator {
    ItemHead* went = nullptr;
    void GoToItem(ItemHead& item) override { went = &item; }
};

// The main window's side of the hit actions: what was asked, on which records.
struct RecordingCommands : IFoundItemCommands {
    struct Call {
        FoundAction action;
        std::vector<ItemHead*> records;
    };
    std::vector<Call> calls;
    bool offered = true;
    bool Offers(FoundAction) const override { return offered; }
    void EditItemDescription(ItemHead& item) override { calls.push_back({FoundAction::EditDesc, {&item}}); }
    void ShowItemProperties(ItemHead& item) override { calls.push_back({FoundAction::Properties, {&item}}); }
    void RunFoundCommand(FoundAction action, std::span<ItemHead* const> selected, ItemHead*) override {
        calls.push_back({action, {selected.begin(), selected.end()}});
    }
    void AddToUserList(std::span<ItemHead* const> selected) override {
        calls.push_back({FoundAction::AddList, {selected.begin(), selected.end()}});
    }
};

// The search window's placement goes here, not under the program's key.
constexpr const char* kPlacementKey = "\\SOFTWARE\\Talvenmoor\\KorvalderSearchFormTest";

class SearchFormTest : public UiTest {
protected:
    test::ModelFixture model;
    RecordingLocator locator;
    RecordingCommands commands;
    int doubleClick = 1;
    // Polled on the worker while a duplicate run sorts; set before the run.
    std::function<bool()> escPressed;
    ResultListSet lists;
    std::unique_ptr<TSearchForm> form;

    void SetUp() override {
        UiTest::SetUp();
        RegDeleteTreeA(HKEY_CURRENT_USER, kPlacementKey + 1);
        MakeForm();
    }
    void MakeForm() {
        SearchFormServices services{model.forest, &locator, {}, {}, {}};
        services.placementKey = kPlacementKey;
        services.commands = &commands;
        services.doubleClickAction = [this] { return doubleClick; };
        services.escPressed = [this] { return escPressed && escPressed(); };
        form = std::make_unique<TSearchForm>(std::move(services));
        lists.Attach(&form->NormalResults());
        lists.Attach(&form->DuplicateResults());
        model.forest.context().resultLists = &lists;
    }
    void TearDown() override {
        form.reset();
        RegDeleteTreeA(HKEY_CURRENT_USER, kPlacementKey + 1);
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

    // As after a search in each mode: the found area shows and the window grows to it.
    void ShowFoundLists() {
        form->NormalResults().listShown = form->DuplicateResults().listShown = true;
        form->UpdateFormLayout();
    }

    // A duplicate search of files by size alone.
    void FindDuplicatesBySize() {
        form->DuplicateModeRadio.click();
        SearchFormValues v = form->Values();
        v.byName = false;
        v.searchFolders = v.searchDisks = false;
        v.dupName = false;
        v.dupSize = true;
        form->SetValues(v);
        form->BtnFindClick();
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

}  // namespace kv
