#pragma once
// Saving and restoring a window's position as a "...WndPos" value under the
// program's key.
#include <windows.h>

#include <cstdint>
#include <string>

#include "system/settings/RegistryExWin32.h"

namespace kv {

// Throws EAbort when the key cannot be opened or the value not written.
void SaveFormPlacement(HWND form, const std::string& valueName, std::int32_t extra,
                       const std::string& keyPath = kProgramKeyPath);

// Moves the window to the saved place when it would be visible there, makes it
// a normal (not maximised) window and gives the saved extra number. Throws
// EAbort when nothing usable is stored; the caller keeps its defaults.
void RestoreFormPlacement(HWND form, const std::string& valueName, std::int32_t& extra,
                          const std::string& keyPath = kProgramKeyPath);

}  // namespace kv
