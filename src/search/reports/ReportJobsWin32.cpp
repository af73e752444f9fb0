#include "search/reports/ReportJobsWin32.h"

#include <windows.h>

#include <cstdio>

#include "report/GdiTargetWin32.h"

namespace kv {

namespace {

constexpr double kMarginMillimetres = 10;

struct DcOwner {
    HDC dc;
    ~DcOwner() {
        if (dc)
            DeleteDC(dc);
    }
};

}  // namespace

bool PrintListReport(const ReportRun& run, const ReportCells& cells, const ReportLook& look,
                     const ui::PrintChoice& choice, ui::UserPrompt& prompt) {
    const DcOwner printer{CreateDCA("WINSPOOL", choice.printer.c_str(), nullptr, nullptr)};
    if (!printer.dc) {
        prompt.showError("The printer \"" + choice.printer + "\" cannot be used.");
        return false;
    }
    const double toDesign = 96.0;
    const double width = GetDeviceCaps(printer.dc, PHYSICALWIDTH) * toDesign / GetDeviceCaps(printer.dc, LOGPIXELSX);
    const double length = GetDeviceCaps(printer.dc, PHYSICALHEIGHT) * toDesign / GetDeviceCaps(printer.dc, LOGPIXELSY);
    const double margin = report::ToDesignPixels(kMarginMillimetres, report::ReportUnits::Millimetres);
    report::GdiMeasurer measurer;
    // Every copy is a job of its own, whole copies one after another.
    for (int copy = 0; copy < std::max(1, choice.copies); ++copy) {
        ReportForm form(run, cells, look, {width, length, margin, margin, margin, margin});
        report::PrinterTarget job(printer.dc, run.title.empty() ? "Korvalder? report" : run.title);
        if (!form.Run(job, measurer)) {
            prompt.showError("The report could not be printed.");
            return false;
        }
    }
    return true;
}

bool ExportListReport(const ReportRun& run, const ReportCells& cells, const ReportTextOptions& options,
                      const std::string& path, ui::UserPrompt& prompt) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        prompt.showError("Cannot create file " + path + ".");
        return false;
    }
    bool written = true;
    ExportReportToText(run, cells, options, [&](std::string_view piece) {
        written = written && std::fwrite(piece.data(), 1, piece.size(), file) == piece.size();
    });
    written = std::fclose(file) == 0 && written;
    if (!written) {
        std::remove(path.c_str());
        prompt.showError("Cannot write file " + path + ".");
    }
    return written;
}

std::string ReportTimestampNow() {
    char date[80] = "";
    char time[80] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
    return std::string(date) + ", " + time;
}

}  // namespace kv
