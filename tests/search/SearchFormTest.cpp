#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>

#include "search/results/FoundColumns.h"
#include "search/window/RegisteredTypesWin32.h"
#include "shell/browse/SearchListCells.h"
#include "tests/search/SearchFormFixture.h"
#include "tests/search/NameOrderCells.h"
#include "tests/support/TestInput.h"
#include "ui/MessageBoxPrompt.h"
#include "ui/WaitForm.h"

namespace kv {
namespace {

using namespace std::chrono_literals;

TEST_F(SearchFormTest, FindListsHitsAndGoesToOne) {
    SearchByName("a1");
    EXPECT_TRUE(form->SearchRunning());
    EXPECT_FALSE(form->BtnFind.visible());
    ASSERT_TRUE(WaitForRun());
    ASSERT_EQ(form->NormalResults().Count(), 1u);
    EXPECT_EQ(form->FoundList.View().ItemCount(), 1);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(form->StatusBar.panelText(0), "Items in list: 1");
    // The run focused and selected the first hit; Locate goes to it in the main window.
    EXPECT_EQ(form->FoundList.SelectedRows(), std::vector<std::size_t>{0});
    EXPECT_TRUE(form->FoundList.LocateFocused());
    EXPECT_EQ(locator.went, form->NormalResults().At(0));
}

// Cells far wider than the column headers.
class WideCells final : public FoundCellProvider {
public:
    std::string CellText(const ItemHead& rec, int) const override {
        return "A rather long text beside " + std::string(ItemName(rec)) + " to be seen whole";
    }
    int CellImage(const ItemHead&) const override { return -1; }
    bool SortItems(std::vector<ItemHead*>&, int, bool, std::atomic<bool>&, const SortHooks&) const override {
        return true;
    }
};

TEST_F(SearchFormTest, AutomaticColumnsFitTheHitsOnceTheRunEnds) {
    WideCells cells;
    form->FoundList.SetCellProvider(&cells, nullptr);
    ui::TExtListView& view = form->FoundList.View();
    view.SetColumnWidth(kFoundName, -2);
    view.SetColumnWidth(kFoundExt, -2);
    view.SetColumnWidth(kFoundSize, 40);
    SearchByName("a1");
    ASSERT_TRUE(WaitForRun());
    ASSERT_EQ(view.ItemCount(), 1);
    const int wide = view.ContentsWidth(kFoundName);
    EXPECT_GT(wide, view.HeaderTextWidth(kFoundName));
    EXPECT_EQ(view.ColumnWidth(kFoundName), wide);
    EXPECT_EQ(view.ColumnWidth(kFoundExt), view.ContentsWidth(kFoundExt));
    EXPECT_EQ(view.ColumnWidth(kFoundSize), 40);
    form->FoundList.SetCellProvider(nullptr, nullptr);
}

// Enter finds from the criteria; in the found list it is the list's own key.
TEST_F(SearchFormTest, EnterFindsExceptInTheFoundList) {
    form->show();
    SearchFormValues v = form->Values();
    v.byName = true;
    v.nameMode = NameMode::Part;
    v.nameText = "a1";
    form->SetValues(v);
    auto enterIn = [&](HWND control) {
        SetFocus(control);
        app().processMessages();
        PostMessageA(control, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageA(control, WM_KEYUP, VK_RETURN, 0);
        app().processMessages();
    };
    enterIn(form->NameEdit.hwnd());
    ASSERT_TRUE(WaitForRun());
    ASSERT_EQ(form->NormalResults().Count(), 1u);

    // The double-click action of the settings (1: properties) on the focused hit.
    enterIn(form->FoundList.View().hwnd());
    EXPECT_FALSE(form->SearchRunning());
    ASSERT_EQ(commands.calls.size(), 1u);
    EXPECT_EQ(commands.calls[0].action, FoundAction::Properties);

    // An action the main window does not offer is disabled, not silent: Enter
    // asks nothing of it, while Locate, the window's own, stays.
    commands.offered = false;
    const FoundActionStates states = form->FoundButtonStates();
    for (FoundAction a : {FoundAction::EditDesc, FoundAction::Properties, FoundAction::SetCategory,
                          FoundAction::View, FoundAction::CopyTo, FoundAction::AddList, FoundAction::Report})
        EXPECT_FALSE(states[a]) << static_cast<int>(a);
    EXPECT_TRUE(states[FoundAction::Locate]);
    EXPECT_TRUE(states[FoundAction::Remove]);
    enterIn(form->FoundList.View().hwnd());
    EXPECT_EQ(commands.calls.size(), 1u);
}

// A fresh window as the user meets it, and the rules by which its pages show
// and enable their fields.
TEST_F(SearchFormTest, PagesStartAsDesignedAndFollowTheirChoices) {
    auto& f = *form;
    // As a click does, on a page that need not be in front.
    auto toggle = [](ui::CheckBox& box) {
        box.setChecked(!box.checked());
        box.onClick(box);
    };
    EXPECT_TRUE(f.DuplicateNameCheck.checked());
    EXPECT_TRUE(f.DuplicateSizeCheck.checked());
    EXPECT_TRUE(f.DuplicateArchivesCheck.checked());
    EXPECT_FALSE(f.SearchForCompressed.checked());
    EXPECT_EQ(f.MaxFoundNum.value(), 1000);
    EXPECT_FALSE(f.MaxFoundNum.enabled());
    toggle(f.LimitFoundCheck);
    EXPECT_TRUE(f.MaxFoundNum.enabled());
    EXPECT_EQ(f.Pages.pageCaption(TSearchForm::MainSheet), "What to Search for");
    EXPECT_EQ(f.Pages.pageCaption(TSearchForm::SettingsSheet), "Search Settings");
    EXPECT_LT(f.Pages.tabOfPage(TSearchForm::SettingsSheet), 0);
    toggle(f.ShowSettingsCheck);
    EXPECT_EQ(f.Pages.activePage(), TSearchForm::SettingsSheet);
    f.DuplicateModeRadio.click();
    EXPECT_EQ(f.Pages.pageCaption(TSearchForm::SettingsSheet), "Duplicates Settings");
    EXPECT_FALSE(f.AttrArchiveCheck.visible());
    f.NormalModeRadio.click();

    // The two archive boxes move together.
    toggle(f.SearchForCompressed);
    EXPECT_TRUE(f.SearchForCompressed.checked());
    EXPECT_TRUE(f.DuplicateArchivesCheck.checked());
    toggle(f.DuplicateArchivesCheck);
    EXPECT_FALSE(f.SearchForCompressed.checked());

    // Size: values follow the relation; the second with Between; 1.5 MB is shown as 1536 KB.
    EXPECT_FALSE(f.SizeValue1.enabled());
    f.SizeCombo.setItemIndex(4);
    f.SizeCombo.onChange(f.SizeCombo);
    EXPECT_TRUE(f.SizeValue1.enabled());
    EXPECT_TRUE(f.SizeValue2.visible());
    EXPECT_FALSE(f.SizeValue3.enabled());
    toggle(f.SizeAllowTolerance);
    EXPECT_TRUE(f.SizeValue3.enabled());
    f.SizeValue1.setText("1.5");
    f.SizeUnits1.setItemIndex(2);
    f.SizeValue1.onExit(f.SizeValue1);
    EXPECT_EQ(f.SizeValue1.text(), "1536");
    EXPECT_EQ(f.SizeUnits1.itemIndex(), 1);
    f.SizeCombo.setItemIndex(0);
    f.SizeCombo.onChange(f.SizeCombo);
    EXPECT_EQ(f.SizeCombo.itemIndex(), -1);  // "(none)" leaves no selection
    EXPECT_FALSE(f.SizeValue1.enabled());

    // Dates: the rest of the row follows the first combo, the tolerance its box.
    EXPECT_FALSE(f.DateCombo2.enabled());
    f.DateCombo1.setItemIndex(2);
    f.DateCombo1.onChange(f.DateCombo1);
    EXPECT_TRUE(f.DateCombo2.enabled());
    EXPECT_FALSE(f.DateTolerance.enabled());
    toggle(f.DateAllowTolerance);
    EXPECT_TRUE(f.DateTolerance.enabled());
    f.DateTolerance.setText("250");
    EXPECT_EQ(f.Values().dateToleranceDays, 99);

    // The description text goes with its radio button.
    f.DescCheck1.click();
    EXPECT_FALSE(f.DescEdit.enabled());
    f.DescCheck2.click();
    EXPECT_TRUE(f.DescEdit.enabled());

    // Each name mode keeps its own text.
    f.NameEdit.setText("report");
    f.NameCombo.setItemIndex(1);
    f.NameCombo.onChange(f.NameCombo);
    EXPECT_EQ(f.NameEdit.text(), "");
    EXPECT_EQ(f.NameEditLabel.text(), "File Mask:");
    f.NameEdit.setText("*.doc");
    f.NameCombo.setItemIndex(0);
    f.NameCombo.onChange(f.NameCombo);
    EXPECT_EQ(f.NameEdit.text(), "report");
    f.BtnNewClick();
    f.NameCombo.setItemIndex(1);
    f.NameCombo.onChange(f.NameCombo);
    EXPECT_EQ(f.NameEdit.text(), "");
}

TEST_F(SearchFormTest, NoHitsIsSaidAndAnEmptyNameIsAskedAbout) {
    SearchByName("nothing like it");
    ASSERT_TRUE(WaitForRun());
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "No hits");

    // The user stays in the window: no run starts.
    prompt.asked.clear();
    prompt.answers = {ui::PromptAnswer::No};
    form->show();
    SearchByName("");
    EXPECT_FALSE(form->SearchRunning());
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "Invalid item name field");
    // The page of the field is in front and the field has the focus.
    EXPECT_EQ(form->Pages.activePage(), TSearchForm::NameSheet);
    EXPECT_EQ(GetFocus(), form->NameEdit.hwnd());
    form->hide();
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

TEST_F(SearchFormTest, AColumnClickSortsOrReversesButNotDuringARun) {
    test::NameOrderCells cells;
    form->FoundList.SetCellProvider(&cells, nullptr);
    SearchByName(".txt");
    ASSERT_TRUE(WaitForRun());
    auto names = [&] {
        std::vector<std::string> n;
        for (int row = 0; row < form->FoundList.View().ItemCount(); ++row)
            n.emplace_back(ItemName(*form->NormalResults().At(static_cast<std::size_t>(row))));
        return n;
    };
    std::vector<std::string> sorted = names();
    std::sort(sorted.begin(), sorted.end());
    form->FoundList.ColumnClick(kFoundName);
    EXPECT_EQ(names(), sorted);
    form->FoundList.ColumnClick(kFoundName);
    EXPECT_EQ(names(), std::vector<std::string>(sorted.rbegin(), sorted.rend()));
    EXPECT_TRUE(form->NormalResults().sortDescending);

    // Type-ahead in the list view: the next row from the start whose name begins so.
    // The list is descending now: the last row holds the first name.
    const std::string first = sorted.front();
    LVFINDINFOA find{};
    find.flags = LVFI_STRING | LVFI_PARTIAL;
    find.psz = first.c_str();
    EXPECT_EQ(SendMessageA(form->FoundList.View().hwnd(), LVM_FINDITEMA, 0, reinterpret_cast<LPARAM>(&find)),
              static_cast<LRESULT>(sorted.size() - 1));

    SearchByName("a1");
    ASSERT_TRUE(form->SearchRunning());
    form->FoundList.ColumnClick(kFoundSize);
    EXPECT_EQ(form->NormalResults().sortColumn, TResultList::kUnsorted);
    ASSERT_TRUE(WaitForRun());
    form->FoundList.SetCellProvider(nullptr, nullptr);
}

// The main window's cells with a pause before each pump, so that a timer is
// due whenever the sort pumps.
class SlowPumpCells final : public FoundCellProvider {
public:
    std::string CellText(const ItemHead& rec, int column) const override { return cells_.CellText(rec, column); }
    int CellImage(const ItemHead&) const override { return -1; }
    bool SortItems(std::vector<ItemHead*>& items, int column, bool descending, std::atomic<bool>& cancel,
                   const SortHooks& hooks) const override {
        SortHooks slow = hooks;
        slow.processMessages = [&hooks] {
            Sleep(20);
            hooks.processMessages();
        };
        return cells_.SortItems(items, column, descending, cancel, slow);
    }

private:
    SearchListCells cells_{{}};
};

struct SortChange {
    static inline std::function<void()> run;
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (run)
            run();
    }
};

// A catalog change while the found list sorts (records freed as by closing a
// catalog): the sort stops, the list keeps only live records, numbered, and the
// window takes no input meanwhile.
TEST_F(SearchFormTest, AColumnSortStopsWhenRecordsAreFreedMeanwhile) {
    FileOwnerRecord& owner = test::ModelFixture::folderRec(*model.a2);
    for (int i = 0; i < 20000; ++i)
        test::AddFile(owner, "f" + std::to_string(19999 - i) + ".dat");
    SlowPumpCells cells;
    form->FoundList.SetCellProvider(&cells, nullptr);
    form->show();
    SearchByName(".");
    ASSERT_TRUE(WaitForRun());
    TResultList& list = form->NormalResults();
    ASSERT_GT(list.Count(), 20000u);
    // Everything but the files of A2.
    std::vector<ItemHead*> kept;
    for (ItemHead* item : list.Items())
        if (!ItemName(*item).starts_with("f"))
            kept.push_back(item);
    bool disabledMeanwhile = false, refusedFind = false;
    SortChange::run = [&] {
        disabledMeanwhile = !IsWindowEnabled(form->hwnd());
        form->BtnFindClick();
        refusedFind = !form->SearchRunning();
        model.forest.remove(*model.a2);
    };
    SetTimer(nullptr, 0, 1, &SortChange::Fire);
    form->FoundList.ColumnClick(kFoundName);
    SortChange::run = nullptr;
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(refusedFind);
    EXPECT_TRUE(IsWindowEnabled(form->hwnd()));
    ASSERT_EQ(list.Count(), kept.size());
    for (std::size_t i = 0; i < list.Count(); ++i) {
        EXPECT_NE(std::find(kept.begin(), kept.end(), list.At(i)), kept.end()) << i;
        EXPECT_EQ(list.At(i)->indexWord(ResultSlot::Search), i);
    }
    EXPECT_EQ(form->FoundList.View().ItemCount(), static_cast<int>(kept.size()));
    form->FoundList.SetCellProvider(nullptr, nullptr);
}

TEST_F(SearchFormTest, PlacementAndBothListHeightsAreKept) {
    form->NormalResults().listHeight = 150;
    form->DuplicateResults().listHeight = 310;
    SetWindowPos(form->hwnd(), nullptr, 40, 50, 620, 580, SWP_NOZORDER);
    form.reset();
    MakeForm();
    EXPECT_EQ(form->NormalResults().listHeight, 150);
    EXPECT_EQ(form->DuplicateResults().listHeight, 310);
    RECT r{};
    GetWindowRect(form->hwnd(), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 620);
    // The found list takes the height of the mode shown.
    ShowFoundLists();
    GetWindowRect(form->FoundList.View().hwnd(), &r);
    EXPECT_EQ(r.bottom - r.top, 150);
    form->DuplicateModeRadio.click();
    GetWindowRect(form->FoundList.View().hwnd(), &r);
    EXPECT_EQ(r.bottom - r.top, 310);
}

// The main window owns the search window and destroys it first: the place is
// kept all the same.
TEST_F(SearchFormTest, PlacementIsKeptWhenTheOwnerDestroysTheWindow) {
    SetWindowPos(form->hwnd(), nullptr, 60, 70, 600, 560, SWP_NOZORDER);
    DestroyWindow(form->hwnd());
    form.reset();
    MakeForm();
    RECT r{};
    GetWindowRect(form->hwnd(), &r);
    EXPECT_EQ(r.left, 60);
    EXPECT_EQ(r.top, 70);
}

TEST_F(SearchFormTest, DuplicatesGoToTheirOwnList) {
    SearchByName("a1");
    ASSERT_TRUE(WaitForRun());
    form->DuplicateModeRadio.click();
    EXPECT_EQ(form->caption(), "Duplicates Search");
    EXPECT_EQ(form->FoundList.View().ItemCount(), 0);
    FindDuplicatesBySize();
    ASSERT_TRUE(WaitForRun());
    // By size alone: every empty file, whatever its first letter.
    ASSERT_EQ(form->DuplicateResults().Count(), 4u);
    EXPECT_EQ(form->FoundList.View().ItemCount(), 4);
    EXPECT_EQ(form->NormalResults().Count(), 1u);  // the other mode's list is left alone
    form->NormalModeRadio.click();
    EXPECT_EQ(form->FoundList.View().ItemCount(), 1);
}

TEST_F(SearchFormTest, ClosingDuringARunStopsAndWaits) {
    // Enough files that the run is still going when the close comes.
    FileOwnerRecord& owner = test::ModelFixture::folderRec(*model.a2);
    for (int i = 0; i < 200000; ++i)
        test::AddFile(owner, "f" + std::to_string(i));
    SearchByName("f");
    ASSERT_TRUE(form->SearchRunning());
    // Inside a modal loop the worker's calls are not served, so the run cannot end.
    bool stoppedInside = true;
    app().runModalLoop([&] {
        stoppedInside = form->StopSearch(std::chrono::milliseconds(200));
        return true;
    });
    EXPECT_FALSE(stoppedInside);
    EXPECT_TRUE(form->SearchRunning());
    EXPECT_TRUE(form->StopSearch());
    EXPECT_FALSE(form->SearchRunning());
    // Stopped, not run to its end: the hits handed over before the stop stay.
    ASSERT_TRUE(form->LastOutcome());
    EXPECT_TRUE(form->LastOutcome()->stopped);
    EXPECT_LT(form->NormalResults().Count(), 200000u);
    // A stopped run says nothing about hits.
    EXPECT_TRUE(prompt.asked.empty());
    form.reset();
}

// The program's close while a duplicate run's sort asks whether to stop
// sorting: the worker waits for the answer, so the close cannot wait the run
// out and is refused, without hanging. Once answered, the run ends stopped,
// with nothing grouped.
TEST_F(SearchFormTest, ClosingWhileTheSortQuestionIsOpen) {
    FileOwnerRecord& owner = test::ModelFixture::folderRec(*model.a2);
    for (int i = 0; i < 40000; ++i)
        test::AddFile(owner, "f" + std::to_string(i)).stored.size = static_cast<std::uint32_t>(1000 + i / 2);
    // The first poll is the sort's start; Esc is down at the second.
    int polls = 0;
    escPressed = [&polls] { return ++polls == 2; };
    bool closeRefused = false, runningMeanwhile = false;
    prompt.whileAsked = [&](const ui::PromptRequest& r) {
        if (r.caption != kSortHaltedCaption)
            return;
        closeRefused = !form->StopSearch(std::chrono::milliseconds(100));
        runningMeanwhile = form->SearchRunning();
    };
    prompt.answers = {ui::PromptAnswer::No};
    FindDuplicatesBySize();
    ASSERT_TRUE(WaitForRun());
    prompt.whileAsked = nullptr;
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, kSortHaltedCaption);
    EXPECT_TRUE(closeRefused);
    EXPECT_TRUE(runningMeanwhile);
    ASSERT_TRUE(form->LastOutcome());
    EXPECT_TRUE(form->LastOutcome()->stopped);
    EXPECT_EQ(form->DuplicateResults().Count(), 0u);
}

