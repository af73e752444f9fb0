#include "ui/Printers.h"

#include <winspool.h>

#include <commdlg.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace kv::ui {

namespace {

constexpr std::size_t kPaperNameSize = 64;

class PrinterHandle {
public:
    explicit PrinterHandle(const std::string& name) {
        if (!OpenPrinterA(const_cast<char*>(name.c_str()), &handle_, nullptr))
            handle_ = nullptr;
    }
    ~PrinterHandle() {
        if (handle_)
            ClosePrinter(handle_);
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

std::string PortOf(const std::string& printer) {
    PrinterHandle handle(printer);
    if (!handle.get())
        return {};
    DWORD needed = 0;
    GetPrinterA(handle.get(), 2, nullptr, 0, &needed);
    if (needed == 0)
        return {};
    std::vector<unsigned char> buffer(needed);
    if (!GetPrinterA(handle.get(), 2, buffer.data(), needed, &needed))
        return {};
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    return info->pPortName ? info->pPortName : "";
}

// A copy of global memory the common dialog owns.
std::vector<unsigned char> CopyGlobal(HGLOBAL memory) {
    std::vector<unsigned char> bytes;
    if (!memory)
        return bytes;
    if (const void* p = GlobalLock(memory)) {
        bytes.assign(static_cast<const unsigned char*>(p), static_cast<const unsigned char*>(p) + GlobalSize(memory));
        GlobalUnlock(memory);
    }
    return bytes;
}

HGLOBAL GlobalCopy(const void* data, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory) {
        std::memcpy(GlobalLock(memory), data, size);
        GlobalUnlock(memory);
    }
    return memory;
}

}  // namespace

std::vector<std::string> PrinterNames() {
    DWORD needed = 0, count = 0;
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
    std::vector<std::string> names;
    if (needed == 0)
        return names;
    std::vector<unsigned char> buffer(needed);
    if (!EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &count))
        return names;
    const auto* info = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        if (info[i].pPrinterName)
            names.emplace_back(info[i].pPrinterName);
    return names;
}

std::string DefaultPrinterName() {
    char name[256] = "";
    DWORD size = sizeof name;
    return GetDefaultPrinterA(name, &size) ? std::string(name) : std::string();
}

PrinterSettings::PrinterSettings(std::string name) : name_(std::move(name)) { Reset(); }

void PrinterSettings::Reset() {
    devMode_.clear();
    PrinterHandle printer(name_);
    if (!printer.get())
        return;
    char* device = const_cast<char*>(name_.c_str());
    const LONG size = DocumentPropertiesA(nullptr, printer.get(), device, nullptr, nullptr, 0);
    if (size < static_cast<LONG>(offsetof(DEVMODEA, dmFormName)))
        return;
    // Some drivers write a little more than they asked for.
    std::vector<unsigned char> buffer(std::max(static_cast<std::size_t>(size), sizeof(DEVMODEA)) + 1024);
    if (DocumentPropertiesA(nullptr, printer.get(), device, reinterpret_cast<DEVMODEA*>(buffer.data()), nullptr,
                            DM_OUT_BUFFER) == IDOK)
        devMode_ = std::move(buffer);
}

int PrinterSettings::paper() const { return devMode() ? devMode()->dmPaperSize : 0; }

int PrinterSettings::orientation() const { return devMode() ? devMode()->dmOrientation : DMORIENT_PORTRAIT; }

void PrinterSettings::setPaper(int code) {
    if (DEVMODEA* dm = devMode(); dm && code > 0) {
        dm->dmPaperSize = static_cast<short>(code);
        dm->dmFields |= DM_PAPERSIZE;
        // A chosen paper replaces any length and width of its own.
        dm->dmFields &= ~static_cast<DWORD>(DM_PAPERLENGTH | DM_PAPERWIDTH);
    }
}

void PrinterSettings::setOrientation(int orientation) {
    if (DEVMODEA* dm = devMode()) {
        dm->dmOrientation = static_cast<short>(orientation);
        dm->dmFields |= DM_ORIENTATION;
    }
}

