#pragma once
// The file dialogs of the program: the system's common dialogs.
#include <windows.h>

#include "ui/FileDialogs.h"

namespace kv::ui {

class CommonFileDialogs : public FileDialogs {
public:
    explicit CommonFileDialogs(HWND owner = nullptr) : owner_(owner) {}
    std::optional<std::vector<std::string>> openFiles(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;

    // The dialogs' filter text: pairs separated and ended by zero bytes.
    static std::string filterText(const FileDialogRequest& request);
    // A multi-select answer: the folder, then the names, each ended by a zero.
    static std::vector<std::string> splitSelection(const char* buffer);

private:
    HWND owner_;
};

}  // namespace kv::ui
