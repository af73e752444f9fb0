#include "ui/MessageBoxPrompt.h"

#include "ui/Application.h"

#include "ui/WaitForm.h"

namespace kv::ui {

UINT MessageBoxPrompt::styleOf(const PromptRequest& r) {
    UINT style = 0;
    switch (r.buttons) {
    case PromptButtons::Ok: style = MB_OK; break;
    case PromptButtons::OkCancel: style = MB_OKCANCEL; break;
    case PromptButtons::YesNo: style = MB_YESNO; break;
    case PromptButtons::YesNoCancel: style = MB_YESNOCANCEL; break;
    case PromptButtons::RetryCancel: style = MB_RETRYCANCEL; break;
    case PromptButtons::AbortRetryIgnore: style = MB_ABORTRETRYIGNORE; break;
    }
    switch (r.icon) {
    case PromptIcon::None: break;
    case PromptIcon::Stop: style |= MB_ICONSTOP; break;
    case PromptIcon::Information: style |= MB_ICONINFORMATION; break;
    case PromptIcon::Question: style |= MB_ICONQUESTION; break;
    case PromptIcon::Warning: style |= MB_ICONWARNING; break;
    }
    if (r.defaultButton == 2) style |= MB_DEFBUTTON2;
    if (r.defaultButton == 3) style |= MB_DEFBUTTON3;
    return style;
}

HWND promptOwner() {
    if (WaitForm* w = WaitForm::current(); w && w->hwnd() && IsWindowVisible(w->hwnd())) return w->hwnd();
    return GetActiveWindow();
}

PromptAnswer MessageBoxPrompt::ask(const PromptRequest& request) {
    const std::string& caption = request.caption.empty() ? Application::instance().title : request.caption;
    int r = MessageBoxA(promptOwner(), request.text.c_str(), caption.c_str(), styleOf(request));
    if (r == 0) return cautiousAnswer(request.buttons);
    return static_cast<PromptAnswer>(r);
}

}  // namespace kv::ui