TEST_F(SearchFormTest, LimitedSearchTakesTheDisksLeftChecked) {
    form->show();  // builds the scope tree
    ui::TreeView& tree = form->CatalogTree.View();
    auto stateImage = [&](Node* n) {
        return (SendMessageA(tree.hwnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(tree.itemOf(n)),
                             TVIS_STATEIMAGEMASK) >> 12) & 15;
    };
    ASSERT_EQ(stateImage(model.disk), 2);
    tree.select(model.disk);
    SendMessageA(tree.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(stateImage(model.disk), 1);
    EXPECT_EQ(stateImage(model.catalog), 1);
    EXPECT_TRUE(form->IncludeBtn.enabled());
    EXPECT_FALSE(form->ExcludeBtn.enabled());

    form->ShowLimitCheck.setChecked(true);
    SearchByName("a1");
    ASSERT_TRUE(WaitForRun());
    EXPECT_EQ(form->NormalResults().Count(), 0u);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "No hits");

    // Without the limit every disk is searched, and the choice is kept.
    form->ShowLimitCheck.setChecked(false);
    SearchByName("a1");
    ASSERT_TRUE(WaitForRun());
    EXPECT_EQ(form->NormalResults().Count(), 1u);
    EXPECT_EQ(stateImage(model.disk), 1);
    form->hide();
}

