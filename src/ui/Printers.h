#pragma once
// The installed printers and one printer's settings (its DEVMODE): paper,
// orientation and copies pushed in and read back, the papers it offers, and
// device contexts made with those settings.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kv::ui {

// The printers as the system lists them, and the default one ("" for none).
std::vector<std::string> PrinterNames();
std::string DefaultPrinterName();

struct PrinterPaper {
    std::string name;
    int code = 0;  // DMPAPER_*
    SIZE tenthsMm{};
};

class PrinterSettings {
public:
    PrinterSettings() = default;
    // The printer with its driver's default settings; not valid() when the
    // printer cannot be opened.
    explicit PrinterSettings(std::string name);

    bool valid() const { return !devMode_.empty(); }
    const std::string& name() const { return name_; }
    // The driver's defaults again.
    void Reset();

    // 0 when not valid.
    int paper() const;
    // DMORIENT_PORTRAIT or DMORIENT_LANDSCAPE.
    int orientation() const;
    void setPaper(int code);
    void setOrientation(int orientation);
    // Copies the driver makes of each page; collated or page by page.
    void setCopies(int copies, bool collate);

    // The papers the printer offers; names are cut at 64 characters.
    std::vector<PrinterPaper> Papers() const;
    // With these settings; nullptr when the printer cannot be used.
    HDC CreateDC() const;
    HDC CreateIC() const;

    // The system's printer setup dialog over these settings; on OK the
    // chosen printer and its settings replace them.
    bool RunSetupDialog(HWND owner);

    DEVMODEA* devMode() { return valid() ? reinterpret_cast<DEVMODEA*>(devMode_.data()) : nullptr; }
    const DEVMODEA* devMode() const {
        return valid() ? reinterpret_cast<const DEVMODEA*>(devMode_.data()) : nullptr;
    }

private:
    std::string name_;
    std::vector<unsigned char> devMode_;
};

}  // namespace kv::ui
