#pragma once
// A font of the settings as the system's logical font.
#include <windows.h>

#include "shell/settings/Settings.h"

namespace kv {

LOGFONTA LogFontOf(const FontData& data);

}  // namespace kv
