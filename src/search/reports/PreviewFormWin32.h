#pragma once
// "Print Preview": the pages of a report as they are generated, one at a time,
// at a zoom; the page buttons and list, the zoom buttons and list, Print,
// Full Screen and Close; keys and mouse clicks on the page; a status bar with
// the page count and the page shown.
#include <functional>
#include <memory>

#include "controls/small/MinMaxWin32.h"
#include "report/EmfPageStoreWin32.h"
#include "search/reports/PreviewKeys.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Panel.h"
#include "ui/SpeedButton.h"
#include "ui/StatusBar.h"
#include "ui/Timer.h"
#include "ui/WindowDisabler.h"

namespace kv {

// TRepPreview: paints the current page at the zoom on a grey ground, with
// scroll bars when it is larger than the view. A zoom to the whole page or
// to the width holds across resizes.
class TRepPreview : public ui::Panel {
public:
    void SetPages(report::EmfPageStore* pages, double pageWidth, double pageLength);
    int PageCount() const;
    int PageNumber() const { return page_; }
    void SetPageNumber(int page);
    int Zoom() const { return zoom_; }
    void SetZoom(int zoom);
    void ZoomToFit();
    void ZoomToWidth();
    // The page's size on the screen at the zoom (100 %: its real size at 96 dpi).
    SIZE PageSize() const;
    // The grey ground, the page with its shadow and its content, scrolled.
    void PaintTo(HDC dc, const RECT& client) const;
    ScrollAxis VertScrollBar() const;
    ScrollAxis HorzScrollBar() const;
    void ScrollTo(int x, int y);
    void ScrollBy(int dx, int dy) { ScrollTo(scroll_.x + dx, scroll_.y + dy); }
    POINT ScrollPosition() const { return scroll_; }

    // After a resize has re-applied the zoom.
    std::function<void()> onResized;

protected:
    void paint(HDC dc) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    enum class ZoomMode { Fixed, Fit, Width };
    void ApplyZoomMode();
    void UpdateScrollBars();

    report::EmfPageStore* pages_ = nullptr;
    double width_ = 0, length_ = 0;
    int page_ = 1;
    int zoom_ = 100;
    ZoomMode mode_ = ZoomMode::Fixed;
    POINT scroll_{0, 0};
};

// The zoom list: its text can be typed; leaving it is told.
class ZoomComboBox : public ui::ComboBox {
public:
    ZoomComboBox() : ui::ComboBox(false) {}
    std::function<void()> onLeave;

protected:
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
};

class TPreviewForm : public ui::Form {
public:
    // oldButtons: raised buttons in place of flat ones (the settings' choice).
    explicit TPreviewForm(bool oldButtons = false);
    ~TPreviewForm() override;

    ui::Panel Panel;
    ui::SpeedButton BtnFirstPage, BtnPrevPage, BtnNextPage, BtnLastPage;
    ui::ComboBox PageCombo;
    ui::SpeedButton BtnZoomPage, BtnZoom100, BtnZoomWidth;
    ZoomComboBox ZoomCombo;
    ui::SpeedButton BtnPrint, BtnFullScreen, BtnClose;
    ui::StatusBar StatusBar;
    TRepPreview QRPreview;
    ui::Timer CloseTimer;

    // The run that makes the pages: whether it has ended, whether it was
    // aborted, and how to abort it. None: the pages are all there.
    std::function<bool()> generationFinished;
    std::function<bool()> aborted;
    std::function<void()> abortGeneration;
    // Prints the report; none: Print stays off.
    std::function<void()> onPrint;

    // Before each preview: no pages yet, 100 %, page 1.
    void PreparePreview(report::EmfPageStore& pages, double pageWidth, double pageLength);
    // A page has been generated: the first shows the window (or ends an
    // aborted run), each one joins the page list.
    void QRPreviewPageAvailable(int page);
    // The run has ended: Print may be used now.
    void GenerationFinished() { UpdatePreviewStatus(); }
    void UpdatePreviewStatus();
    void GotoPreviewPage(int page);
    // The list on the last step not above the zoom, its text the exact zoom.
    void UpdateZoomCombo();
    // A zoom typed or chosen in the list; text that is no number is ignored.
    void ZoomComboClick(const std::string& text);
    // Zooms one step of the list in or out.
    void StepZoomItem(bool in);
    // A key the form sees first; true when it was used up.
    bool PreviewKeyDown(WORD key, bool ctrl);
    void BtnFullScreenClick();
    bool FullScreen() const { return fullScreen_; }
    // Closes at once when the run has ended; else aborts it and closes once it stops.
    void BtnCloseClick();
    bool Closed() const { return closed_; }
    int PageCount() const { return pageCount_; }
    // Shows the window over the program's other windows, which stay disabled until it closes.
    void ShowPreview();
    // Runs the messages until the window has closed.
    void RunUntilClosed();

private:
    bool RunEnded() const { return !generationFinished || generationFinished(); }
    void ScrollToTop() { QRPreview.ScrollTo(QRPreview.ScrollPosition().x, 0); }

    ui::TMinMax guard_{*this};
    int pageCount_ = 0;
    bool closing_ = false;
    bool closed_ = false;
    bool fullScreen_ = false;
    WINDOWPLACEMENT placement_{};
    LONG savedStyle_ = 0;
    std::unique_ptr<ui::WindowDisabler> disabler_;
};

}  // namespace kv
