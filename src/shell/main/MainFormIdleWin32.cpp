// The main window's idle ticks and autosave.
#include "shell/main/MainFormWin32.h"

#include "catalog/model/ItemRecords.h"
#include "shell/app/SplashFormWin32.h"
#include "shell/settings/SettingsStore.h"
#include "ui/Application.h"

namespace kv {

bool MainForm::toolbarFloating() { return services_.settings.Get().toolbarFloating; }

void MainForm::installHintHandlers() {
    ui::Application& app = ui::Application::instance();
    app.hintColor = GetSysColor(COLOR_INFOBK);
    app.onHint = [this](ui::Application&) { AppHint(); };
    app.onShowHint = [this](ui::Application&, std::string& hintStr, bool& canShow, ui::HintInfo& info) {
        AppShowHint(hintStr, canShow, info);
    };
}

bool MainForm::autoloadOn() { return services_.settings.Get().autoload; }

std::vector<std::string> MainForm::autoloadList() { return services_.settings.Get().autoloadList; }

bool MainForm::splashExists() { return services_.splash && !services_.splash->closed(); }

void MainForm::setSplashText(const std::string& text) {
    if (splashExists())
        services_.splash->setMessage(text);
}

void MainForm::setSplashInterval(int ms) {
    if (splashExists())
        services_.splash->setInterval(static_cast<UINT>(ms));
}

bool MainForm::tipsOn() { return services_.settings.Get().tipsAtStart; }

void MainForm::runSetupWizard() {
    if (services_.runSetupWizard)
        services_.runSetupWizard();
    else
        MenuSetupWizardClick(true);
}

void MainForm::openTips() {
    if (services_.openTips)
        services_.openTips();
    else
        TipsClick();
}

void MainForm::endRefresh() {
    // The refill timer stopped itself when it fired.
    RefreshPending = false;
}

bool MainForm::listHasFocusedRow() { return list.hwnd() && list.FocusedRow() >= 0; }

bool MainForm::autoSaveDue() {
    AutoSaveBlockers blockers;
    blockers.searchRunning = searchRunning();
    blockers.modalActive = ui::Application::instance().modalDepth() > 0;
    blockers.progressShown = ui::WaitForm::current() != nullptr;
    blockers.saveRunning = saveEnv_.saving;
    return autoSave_.Due(blockers);
}

void MainForm::ApplyAutoSaveOptions() {
    const Settings& s = services_.settings.Get();
    const AutoSaveSchedule::TimerSetting t = autoSave_.ApplyOptions(s.autoSave, s.autoSaveMinutes);
    if (t.changed)
        autoSaveTimer_.setInterval(t.intervalMs);
    autoSaveTimer_.setEnabled(t.enabled);
}

void MainForm::RunAutoSave() { kv::RunAutoSave(*this); }

Node* MainForm::catalogAt(std::size_t index) {
    const auto roots = forest_.roots();
    return index < roots.size() ? roots[index].get() : nullptr;
}

bool MainForm::modified(std::size_t index) {
    Node* node = catalogAt(index);
    const auto* rec = node ? RecordAs<TCatalogRec>(node->record()) : nullptr;
    return rec && rec->modified;
}

bool MainForm::named(std::size_t index) {
    Node* node = catalogAt(index);
    const auto* rec = node ? RecordAs<TCatalogRec>(node->record()) : nullptr;
    return rec && !rec->fileName.empty();
}

void MainForm::save(std::size_t index) {
    if (Node* node = catalogAt(index)) {
        const ui::SafePointHold hold;  // the save swaps the catalog's reader
        SaveCatalog(node, false, saveEnv_);
    }
}

}  // namespace kv