void PrinterSettings::setCopies(int copies, bool collate) {
    if (DEVMODEA* dm = devMode()) {
        dm->dmCopies = static_cast<short>(std::max(1, std::min(copies, 9999)));
        dm->dmCollate = collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
        dm->dmFields |= DM_COPIES | DM_COLLATE;
    }
}

std::vector<PrinterPaper> PrinterSettings::Papers() const {
    std::vector<PrinterPaper> papers;
    const std::string port = PortOf(name_);
    const char* device = name_.c_str();
    const int count = DeviceCapabilitiesA(device, port.c_str(), DC_PAPERS, nullptr, devMode());
    if (count <= 0 || count > 4096)
        return papers;
    std::vector<WORD> codes(static_cast<std::size_t>(count));
    std::vector<char> names(static_cast<std::size_t>(count) * kPaperNameSize, '\0');
    std::vector<POINT> sizes(static_cast<std::size_t>(count));
    if (DeviceCapabilitiesA(device, port.c_str(), DC_PAPERS, reinterpret_cast<char*>(codes.data()), devMode()) != count ||
        DeviceCapabilitiesA(device, port.c_str(), DC_PAPERNAMES, names.data(), devMode()) != count ||
        DeviceCapabilitiesA(device, port.c_str(), DC_PAPERSIZE, reinterpret_cast<char*>(sizes.data()), devMode()) !=
            count)
        return papers;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        // A name of exactly 64 characters has no terminator.
        const char* name = names.data() + i * kPaperNameSize;
        papers.push_back({std::string(name, strnlen(name, kPaperNameSize)), codes[i], {sizes[i].x, sizes[i].y}});
    }
    return papers;
}

HDC PrinterSettings::CreateDC() const { return ::CreateDCA("WINSPOOL", name_.c_str(), nullptr, devMode()); }

HDC PrinterSettings::CreateIC() const { return ::CreateICA("WINSPOOL", name_.c_str(), nullptr, devMode()); }

bool PrinterSettings::RunSetupDialog(HWND owner) {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_PRINTSETUP | PD_NOWARNING;
    if (valid())
        dialog.hDevMode = GlobalCopy(devMode_.data(), devMode_.size());
    // The names tell the dialog which printer to start on.
    const std::string port = PortOf(name_);
    std::vector<char> names(sizeof(DEVNAMES));
    auto append = [&](const std::string& text) {
        const auto offset = static_cast<WORD>(names.size());
        names.insert(names.end(), text.begin(), text.end());
        names.push_back('\0');
        return offset;
    };
    const WORD driver = append("winspool");
    const WORD device = append(name_);
    const WORD output = append(port);
    DEVNAMES header{driver, device, output, 0};
    std::memcpy(names.data(), &header, sizeof header);
    dialog.hDevNames = GlobalCopy(names.data(), names.size());
    const bool ok = PrintDlgA(&dialog);
    if (ok) {
        const std::vector<unsigned char> chosenNames = CopyGlobal(dialog.hDevNames);
        if (chosenNames.size() > sizeof(DEVNAMES)) {
            DEVNAMES chosen{};
            std::memcpy(&chosen, chosenNames.data(), sizeof chosen);
            if (chosen.wDeviceOffset < chosenNames.size()) {
                const char* p = reinterpret_cast<const char*>(chosenNames.data()) + chosen.wDeviceOffset;
                name_.assign(p, strnlen(p, chosenNames.size() - chosen.wDeviceOffset));
            }
        }
        std::vector<unsigned char> chosenMode = CopyGlobal(dialog.hDevMode);
        if (chosenMode.size() >= offsetof(DEVMODEA, dmFormName)) {
            chosenMode.resize(std::max(chosenMode.size(), sizeof(DEVMODEA)));
            devMode_ = std::move(chosenMode);
        } else {
            Reset();
        }
    }
    if (dialog.hDevMode)
        GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames)
        GlobalFree(dialog.hDevNames);
    return ok;
}

}  // namespace kv::ui
