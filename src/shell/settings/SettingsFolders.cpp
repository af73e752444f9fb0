#include "shell/settings/SettingsFolders.h"

namespace kv {

namespace {

void endInBackslash(std::string& folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
}

}  // namespace

std::vector<FolderWarning> CheckSettingsFolders(Settings& settings, const PlatformDefaults& defaults) {
    std::vector<FolderWarning> warnings;
    auto check = [&](std::string& folder, const std::string& fallback, const char* role, const char* revert) {
        if (defaults.folderExists && !defaults.folderExists(folder)) {
            warnings.push_back({"Folder \"" + folder + "\", set as " + role + " does not exist!\r" + revert,
                                "Invalid folder"});
            folder = fallback;
        }
        endInBackslash(folder);
    };
    check(settings.extractFolder, defaults.tempDir, "temporary folder for extracting files",
          "Reverting to default Windows temporary folder.");
    check(settings.catalogFolder, defaults.programDir, "default folder for catalog storage",
          "Reverting to program folder.");
    return warnings;
}

}  // namespace kv