// A scratch classes root: .txt and .log share "Text Document", .bin has a type without description.
class ScratchClasses {
public:
    ScratchClasses() {
        RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr);
        set(".txt", "txtfile");
        set(".log", "txtfile");
        set("txtfile", "Text Document");
        set(".bin", "binfile");
        HKEY bin = nullptr;
        RegCreateKeyExA(root, "binfile", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &bin, nullptr);
        RegCloseKey(bin);
    }
    ~ScratchClasses() {
        RegCloseKey(root);
        RegDeleteTreeA(HKEY_CURRENT_USER, kPath);
    }
    HKEY root = nullptr;

private:
    static constexpr const char* kPath = "Software\\KorvalderTest\\SearchClasses";
    void set(const char* key, const char* value) {
        HKEY k = nullptr;
        RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
        RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(strlen(value) + 1));
        RegCloseKey(k);
    }
};

TEST_F(UiTest, RegisteredTypesFromAClassesRoot) {
    ScratchClasses classes;
    EXPECT_EQ(MergeRegisteredExtensions(ReadRegisteredExtensions(classes.root)),
              (std::vector<FileTypeEntry>{{"(none)", ""}, {"Text Document", ".log\x01.txt\x01"}}));
}

// A click on the header past the last column asks for the columns setup and sorts nothing.
TEST_F(SearchFormTest, TheHeaderPastItsColumnsAsksForTheColumnsSetup) {
    int asked = 0;
    SearchFormServices services{model.forest, &locator, {}, {}, {}};
    services.placementKey.clear();
    services.columnsSetup = [&] { ++asked; };
    TSearchForm withSetup(std::move(services));
    ui::TExtListView& view = withSetup.FoundList.View();
    view.OnColumnClick(view, -1);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(withSetup.NormalResults().sortColumn, 1);
}

