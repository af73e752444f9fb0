#include "ui/SystemHelpers.h"

#include <winspool.h>

#include "base/Errors.h"
#include "ui/Application.h"
#include "ui/SystemFonts.h"

namespace kv::ui {

std::uint32_t FileTimeToDosDate(const FILETIME& fileTime) {
    FILETIME local;
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&fileTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        throw Error("Invalid file time");
    return (static_cast<std::uint32_t>(date) << 16) | time;
}

SYSTEMTIME SystemTimeOf(const DateTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

LOGFONTA GetCaptionFont() { return SystemFonts::instance().captionLogFont(); }

bool PrinterInstalled() {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    return needed > 0;
}

bool CheckPrinterInstalled(UserPrompt& prompt, bool printerExists) {
    if (!printerExists)
        prompt.ask({"There seems to be no printer installed on your computer.\r\n"
                    "To use reports, at least a generic printer driver must be \r\n"
                    "installed, even if you don't have a printer yourself.",
                    "No Printers Installed", PromptButtons::Ok, PromptIcon::Warning});
    return printerExists;
}

bool CheckPrinterInstalled() { return CheckPrinterInstalled(Application::instance().prompt(), PrinterInstalled()); }

namespace {
int lockCount = 0;
}

void NestedLockWindowUpdate(HWND window) {
    if (window) {
        if (lockCount++ == 0) LockWindowUpdate(window);
    } else if (lockCount > 0 && --lockCount == 0) {
        LockWindowUpdate(nullptr);
    }
}

int NestedLockCount() { return lockCount; }

}  // namespace kv::ui
