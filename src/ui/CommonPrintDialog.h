#pragma once
// The print dialog of the program: the system's common dialog. Without an
// installed printer it answers "cancelled" and shows nothing; callers tell the
// user first (CheckPrinterInstalled).
#include <windows.h>

#include <commdlg.h>

#include "ui/PrintDialog.h"

namespace kv::ui {

class CommonPrintDialog : public PrintDialog {
public:
    explicit CommonPrintDialog(HWND owner = nullptr) : owner_(owner) {}
    std::optional<PrintChoice> choosePrinter(const PrintRequest& request) override;

    // The dialog's structure for a request, and the choice read back from it.
    static PRINTDLGA dialogOf(const PrintRequest& request);
    static PrintChoice choiceOf(const PRINTDLGA& dialog);

private:
    HWND owner_;
};

}  // namespace kv::ui
