#include "search/reports/ReportPrinterWin32.h"

#include <commctrl.h>

#include "base/text/AnsiCase.h"
#include "ui/SharedImages.h"

namespace kv {

namespace {

// The job whose abort procedure the spooler calls: it passes only the device
// context. One job prints at a time, on the main thread.
PrintAbortScope* currentJob = nullptr;

}  // namespace

BOOL CALLBACK ReportAbortProc(HDC, int error) {
    PrintAbortScope* job = currentJob;
    if (!job)
        return TRUE;
    if (error == SP_ERROR || error == SP_APPABORT || error == SP_USERABORT || error == SP_OUTOFDISK ||
        error == SP_NOTREPORTED)
        job->failed_ = true;
    MSG msg;
    while (!job->failed_ && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return !job->failed_ && !(job->cancelled_ && job->cancelled_());
}

PrintAbortScope::PrintAbortScope(HDC printer, std::function<bool()> cancelled)
    : cancelled_(std::move(cancelled)), previous_(currentJob) {
    currentJob = this;
    SetAbortProc(printer, ReportAbortProc);
}

PrintAbortScope::~PrintAbortScope() { currentJob = previous_; }

std::string ResolveReportPrinter(const std::string& stored) {
    const std::vector<std::string> names = ui::PrinterNames();
    if (!stored.empty())
        for (auto it = names.rbegin(); it != names.rend(); ++it)
            if (compareNoCase(*it, stored, cp1252CaseMap()) == 0)
                return *it;
    std::string chosen = ui::DefaultPrinterName();
    // Printers installed but none made the default: the first one, rather
    // than a report that cannot print.
    if (chosen.empty() && !names.empty())
        chosen = names.front();
    return chosen;
}

std::vector<ReportPaperEntry> FillPaperSizes(const ui::PrinterSettings& printer) {
    std::vector<ReportPaperEntry> entries{{"Default", kDefaultPaper, {}}};
    for (const ui::PrinterPaper& p : printer.Papers())
        if (const int paper = ReportPaperOfPrinterCode(p.code))
            entries.push_back({p.name, paper, p.tenthsMm});
    return entries;
}

void PushPaperAndOrientation(ui::PrinterSettings& printer, int paper, bool portrait) {
    if (paper == kDefaultPaper)
        return;
    if (const int code = PrinterCodeOfReportPaper(paper))
        printer.setPaper(code);
    printer.setOrientation(portrait ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE);
}

void PullPaperAndOrientation(const ui::PrinterSettings& printer, int& paper, bool& portrait) {
    paper = PulledReportPaper(printer.paper());
    portrait = printer.orientation() == DMORIENT_PORTRAIT;
}

ui::PrinterSettings ReportPrinter(const ReportSettings& settings, const std::string& name) {
    ui::PrinterSettings printer(name.empty() ? ResolveReportPrinter(settings.printer) : name);
    PushPaperAndOrientation(printer, settings.paperSize, settings.portrait);
    return printer;
}

bool CheckPaperSize(const ReportSettings& settings, const ui::PrinterSettings& printer, ui::UserPrompt& prompt,
                    int& paper) {
    paper = settings.paperSize;
    if (paper != kDefaultPaper)
        return true;
    const std::vector<ReportPaperEntry> entries = FillPaperSizes(printer);
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (PrinterCodeOfReportPaper(entries[i].paper) == printer.paper()) {
            paper = entries[i].paper;
            return true;
        }
    prompt.ask({"You are using default paper size for this report, and paper size selected for your printer is not "
                "available to be used with reports. Please open Report Settings dialog and select one of available "
                "paper sizes for reports first.",
                "Paper size not available", ui::PromptButtons::Ok, ui::PromptIcon::Stop});
    return false;
}

report::PageSetup ReportPageOf(HDC dc, const ReportSettings& settings) {
    const double width = GetDeviceCaps(dc, PHYSICALWIDTH) * 96.0 / std::max(1, GetDeviceCaps(dc, LOGPIXELSX));
    const double length = GetDeviceCaps(dc, PHYSICALHEIGHT) * 96.0 / std::max(1, GetDeviceCaps(dc, LOGPIXELSY));
    return settings.PageOn(width, length);
}

report::PictureDrawer LargeIconDrawer() {
    if (!SharedObjectsReady())
        return {};
    HIMAGELIST images = LargeImages().handle();
    return [images](HDC dc, const RECT& at, int picture, COLORREF background) {
        if (picture >= ImageList_GetImageCount(images))
            return;
        // Drawn into a bitmap first: printers and metafiles take a plain
        // bitmap where icon masks may not work.
        constexpr int kSide = 32;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kSide;
        info.bmiHeader.biHeight = kSide;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HDC memory = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (memory && bitmap) {
            const HGDIOBJ old = SelectObject(memory, bitmap);
            const RECT all{0, 0, kSide, kSide};
            HBRUSH brush = CreateSolidBrush(background);
            FillRect(memory, &all, brush);
            DeleteObject(brush);
            ImageList_Draw(images, picture, memory, 0, 0, ILD_NORMAL);
            GdiFlush();
            StretchDIBits(dc, at.left, at.top, at.right - at.left, at.bottom - at.top, 0, 0, kSide, kSide, bits, &info,
                          DIB_RGB_COLORS, SRCCOPY);
            SelectObject(memory, old);
        }
        if (bitmap)
            DeleteObject(bitmap);
        if (memory)
            DeleteDC(memory);
    };
}

}  // namespace kv
