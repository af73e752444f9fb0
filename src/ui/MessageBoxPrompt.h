#pragma once
// The user-prompt service of the program: system message boxes.
#include <windows.h>

#include "ui/UserPrompt.h"

namespace kv::ui {

class MessageBoxPrompt : public UserPrompt {
public:
    PromptAnswer ask(const PromptRequest& request) override;
    static UINT styleOf(const PromptRequest& request);
};

// The window a message box belongs to: the progress window while one shows
// (every other window is disabled then), else the active window.
HWND promptOwner();

}  // namespace kv::ui