// Choosing File Type reads the classes root once, under the progress window,
// which is gone again afterwards.
TEST_F(SearchFormTest, FileTypeModeReadsTheRegisteredTypesOnce) {
    ScratchClasses classes;
    SearchFormServices services{model.forest, &locator, {}, {}, {}};
    services.placementKey.clear();
    services.classesRoot = classes.root;
    TSearchForm typed(std::move(services));
    typed.NameCombo.setItemIndex(static_cast<int>(NameMode::FileType));
    typed.NameCombo.onChange(typed.NameCombo);
    EXPECT_EQ(ui::WaitForm::current(), nullptr);
    ASSERT_EQ(typed.FileTypeCombo.count(), 2);
    EXPECT_EQ(typed.FileTypeCombo.items()[1], "Text Document");
    EXPECT_TRUE(typed.FileTypeCombo.visible());
    EXPECT_FALSE(typed.NameEdit.visible());
    EXPECT_EQ(typed.NameEditLabel.text(), "File Type:");
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

// A message box or a pump inside a handler is inside half-done work: a worker's
// call queued meanwhile runs only once the outermost loop has it again.
TEST_F(UiTest, WorkerCallsWaitForTheOutermostLoop) {
    SearchSyncWin32 sync;
    std::atomic<int> ran{0};
    std::thread worker;
    auto queueCall = [&] {
        worker = std::thread([&] { sync.synchronize([&] { ++ran; }); });
    };
    auto waitOutside = [&](int calls) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (ran < calls && std::chrono::steady_clock::now() < deadline) {
            app().processMessages();
            std::this_thread::sleep_for(1ms);
        }
        worker.join();
        return ran == calls;
    };

    int ranInBox = -1;
    uitest::TimerAction call(50, queueCall);
    uitest::TimerAction answer(600, [&] {
        ranInBox = ran;
        if (HWND box = uitest::findMessageBox())
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    ui::MessageBoxPrompt boxes;
    boxes.ask({"Wait", "Scripted", ui::PromptButtons::Ok, ui::PromptIcon::None});
    EXPECT_TRUE(call.ran());
    EXPECT_EQ(ranInBox, 0);
    EXPECT_TRUE(waitOutside(1));

    // A timer's handler that pumps messages for a while.
    int ranInPump = -1;
    uitest::TimerAction pump(10, [&] {
        queueCall();
        const auto until = std::chrono::steady_clock::now() + 300ms;
        while (std::chrono::steady_clock::now() < until) {
            app().processMessages();
            std::this_thread::sleep_for(1ms);
        }
        ranInPump = ran - 1;
    });
    while (!pump.ran())
        app().processMessages();
    EXPECT_EQ(ranInPump, 0);
    EXPECT_TRUE(waitOutside(2));
}

}  // namespace
}  // namespace kv
