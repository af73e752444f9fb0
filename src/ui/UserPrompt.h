#pragma once
// Asking the user: a message box with a caption, a button set and an icon.
// Portable code asks through this interface; the program answers with real
// message boxes, tests with a script.
#include <string>

namespace kv::ui {

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class PromptIcon { None, Stop, Information, Question, Warning };
// The values are the system's dialog-result codes, so they pass through unchanged.
enum class PromptAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct PromptRequest {
    std::string text;
    std::string caption;
    PromptButtons buttons = PromptButtons::Ok;
    PromptIcon icon = PromptIcon::None;
    int defaultButton = 1;  // 1-based position among the buttons
};

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    virtual PromptAnswer ask(const PromptRequest& request) = 0;

    void showError(const std::string& text, const std::string& caption = "Error") {
        ask({text, caption, PromptButtons::Ok, PromptIcon::Stop});
    }
    void showInformation(const std::string& text, const std::string& caption) {
        ask({text, caption, PromptButtons::Ok, PromptIcon::Information});
    }
    bool confirm(const std::string& text, const std::string& caption = "Confirm") {
        return ask({text, caption, PromptButtons::YesNo, PromptIcon::Question}) == PromptAnswer::Yes;
    }
};

// The answer a closed box gives: the button that means "no harm done".
inline PromptAnswer cautiousAnswer(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::Ok: return PromptAnswer::Ok;
    case PromptButtons::YesNo: return PromptAnswer::No;
    case PromptButtons::AbortRetryIgnore: return PromptAnswer::Abort;
    default: return PromptAnswer::Cancel;
    }
}

}  // namespace kv::ui
