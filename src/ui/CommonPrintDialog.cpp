#include "ui/CommonPrintDialog.h"

#include <algorithm>
#include <cstring>

#include "ui/MessageBoxPrompt.h"
#include "ui/SystemHelpers.h"

namespace kv::ui {

namespace {

// Reads the printer's name from the dialog's device-names block.
std::string printerName(HGLOBAL names) {
    if (!names) return {};
    auto* n = static_cast<const DEVNAMES*>(GlobalLock(names));
    if (!n) return {};
    SIZE_T size = GlobalSize(names);
    std::string name;
    if (n->wDeviceOffset < size) {
        const char* p = reinterpret_cast<const char*>(n) + n->wDeviceOffset;
        name.assign(p, strnlen(p, size - n->wDeviceOffset));
    }
    GlobalUnlock(names);
    return name;
}

}  // namespace

PRINTDLGA CommonPrintDialog::dialogOf(const PrintRequest& r) {
    PRINTDLGA d{};
    d.lStructSize = sizeof d;
    // No warning box of its own when there is no printer.
    d.Flags = PD_NOWARNING | PD_ALLPAGES;
    if (r.collate) d.Flags |= PD_COLLATE;
    if (!r.allowSelection) d.Flags |= PD_NOSELECTION;
    if (r.maxPage <= 0) {
        d.Flags |= PD_NOPAGENUMS;
    } else {
        d.nMinPage = static_cast<WORD>(std::max(r.minPage, 1));
        d.nMaxPage = static_cast<WORD>(std::min(std::max(r.maxPage, r.minPage), 0xFFFF));
        d.nFromPage = static_cast<WORD>(std::clamp(r.fromPage, static_cast<int>(d.nMinPage), static_cast<int>(d.nMaxPage)));
        d.nToPage = static_cast<WORD>(std::clamp(r.toPage, static_cast<int>(d.nFromPage), static_cast<int>(d.nMaxPage)));
    }
    d.nCopies = static_cast<WORD>(std::clamp(r.copies, 1, 9999));
    return d;
}

PrintChoice CommonPrintDialog::choiceOf(const PRINTDLGA& d) {
    PrintChoice c;
    c.printer = printerName(d.hDevNames);
    c.copies = std::max<int>(d.nCopies, 1);
    c.collate = d.Flags & PD_COLLATE;
    c.range = (d.Flags & PD_PAGENUMS) ? PrintRange::Pages : (d.Flags & PD_SELECTION) ? PrintRange::Selection
                                                                                   : PrintRange::All;
    c.fromPage = d.nFromPage;
    c.toPage = d.nToPage;
    return c;
}

std::optional<PrintChoice> CommonPrintDialog::choosePrinter(const PrintRequest& request) {
    // Some systems show their own box despite PD_NOWARNING.
    if (!PrinterInstalled()) return std::nullopt;
    PRINTDLGA d = dialogOf(request);
    d.hwndOwner = owner_ ? owner_ : promptOwner();
    bool ok = PrintDlgA(&d);
    std::optional<PrintChoice> choice;
    if (ok) choice = choiceOf(d);
    if (d.hDevMode) GlobalFree(d.hDevMode);
    if (d.hDevNames) GlobalFree(d.hDevNames);
    return choice;
}

}  // namespace kv::ui
