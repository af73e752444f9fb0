#pragma once
// The Open and Save dialogs as portable code sees them; the program answers
// with the common dialogs, tests with a script.
#include <optional>
#include <string>
#include <vector>

namespace kv::ui {

struct FileDialogRequest {
    std::string title;
    // Pairs of description and masks, such as {"Catalogs (*.ctf)", "*.ctf"}.
    std::vector<std::pair<std::string, std::string>> filters;
    std::string defaultExtension;
    std::string initialFolder;
    std::string fileName;
    bool multiSelect = false;
    bool mustExist = true;          // Open
    bool confirmOverwrite = true;   // Save
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen files (full paths), or nothing when cancelled.
    virtual std::optional<std::vector<std::string>> openFiles(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
};

}  // namespace kv::ui
