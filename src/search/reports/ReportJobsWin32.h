#pragma once
// Printing a list report on a printer and saving it as a text file. Each
// reports its own failure to the user and leaves nothing half done: a failed
// job is aborted, a failed file removed.
#include <functional>
#include <string>

#include "search/reports/ReportForm.h"
#include "search/reports/ReportSettings.h"
#include "search/reports/ReportText.h"
#include "ui/PrintDialog.h"
#include "ui/UserPrompt.h"

namespace kv {

// Margins of 10 mm on the printer's current paper.
bool PrintListReport(const ReportRun& run, const ReportCells& cells, const ReportLook& look,
                     const ui::PrintChoice& choice, ui::UserPrompt& prompt);
// With the report settings' look, paper, orientation and margins on the chosen
// printer. Collated copies print one after another, uncollated ones as one job
// whose pages the printer repeats.
bool PrintListReport(const ReportRun& run, const ReportCells& cells, const ReportSettings& settings,
                     const ui::PrintChoice& choice, ui::UserPrompt& prompt);

// Shows the preview from its first page while the rest is generated, until
// it is closed; print is what its Print button does. False when there was
// nothing to show.
bool PreviewListReport(const ReportRun& run, const ReportCells& cells, const ReportLook& look,
                       ui::UserPrompt& prompt, const std::function<void()>& print, bool oldButtons = false);
// On the settings' printer, paper and margins.
bool PreviewListReport(const ReportRun& run, const ReportCells& cells, const ReportSettings& settings,
                       ui::UserPrompt& prompt, const std::function<void()>& print, bool oldButtons = false);

bool ExportListReport(const ReportRun& run, const ReportCells& cells, const ReportTextOptions& options,
                      const std::string& path, ui::UserPrompt& prompt);

// "Korvalder? 1.01" header's date and time: the system's date and time formats.
std::string ReportTimestampNow();

}  // namespace kv
