#pragma once
// What the machine gives the settings: the program, temporary and Windows
// folders and the system's fonts for the font slots without a custom font;
// and the settings' font records as the system's logical fonts.
#include <windows.h>

#include <string>

#include "shell/settings/Settings.h"

namespace kv {

// The folder of the running program, ending in "\".
std::string ProgramFolder();
PlatformDefaults MakePlatformDefaults();

LOGFONTA LogFontOf(const FontData& font);
FontData FontDataOf(const LOGFONTA& font);

}  // namespace kv
