#pragma once
// Small Win32 operations of the windows: file dates, the caption font, the
// printer check and the nested painting lock.
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/DateTime.h"
#include "ui/UserPrompt.h"

namespace kv::ui {

// A UTC file time as a local DOS date-time (date in the high word); throws
// kv::Error when a conversion step fails.
std::uint32_t FileTimeToDosDate(const FILETIME& fileTime);
// Our date-time as the date and time pickers and the locale's formats take it.
SYSTEMTIME SystemTimeOf(const DateTime& t);
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
