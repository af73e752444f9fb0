#pragma once
// Text on the clipboard, as ANSI bytes.
#include <windows.h>

#include <optional>
#include <string>

namespace kv::ui {

bool setClipboardText(HWND owner, const std::string& text);
std::optional<std::string> clipboardText(HWND owner);

}  // namespace kv::ui
