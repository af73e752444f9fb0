#pragma once
// The folders of the settings as they are applied: a folder that does not
// exist is reported and replaced by its default, and each ends in "\".
#include <string>
#include <vector>

#include "shell/settings/Settings.h"

namespace kv {

struct FolderWarning {
    std::string text;
    std::string caption;
};

// Corrects the extraction and catalog folders of `settings` in place; one
// warning per folder that had to be replaced, in that order.
std::vector<FolderWarning> CheckSettingsFolders(Settings& settings, const PlatformDefaults& defaults);

}  // namespace kv
