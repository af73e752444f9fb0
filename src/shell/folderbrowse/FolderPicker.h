#pragma once
// Asking the user for a folder: the "Select Folder" dialog answers in the
// program, a script in tests. Every window that lets the user pick a folder
// asks through this.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kv {

struct FolderBrowseRequest {
    std::string caption;
    std::string startFolder;
    // Not 0: only this drive is offered.
    char onlyDrive = 0;
    // Off: the user may also create, rename and delete folders.
    bool browseOnly = true;
    // Up to three option boxes under the tree.
    std::vector<std::string> optionCaptions;
    // Their states: kept under this value of the program's key when named,
    // else taken from optionStates.
    std::string optionsValueName;
    std::int32_t defaultOptions = -1;
    std::array<bool, 3> optionStates{true, true, true};
};

struct FolderBrowseResult {
    std::string folder;  // with a trailing backslash
    std::array<bool, 3> options{};
};

class IFolderPicker {
public:
    virtual ~IFolderPicker() = default;
    // Nothing when the user cancelled.
    virtual std::optional<FolderBrowseResult> BrowseForFolder(const FolderBrowseRequest& request) = 0;
};

}  // namespace kv
