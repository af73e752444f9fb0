#include "search/reports/PreviewRunWin32.h"

#include "ui/Application.h"
#include "ui/WaitForm.h"

namespace kv {

PreviewOutcome RunPreview(TPreviewForm& preview, ReportForm& form, report::EmfPageStore& pages,
                          const report::PageSetup& page, const report::TextMeasurer& measurer) {
    preview.PreparePreview(pages, page.Width, page.Length);
    preview.generationFinished = [&form] { return !form.report().Generating(); };
    preview.aborted = [&form] { return form.Aborted(); };
    preview.abortGeneration = [&form] { form.Abort(); };

    ui::WaitFormProgress progress;
    progress.showWaitWindow("Preparing report preview, please wait...", false, true);
    progress.setCancelProc([&form] { form.Abort(); });
    report::TBandReport& report = form.report();
    report.OnEndPage = [&progress](report::TBandReport& r) {
        // Until the first page shows, the progress window tells how far it got.
        if (progress.waitWindowExists()) {
            progress.setWaitText("Generating report, page " + std::to_string(r.PageNumber()));
            progress.stepWaitProgress(0);
        }
    };
    report.OnPageAvailable = [&](report::TBandReport&, int number) {
        if (progress.waitWindowExists() && progress.cancelPressed())
            form.Abort();
        preview.QRPreviewPageAvailable(number);
        // The preview stays usable while the next page is made.
        ui::Application& app = ui::Application::instance();
        app.processMessages();
        if (app.terminated())
            form.Abort();
    };
    report.OnFinished = [&preview](report::TBandReport&) { preview.GenerationFinished(); };
    const bool completed = form.Run(pages, measurer);
    report.OnEndPage = nullptr;
    report.OnPageAvailable = nullptr;
    report.OnFinished = nullptr;
    progress.closeWaitWindow();
    preview.UpdatePreviewStatus();
    if (preview.PageCount() == 0)
        return completed && pages.PageCount() == 0 ? PreviewOutcome::Empty : PreviewOutcome::Cancelled;
    preview.RunUntilClosed();
    return PreviewOutcome::Shown;
}

}  // namespace kv
