#pragma once
// A report previewed while it is generated: the progress window until the
// first page, then the preview, which fills as the pages come and stays
// usable meanwhile. Returns once the preview has closed.
#include "report/EmfPageStoreWin32.h"
#include "search/reports/PreviewFormWin32.h"
#include "search/reports/ReportForm.h"

namespace kv {

enum class PreviewOutcome { Shown, Empty, Cancelled };

// The preview's Print runs its onPrint, set by the caller.
PreviewOutcome RunPreview(TPreviewForm& preview, ReportForm& form, report::EmfPageStore& pages,
                          const report::PageSetup& page, const report::TextMeasurer& measurer);

}  // namespace kv
