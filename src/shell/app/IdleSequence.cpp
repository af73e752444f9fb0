#include "shell/app/IdleSequence.h"

namespace kv {

void IdleSequence::RunIdle(IdleSteps& steps) {
    if (firstIdle_)
        runFirst(steps);
    else
        runLater(steps);
}

void IdleSequence::runFirst(IdleSteps& steps) {
    // Cleared first: the opens below run modal loops, whose idle ticks must
    // not start up a second time.
    firstIdle_ = false;
    // A floating toolbar can only be placed once the window is on screen.
    if (steps.toolbarFloating())
        steps.reloadToolbarPositions();
    steps.installHintHandlers();

    const std::vector<std::string> listed = steps.commandLineCatalogs();
    if (!listed.empty()) {
        if (steps.splashExists())
            steps.setSplashText(kSplashOpeningListed);
        steps.requestOpenCatalogs(listed);
    }
    if (steps.autoloadOn() && !steps.anyCatalogOpen()) {
        const std::vector<std::string> autoload = steps.autoloadList();
        if (steps.splashExists())
            steps.setSplashText(kSplashAutoloading);
        if (!autoload.empty())
            steps.requestOpenCatalogs(autoload);
    }

    const bool firstStart = !steps.markerFound();
    const bool tips = steps.tipsOn();
    if (steps.splashExists()) {
        steps.setSplashText(kSplashDone);
        // The wizard or the tips come next: the splash must not cover them.
        if (tips || firstStart)
            steps.setSplashInterval(kSplashCloseNow);
    }
    if (firstStart)
        steps.runSetupWizard();
    if (tips)
        steps.openTips();
    steps.updateCommands(kUpdateAllCommands);
}

void IdleSequence::runLater(IdleSteps& steps) {
    if (steps.autoSaveDue()) {
        steps.applyAutoSaveOptions();
        steps.runAutoSave();
    }
    steps.resetLockCount();
    if (steps.refreshPending()) {
        steps.endRefresh();
        if (steps.listHasFocusedRow())
            steps.updateCommands(kUpdateListCommands);
        steps.updateStatusBar();
    }
    steps.runTreeDrag();
    steps.runListDrag();
    for (StatusWindow window : {StatusWindow::UserList, StatusWindow::Search, StatusWindow::Compare}) {
        if (steps.statusRefreshPending(window))
            steps.updateStatus(window);
    }
}

}  // namespace kv
