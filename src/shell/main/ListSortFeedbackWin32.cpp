#include "shell/main/ListSortFeedbackWin32.h"

#include <algorithm>
#include <string>

#include "controls/ListSort.h"
#include "ui/Application.h"

namespace kv {

namespace {

constexpr int kProgressSteps = 100;

}  // namespace

void ListSortFeedback::begin(std::size_t total) {
    total_ = total;
    done_ = 0;
    if (!statusBar_.hwnd())
        return;
    if (!bar_.hwnd()) {
        bar_.create(&statusBar_);
        statusBar_.placeInPanel(bar_, panel_);
    }
    bar_.setRange(0, kProgressSteps);
    bar_.setPosition(0);
    bar_.setVisible(true);
}

void ListSortFeedback::step(std::size_t handled) {
    done_ += handled;
    if (total_ > 0 && bar_.hwnd())
        bar_.setPosition(static_cast<int>(std::min(done_, total_) * kProgressSteps / total_));
}

void ListSortFeedback::end() {
    if (bar_.hwnd())
        bar_.setVisible(false);
}

bool ListSortFeedback::escPressed() { return GetAsyncKeyState(VK_ESCAPE) < 0; }

bool ListSortFeedback::askCancel() {
    return prompt_.ask({std::string(kSortHaltedText), std::string(kSortHaltedCaption), ui::PromptButtons::YesNo,
                        ui::PromptIcon::Question}) == ui::PromptAnswer::Yes;
}

void ListSortFeedback::processMessages() { ui::Application::instance().processMessages(); }

}  // namespace kv
