#pragma once
// The printer side of the report settings: which printer a report uses, its
// papers the report knows, the settings' paper and orientation pushed into
// the printer's DEVMODE, the page that gives, the paper check before a run,
// the spooler's abort procedure and the row icons drawn on the page.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "report/GdiTargetWin32.h"
#include "search/reports/ReportSettings.h"
#include "ui/Printers.h"
#include "ui/UserPrompt.h"

namespace kv {

// An entry of the settings' paper list: "Default" first (paper 0).
struct ReportPaperEntry {
    std::string name;
    int paper = kDefaultPaper;
    SIZE tenthsMm{};
};

// The installed printer of that name (case-insensitive, the last one listed
// wins), else the default printer, else the first installed; "" for none.
std::string ResolveReportPrinter(const std::string& stored);

// "Default" and the printer's papers the report knows; the others are left out.
std::vector<ReportPaperEntry> FillPaperSizes(const ui::PrinterSettings& printer);

// Paper (unless Default or Custom) and, with a paper chosen, the orientation.
void PushPaperAndOrientation(ui::PrinterSettings& printer, int paper, bool portrait);
// After the printer setup: the report paper and orientation of the DEVMODE.
void PullPaperAndOrientation(const ui::PrinterSettings& printer, int& paper, bool& portrait);

// The printer the settings name, with their paper and orientation.
ui::PrinterSettings ReportPrinter(const ReportSettings& settings, const std::string& name = {});

// A report on the printer's Default paper needs that paper among those the
// report knows; otherwise the user is told ("Paper size not available") and
// nothing runs. paper: the report's paper for the run.
bool CheckPaperSize(const ReportSettings& settings, const ui::PrinterSettings& printer, ui::UserPrompt& prompt,
                    int& paper);

// The report's page on the device: its paper in design pixels, the settings' margins.
report::PageSetup ReportPageOf(HDC dc, const ReportSettings& settings);

// The large icons of the shared image list, each drawn on its background.
report::PictureDrawer LargeIconDrawer();

// The spooler's abort procedure on a printer device context for the span of
// a job: it lets messages run (the progress window's Cancel) and stops the job
// when cancelled() says so or the spooler reports an error.
class PrintAbortScope {
public:
    PrintAbortScope(HDC printer, std::function<bool()> cancelled);
    ~PrintAbortScope();
    PrintAbortScope(const PrintAbortScope&) = delete;
    PrintAbortScope& operator=(const PrintAbortScope&) = delete;
    // The spooler reported an error.
    bool failed() const { return failed_; }

private:
    friend BOOL CALLBACK ReportAbortProc(HDC, int);
    std::function<bool()> cancelled_;
    bool failed_ = false;
    PrintAbortScope* previous_;
};

}  // namespace kv
