#include "archive/ExtractionUiWin32.h"

#include <windows.h>

#include "ui/Application.h"
#include "ui/WaitForm.h"

namespace kv::arc {

namespace {

ui::UserPrompt& prompt() { return ui::Application::instance().prompt(); }

// The key is down now; a press that ended before this step does not count.
bool escapeDown() { return GetAsyncKeyState(VK_ESCAPE) < 0; }

}  // namespace

void WindowsExtractionUi::ShowWait(const std::string& caption, const std::string& status) {
    ownsWait_ = ui::WaitForm::current() == nullptr;
    ui::WaitForm& w = ui::ShowWaitWindow(caption, true, true);
    w.Total = 100;
    w.Done = 0;
    text_ = caption;
    w.show();
    showing_ = true;
    if (status_) status_->ShowStatus(status, true);
    ui::Application::instance().processMessages();
}

void WindowsExtractionUi::Extracting(const std::string& fileName) {
    text_ = "Extracting " + fileName;
    if (ui::WaitForm* w = ui::WaitForm::current()) w->WaitLabel.setText(text_);
}

bool WindowsExtractionUi::Progress(int percent) {
    ui::WaitForm* w = ui::WaitForm::current();
    if (!w) return false;
    // The percent is the current member's: a new member starts the bar again.
    ui::StepWaitProgress(w, percent - w->Done);
    if (!w->CancelPressed && !escapeDown()) return false;
    bool stop = prompt().ask({"Extracting was temporarily halted by user.\rWould you like to cancel extracting "
                              "file(s) from this archive?",
                              "Cancel extract", ui::PromptButtons::YesNo, ui::PromptIcon::Question}) ==
                ui::PromptAnswer::Yes;
    if ((w = ui::WaitForm::current())) {
        w->CancelPressed = false;
        if (!stop) w->WaitLabel.setText(text_);
    }
    return stop;
}

void WindowsExtractionUi::CloseWait() {
    if (!showing_) return;
    showing_ = false;
    if (ownsWait_) ui::CloseWaitWindow();
    if (status_) status_->ShowStatus("", false);
}

void WindowsExtractionUi::ShowError(const std::string& caption, const std::string& text) {
    prompt().ask({text, caption, ui::PromptButtons::Ok, ui::PromptIcon::Stop});
}

bool WindowsExtractionUi::Ask(const std::string& caption, const std::string& text) {
    return prompt().ask({text, caption, ui::PromptButtons::YesNo, ui::PromptIcon::Question}) == ui::PromptAnswer::Yes;
}

}  // namespace kv::arc
