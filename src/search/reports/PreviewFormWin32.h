#pragma once
// "Print Preview": the pages of a report as metafiles, one at a time, at a
// zoom; first, previous, next and last page, the zoom box and its buttons,
// Print and Close. Esc closes, P prints, Page Up/Down and Home/End page.
#include <functional>

#include "report/GdiTargetWin32.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"
#include "ui/Panel.h"

namespace kv {

// TRepPreview: paints the current page at the zoom on a grey ground, with
// scroll bars when it is larger than the view.
class TRepPreview : public ui::Panel {
public:
    void SetPages(const report::EmfPageStore* pages, double pageWidth, double pageLength);
    int PageCount() const;
    int PageNumber() const { return page_; }
    void SetPageNumber(int page);
    int Zoom() const { return zoom_; }
    void SetZoom(int zoom);
    // The page's size on the screen at the zoom (100 %: its real size at 96 dpi).
    SIZE PageSize() const;
    // The grey ground, the page with its shadow and its content, scrolled.
    void PaintTo(HDC dc, const RECT& client) const;
    void ScrollBy(int dx, int dy);
    POINT ScrollPosition() const { return scroll_; }

protected:
    void paint(HDC dc) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void UpdateScrollBars();

    const report::EmfPageStore* pages_ = nullptr;
    double width_ = 0, length_ = 0;
    int page_ = 1;
    int zoom_ = 100;
    POINT scroll_{0, 0};
};

class TPreviewForm : public ui::Form {
public:
    TPreviewForm(const report::EmfPageStore& pages, double pageWidth, double pageLength);
    ~TPreviewForm() override;

    ui::Panel ButtonPanel;
    ui::Button FirstPageBtn, PrevPageBtn, NextPageBtn, LastPageBtn;
    ui::ComboBox PageCombo;
    ui::Button ZoomFitBtn, Zoom100Btn, ZoomWidthBtn;
    ui::ComboBox ZoomCombo{false};
    ui::Button PrintBtn, CloseBtn;
    ui::Label StatusLabel;
    TRepPreview QRPreview;

    // Print from the preview; none: the button stays off.
    std::function<void()> onPrint;

    void GotoPreviewPage(int page);
    void ApplyZoom(int zoom);
    void UpdatePreviewStatus();
    // What a key does; true when it was used.
    bool PreviewKey(WORD key, bool ctrl);
};

}  // namespace kv
