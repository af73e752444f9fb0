#pragma once
// The one progress window: a text, an optional bar and an optional Cancel
// button; while it shows every other window of the program is disabled.
#include <functional>
#include <memory>
#include <string>

#include "ui/WaitProgress.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/ProgressBar.h"

namespace kv::ui {

class WindowDisabler;

class WaitForm : public Form {
public:
    WaitForm();
    ~WaitForm() override;

    // The window while one exists, else null.
    static WaitForm* current();

    Panel panel;
    Label WaitLabel;
    ProgressBar progressBar;
    Button CancelBtn;

    bool CancelPressed = false;
    double Total = 0;
    double Done = 0;
    std::function<void()> CancelProc;

    int fullHeight() const { return fullHeight_; }
    void CancelBtnClick();

private:
    friend WaitForm& ShowWaitWindow(const std::string&, bool, bool);
    friend void HideWaitWindow();
    friend void CloseWaitWindow();
    void prepare(const std::string& text, bool withBar, bool withCancel);
    void FormShow();
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

    int fullHeight_ = 0;
    bool reShow_ = false;
    std::unique_ptr<WindowDisabler> disabledWindows_;
};

// Prepares the window (made when none exists); the caller shows it.
WaitForm& ShowWaitWindow(const std::string& text, bool withBar, bool withCancel);
// Hides it; the next show keeps its place and the disabled windows.
void HideWaitWindow();
// Done += amount, the bar shows the rounded percentage, pending messages are processed.
void StepWaitProgress(WaitForm* form, double amount);
void CloseWaitWindow();

// The portable interface over the functions above.
class WaitFormProgress : public WaitProgress {
public:
    void showWaitWindow(const std::string& text, bool withBar, bool withCancel) override;
    void hideWaitWindow() override { HideWaitWindow(); }
    void closeWaitWindow() override { CloseWaitWindow(); }
    bool waitWindowExists() const override { return WaitForm::current() != nullptr; }
    void setWaitText(const std::string& text) override;
    void setWaitTotal(double total) override;
    void stepWaitProgress(double amount) override { StepWaitProgress(WaitForm::current(), amount); }
    bool cancelPressed() const override;
    void setCancelProc(std::function<void()> proc) override;
};

}  // namespace kv::ui
