#include "scan/ScanProgressWin32.h"

#include "scan/ScanProgressText.h"
#include "ui/Application.h"
#include "ui/PlaceControl.h"
#include "ui/WindowDisabler.h"

namespace kv {

namespace {
constexpr int kWidth = 400;
constexpr int kHeight = 150;
constexpr int kInner = kWidth - 8;
constexpr std::size_t kDirChars = 60;
constexpr int kClipWidth = 60;
constexpr int kClipHeight = 40;
constexpr int kClipStopFrame = 8;
}  // namespace

TWaitUpdateForm::TWaitUpdateForm(ui::UserPrompt& prompt) : prompt_(prompt) {
    setBorderStyle(ui::BorderStyle::None);
    setStayOnTop(true);
    setWindowClassName("KvWaitUpdateForm");
    setBounds(0, 0, kWidth, kHeight);
    createHandle();
    ui::Put(panel, *this, 4, 4, kInner, kHeight - 8);
    ui::Put(TopLabel, panel, 10, 8, kInner - 30 - kClipWidth, 16, "Scanning disk, please wait...");
    ui::Put(BottomLabel, panel, 10, 30, kInner - 30 - kClipWidth, 16, "Reading folder:");
    ui::Put(DirLabel, panel, 10, 48, kInner - 20, 16);
    ui::Put(DescFoundLabel, panel, 10, 66, kInner - 20, 16);
    ProgressBar.setRange(0, 100);
    ui::Put(ProgressBar, panel, 10, 86, kInner - 20, 16);
    ui::Put(ButtonCancel, panel, (kInner - 75) / 2, 110, 75, 25, "Cancel");
    ui::Put(Animation, panel, kInner - 10 - kClipWidth, 4, kClipWidth, kClipHeight);
    Animation.stopFrame = kClipStopFrame;
    Animation.setCommonAvi(ui::CommonAvi::FindComputer);
    ButtonCancel.onClick = [this](ui::Button&) { CancelClick(); };
    setCancelControl(&ButtonCancel);
}

TWaitUpdateForm::~TWaitUpdateForm() {
    if (disabled_) disabled_->restore();
    destroyWindow();
}

void TWaitUpdateForm::SetTopLabel(const std::string& text) { TopLabel.setText(text); }
void TWaitUpdateForm::SetBottomLabel(const std::string& text) { BottomLabel.setText(text); }
void TWaitUpdateForm::SetDirLabel(const std::string& text) {
    pendingDir_ = text;
    dirPending_ = true;
}
void TWaitUpdateForm::SetDescFound(const std::string& text) { DescFoundLabel.setText(text); }
void TWaitUpdateForm::ShowProgressBar() { ProgressBar.setVisible(true); }
void TWaitUpdateForm::SetProgress(int percent) {
    if (percent != ProgressBar.position()) ProgressBar.setPosition(percent);
}

void TWaitUpdateForm::PumpMessages() {
    if (dirPending_) {
        DirLabel.setText(ShortenPathLeft(pendingDir_, kDirChars));
        dirPending_ = false;
    }
    ui::Application::instance().processMessages();
}

void TWaitUpdateForm::CancelClick() {
    const ui::PromptAnswer answer = prompt_.ask({"Do you really want to abort disk scan?", "Abort Disk Scan",
                                                 ui::PromptButtons::YesNo, ui::PromptIcon::Question});
    if (answer == ui::PromptAnswer::Yes && onAbort) onAbort();
}

void TWaitUpdateForm::FormShow() {
    RECT area;
    ui::Form* main = ui::Application::instance().mainForm();
    if (main && main->hwnd() && main != this)
        GetWindowRect(main->hwnd(), &area);
    else
        area = ui::Application::workArea();
    setBounds(area.left + (area.right - area.left - width()) / 2, area.top + (area.bottom - area.top - height()) / 2,
              width(), height());
    if (!disabled_) disabled_ = std::make_unique<ui::WindowDisabler>(hwnd());
    Animation.setActive(true);
}

LRESULT TWaitUpdateForm::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SHOWWINDOW && wp) FormShow();
    return Form::wndProc(msg, wp, lp);
}

std::unique_ptr<TWaitUpdateForm> ShowWaitUpdate(ui::UserPrompt& prompt) {
    auto form = std::make_unique<TWaitUpdateForm>(prompt);
    form->ProgressBar.setVisible(false);
    form->show();
    return form;
}

void HideWaitUpdate(std::unique_ptr<TWaitUpdateForm>& form) {
    // The destructor re-enables the windows before the window goes, so the activation returns to them.
    form.reset();
}

}  // namespace kv
