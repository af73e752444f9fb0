#include "shell/setup/FolderPickerWin32.h"

namespace kv {

std::string PickerStartFolder(const std::string& edited, const std::string& fallback,
                              const std::function<bool(const std::string&)>& exists) {
    if (edited.empty() || (exists && !exists(edited)))
        return fallback;
    return edited;
}

}  // namespace kv
