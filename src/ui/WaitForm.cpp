#include "ui/WaitForm.h"

#include "ui/Application.h"
#include "ui/PlaceControl.h"
#include "ui/WindowDisabler.h"

namespace kv::ui {

namespace {

std::unique_ptr<WaitForm>& theWaitForm() {
    static std::unique_ptr<WaitForm> form;
    return form;
}

const int kClientWidth = 320;
const int kClientHeight = 110;
const int kPanelTop = 4;
const int kButtonHeight = 25;

}  // namespace

WaitForm* WaitForm::current() { return theWaitForm().get(); }

WaitForm::WaitForm() {
    setBorderStyle(BorderStyle::None);
    setStayOnTop(true);
    setWindowClassName("KvWaitForm");
    setBounds(0, 0, kClientWidth, kClientHeight);
    createHandle();
    fullHeight_ = height();

    Put(panel, *this, kPanelTop, kPanelTop, kClientWidth - 2 * kPanelTop, kClientHeight - 2 * kPanelTop);
    WaitLabel.setAlignment(Label::Alignment::Center);
    Put(WaitLabel, panel, 8, 14, kClientWidth - 2 * kPanelTop - 16, 16);
    progressBar.setRange(0, 100);
    Put(progressBar, panel, 8, 40, kClientWidth - 2 * kPanelTop - 16, 18);
    Put(CancelBtn, panel, (kClientWidth - 2 * kPanelTop - 75) / 2, 68, 75, kButtonHeight, "Cancel");
    CancelBtn.onClick = [this](Button&) { CancelBtnClick(); };
    setCancelControl(&CancelBtn);
}

WaitForm::~WaitForm() {
    if (disabledWindows_) disabledWindows_->restore();
    destroyWindow();
}

void WaitForm::prepare(const std::string& text, bool withBar, bool withCancel) {
    reShow_ = false;
    CancelPressed = false;
    CancelProc = nullptr;
    WaitLabel.setText(text);
    progressBar.setVisible(withBar);
    CancelBtn.setVisible(withCancel);
    int h = withCancel ? fullHeight_ : fullHeight_ - kButtonHeight - 4;
    setBounds(left(), top(), width(), h);
    panel.setBounds(panel.left(), kPanelTop, panel.width(), h - 2 * kPanelTop);

    int labelHeight = WaitLabel.height();
    int labelTop;
    if (withBar) labelTop = 5 + (progressBar.top() - 5 - labelHeight) / 2;
    else if (withCancel) labelTop = 5 + (CancelBtn.top() - 5 - labelHeight) / 2;
    else labelTop = (h - labelHeight) / 2 - kPanelTop;
    WaitLabel.setBounds(WaitLabel.left(), labelTop, WaitLabel.width(), labelHeight);
    progressBar.setPosition(0);
}

void WaitForm::FormShow() {
    if (!reShow_) {
        RECT area;
        Form* main = Application::instance().mainForm();
        if (main && main->hwnd() && main != this) GetWindowRect(main->hwnd(), &area);
        else area = Application::workArea();
        setBounds(area.left + (area.right - area.left - width()) / 2,
                  area.top + (area.bottom - area.top - height()) / 2, width(), height());
        if (disabledWindows_) disabledWindows_->restore();
        disabledWindows_ = std::make_unique<WindowDisabler>(hwnd());
    }
    reShow_ = false;
}

void WaitForm::CancelBtnClick() {
    CancelPressed = true;
    WaitLabel.setText("Canceled...");
    if (WaitLabel.hwnd()) UpdateWindow(WaitLabel.hwnd());
    if (CancelProc) CancelProc();
}

LRESULT WaitForm::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SHOWWINDOW && wp) FormShow();
    return Form::wndProc(msg, wp, lp);
}

WaitForm& ShowWaitWindow(const std::string& text, bool withBar, bool withCancel) {
    auto& form = theWaitForm();
    if (!form) form = std::make_unique<WaitForm>();
    form->prepare(text, withBar, withCancel);
    return *form;
}

void HideWaitWindow() {
    if (WaitForm* f = WaitForm::current()) {
        f->hide();
        f->reShow_ = true;
    }
}

void StepWaitProgress(WaitForm* form, double amount) {
    if (!form) return;
    form->Done += amount;
    form->progressBar.setPosition(waitPercent(form->Done, form->Total));
    Application::instance().processMessages();
}

void CloseWaitWindow() {
    auto& form = theWaitForm();
    if (!form) return;
    // Re-enabled before the window goes, so the activation can return to them.
    if (form->disabledWindows_) form->disabledWindows_->restore();
    form.reset();
}

void WaitFormProgress::showWaitWindow(const std::string& text, bool withBar, bool withCancel) {
    ShowWaitWindow(text, withBar, withCancel).show();
}

void WaitFormProgress::setWaitText(const std::string& text) {
    if (WaitForm* f = WaitForm::current()) f->WaitLabel.setText(text);
}

void WaitFormProgress::setWaitTotal(double total) {
    if (WaitForm* f = WaitForm::current()) {
        f->Total = total;
        f->Done = 0;
        f->progressBar.setPosition(0);
    }
}

bool WaitFormProgress::cancelPressed() const {
    WaitForm* f = WaitForm::current();
    return f && f->CancelPressed;
}

void WaitFormProgress::setCancelProc(std::function<void()> proc) {
    if (WaitForm* f = WaitForm::current()) f->CancelProc = std::move(proc);
}

}  // namespace kv::ui
