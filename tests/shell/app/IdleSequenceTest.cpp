#include "shell/app/IdleSequence.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

// Records every action; the answers to the questions are set per test.
struct RecordingSteps : IdleSteps {
    std::vector<std::string> calls;
    std::vector<std::string> listed, autoload{"auto.ctf"};
    bool floating = false, autoloadSetting = true, catalogOpen = false, splash = true, marker = true,
         tips = false, saveDue = false, refresh = false, focusedRow = false;
    std::vector<StatusWindow> pendingStatus;

    void log(std::string s) { calls.push_back(std::move(s)); }
    bool toolbarFloating() override { return floating; }
    void reloadToolbarPositions() override { log("toolbars"); }
    void installHintHandlers() override { log("hints"); }
    std::vector<std::string> commandLineCatalogs() override { return listed; }
    void requestOpenCatalogs(const std::vector<std::string>& names) override {
        log("open " + names.front());
        catalogOpen = true;
    }
    bool autoloadOn() override { return autoloadSetting; }
    std::vector<std::string> autoloadList() override { return autoload; }
    bool anyCatalogOpen() override { return catalogOpen; }
    bool splashExists() override { return splash; }
    void setSplashText(const std::string& text) override { log("splash " + text); }
    void setSplashInterval(int ms) override { log("interval " + std::to_string(ms)); }
    bool markerFound() override { return marker; }
    bool tipsOn() override { return tips; }
    void runSetupWizard() override { log("wizard"); }
    void openTips() override { log("tips"); }
    void updateCommands(int scope) override { log("commands " + std::to_string(scope)); }
    bool autoSaveDue() override { return saveDue; }
    void applyAutoSaveOptions() override { log("autosave options"); }
    void runAutoSave() override { log("autosave"); }
    void resetLockCount() override { log("locks"); }
    bool refreshPending() override { return refresh; }
    void endRefresh() override { log("end refresh"); }
    bool listHasFocusedRow() override { return focusedRow; }
    void updateStatusBar() override { log("status bar"); }
    void runTreeDrag() override { log("tree drag"); }
    void runListDrag() override { log("list drag"); }
    bool statusRefreshPending(StatusWindow w) override {
        return std::find(pendingStatus.begin(), pendingStatus.end(), w) != pendingStatus.end();
    }
    void updateStatus(StatusWindow w) override { log("status " + std::to_string(static_cast<int>(w))); }
};

using Calls = std::vector<std::string>;

TEST(IdleSequence, FirstTickOpensListedCatalogsAndSkipsAutoloadThen) {
    RecordingSteps steps;
    steps.listed = {"a.ctf", "b.ctf"};
    IdleSequence idle;
    idle.RunIdle(steps);
    EXPECT_EQ(steps.calls, (Calls{"hints", "splash Opening listed catalogs...", "open a.ctf", "splash Done.",
                                  "commands 255"}));
    EXPECT_FALSE(idle.firstIdle());
}

TEST(IdleSequence, FirstStartClosesTheSplashAtOnceAndRunsTheWizardBeforeTips) {
    RecordingSteps steps;
    steps.marker = false;
    steps.tips = true;
    steps.floating = true;
    IdleSequence idle;
    idle.RunIdle(steps);
    EXPECT_EQ(steps.calls, (Calls{"toolbars", "hints", "splash Autoloading catalogs...", "open auto.ctf",
                                  "splash Done.", "interval 1", "wizard", "tips", "commands 255"}));
}

TEST(IdleSequence, WithoutSplashOrAutoloadTheFirstTickOnlyFinishes) {
    RecordingSteps steps;
    steps.splash = false;
    steps.autoloadSetting = false;
    IdleSequence idle;
    idle.RunIdle(steps);
    EXPECT_EQ(steps.calls, (Calls{"hints", "commands 255"}));
}

TEST(IdleSequence, LaterTicksRunInOrderAndOnlyWhatIsPending) {
    RecordingSteps steps;
    IdleSequence idle;
    idle.RunIdle(steps);
    steps.calls.clear();

    idle.RunIdle(steps);
    EXPECT_EQ(steps.calls, (Calls{"locks", "tree drag", "list drag"}));

    steps.calls.clear();
    steps.saveDue = true;
    steps.refresh = true;
    steps.focusedRow = true;
    steps.pendingStatus = {StatusWindow::Compare, StatusWindow::UserList};
    idle.RunIdle(steps);
    EXPECT_EQ(steps.calls, (Calls{"autosave options", "autosave", "locks", "end refresh", "commands 2",
                                  "status bar", "tree drag", "list drag", "status 0", "status 2"}));

    steps.calls.clear();
    steps.saveDue = false;
    steps.focusedRow = false;
    steps.pendingStatus.clear();
    idle.RunIdle(steps);
    EXPECT_EQ(steps.calls, (Calls{"locks", "end refresh", "status bar", "tree drag", "list drag"}));
}

}  // namespace
}  // namespace kv
