#pragma once
// Small Win32 operations the catalog and the windows share: file dates, short
// paths, the printer check and the nested painting lock.
#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/UserPrompt.h"

namespace kv::ui {

// A UTC file time as a local DOS date-time (date in the high word); throws
// kv::Error when a conversion step fails.
std::uint32_t FileTimeToDosDate(const FILETIME& fileTime);
// Sets the file's last-write time to now; false when it cannot.
bool TouchFileNow(const std::string& name);
// The 8.3 form of a path, or the path itself when the system has none.
std::string GetShortPath(const std::string& path);
// Whether the system finds a file or folder of that path. Wildcards find
// nothing: a mask is no path. An empty drive asks no question.
bool FileExistsByFind(const std::string& path);
// The system's code for why the last file call on this thread failed (0 when
// it did not), cleared by the reading: for callers of the helpers here that
// answer only false.
DWORD LastIOResult();

// The system's caption font, for a font of the caller's own.
LOGFONTA GetCaptionFont();

// Tells the user when no printer is installed; returns whether one is.
bool CheckPrinterInstalled();
bool CheckPrinterInstalled(UserPrompt& prompt, bool printerExists);
bool PrinterInstalled();

// Locks painting of one window at a time, nested: a window locks when the
// count is 0 and counts up; null counts down and unlocks at 0.
void NestedLockWindowUpdate(HWND window);
int NestedLockCount();

}  // namespace kv::ui
