#pragma once
// The scan's own progress window: borderless and on top, centred over the
// main window, with the folder being read, the descriptions found, a bar and
// Cancel (also Esc), which asks before it stops the scan. While it shows every
// other window of the program is disabled. A clip plays while it shows.
#include <functional>
#include <memory>
#include <string>

#include "scan/ScanTypes.h"
#include "ui/Animate.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/ProgressBar.h"
#include "ui/UserPrompt.h"

namespace kv::ui {
class WindowDisabler;
}

namespace kv {

class TWaitUpdateForm : public ui::Form, public IScanProgress {
public:
    explicit TWaitUpdateForm(ui::UserPrompt& prompt);
    ~TWaitUpdateForm() override;

    ui::Panel panel;
    ui::Label TopLabel;
    ui::Label BottomLabel;
    ui::Label DirLabel;
    ui::Label DescFoundLabel;
    ui::ProgressBar ProgressBar;
    ui::Button ButtonCancel;
    // The system's find-computer clip while the window shows; none where the system lacks it.
    ui::Animate Animation;

    // Runs when the user confirmed the cancel.
    std::function<void()> onAbort;

    void SetTopLabel(const std::string& text) override;
    void SetBottomLabel(const std::string& text) override;
    // Shown at the next PumpMessages: the scan names every folder and archive, far
    // more often than anyone can read, and each change costs a round trip to the
    // window system.
    void SetDirLabel(const std::string& text) override;
    void SetDescFound(const std::string& text) override;
    void ShowProgressBar() override;
    void SetProgress(int percent) override;
    // Pending messages run; the main window's idle work does not.
    void PumpMessages() override;

    void CancelClick();

private:
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void FormShow();

    ui::UserPrompt& prompt_;
    std::unique_ptr<ui::WindowDisabler> disabled_;
    std::string pendingDir_;
    bool dirPending_ = false;
};

// Makes the window (bar hidden) and shows it.
std::unique_ptr<TWaitUpdateForm> ShowWaitUpdate(ui::UserPrompt& prompt);
// Re-enables the other windows and frees the window.
void HideWaitUpdate(std::unique_ptr<TWaitUpdateForm>& form);

}  // namespace kv
