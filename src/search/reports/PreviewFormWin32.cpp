#include "search/reports/PreviewFormWin32.h"

#include <algorithm>

#include "search/reports/PreviewZoom.h"

namespace kv {

namespace {

constexpr int kPageMargin = 16;
constexpr int kShadow = 4;
constexpr int kLineStep = 40;

}  // namespace

void TRepPreview::SetPages(const report::EmfPageStore* pages, double pageWidth, double pageLength) {
    pages_ = pages;
    width_ = pageWidth;
    length_ = pageLength;
    page_ = 1;
    scroll_ = {0, 0};
    UpdateScrollBars();
}

int TRepPreview::PageCount() const { return pages_ ? static_cast<int>(pages_->PageCount()) : 0; }

void TRepPreview::SetPageNumber(int page) {
    page_ = std::clamp(page, 1, std::max(1, PageCount()));
    if (hwnd())
        InvalidateRect(hwnd(), nullptr, TRUE);
}

void TRepPreview::SetZoom(int zoom) {
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    UpdateScrollBars();
}

SIZE TRepPreview::PageSize() const {
    return {static_cast<LONG>(width_ * zoom_ / 100), static_cast<LONG>(length_ * zoom_ / 100)};
}

void TRepPreview::PaintTo(HDC dc, const RECT& client) const {
    ui::GdiObject<HBRUSH> ground(CreateSolidBrush(RGB(128, 128, 128)));
    FillRect(dc, &client, ground.get());
    const SIZE size = PageSize();
    const int x = std::max<int>(kPageMargin, (client.right - size.cx) / 2) - scroll_.x;
    const int y = kPageMargin - scroll_.y;
    RECT page{x, y, x + size.cx, y + size.cy};
    RECT shadow = page;
    OffsetRect(&shadow, kShadow, kShadow);
    FillRect(dc, &shadow, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (pages_ && page_ >= 1 && page_ <= PageCount())
        PlayEnhMetaFile(dc, pages_->Page(static_cast<std::size_t>(page_ - 1)), &page);
}

void TRepPreview::paint(HDC dc) { PaintTo(dc, clientRect()); }

void TRepPreview::ScrollBy(int dx, int dy) {
    const RECT client = clientRect();
    const SIZE size = PageSize();
    const int maxX = std::max<int>(0, size.cx + 2 * kPageMargin - client.right);
    const int maxY = std::max<int>(0, size.cy + 2 * kPageMargin - client.bottom);
    scroll_.x = std::clamp<int>(scroll_.x + dx, 0, maxX);
    scroll_.y = std::clamp<int>(scroll_.y + dy, 0, maxY);
    UpdateScrollBars();
}

void TRepPreview::UpdateScrollBars() {
    if (!hwnd())
        return;
    const RECT client = clientRect();
    const SIZE size = PageSize();
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    info.nMax = size.cy + 2 * kPageMargin;
    info.nPage = static_cast<UINT>(std::max<LONG>(1, client.bottom));
    info.nPos = scroll_.y;
    SetScrollInfo(hwnd(), SB_VERT, &info, TRUE);
    info.nMax = size.cx + 2 * kPageMargin;
    info.nPage = static_cast<UINT>(std::max<LONG>(1, client.right));
    info.nPos = scroll_.x;
    SetScrollInfo(hwnd(), SB_HORZ, &info, TRUE);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT TRepPreview::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_VSCROLL || msg == WM_HSCROLL) {
        const bool vertical = msg == WM_VSCROLL;
        const RECT client = clientRect();
        const int pageStep = vertical ? client.bottom : client.right;
        int delta = 0;
        switch (LOWORD(wp)) {
        case SB_LINEUP: delta = -kLineStep; break;
        case SB_LINEDOWN: delta = kLineStep; break;
        case SB_PAGEUP: delta = -pageStep; break;
        case SB_PAGEDOWN: delta = pageStep; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: delta = HIWORD(wp) - (vertical ? scroll_.y : scroll_.x); break;
        default: break;
        }
        ScrollBy(vertical ? 0 : delta, vertical ? delta : 0);
        return 0;
    }
    if (msg == WM_SIZE)
        UpdateScrollBars();
    return Panel::wndProc(msg, wp, lp);
}

TPreviewForm::TPreviewForm(const report::EmfPageStore& pages, double pageWidth, double pageLength) {
    setCaption("Print Preview");
    setWindowClassName("KvPreviewForm");
    setPosition(ui::FormPosition::MainFormCenter);
    setBounds(0, 0, 900, 700);
    keyPreview = true;
    createHandle();
    ButtonPanel.setBounds(0, 0, 890, 36);
    ButtonPanel.create(this);
    int x = 4;
    auto button = [&](ui::Button& b, const char* text, int width) {
        b.setText(text);
        b.setBounds(x, 6, width, 24);
        b.create(&ButtonPanel);
        x += width + 4;
    };
    button(FirstPageBtn, "|<", 30);
    button(PrevPageBtn, "<", 30);
    PageCombo.setBounds(x, 7, 60, 200);
    PageCombo.create(&ButtonPanel);
    x += 64;
    button(NextPageBtn, ">", 30);
    button(LastPageBtn, ">|", 30);
    x += 8;
    button(ZoomFitBtn, "Page", 50);
    button(Zoom100Btn, "100%", 50);
    button(ZoomWidthBtn, "Width", 50);
    ZoomCombo.setBounds(x, 7, 70, 300);
    ZoomCombo.create(&ButtonPanel);
    x += 78;
    button(PrintBtn, "Print", 70);
    button(CloseBtn, "Close", 70);
    StatusLabel.setBounds(x + 8, 10, 220, 16);
    StatusLabel.create(&ButtonPanel);
    QRPreview.setBounds(0, 36, 890, 630);
    QRPreview.create(this);
    SetWindowLongA(QRPreview.hwnd(), GWL_STYLE, GetWindowLongA(QRPreview.hwnd(), GWL_STYLE) | WS_VSCROLL | WS_HSCROLL);
    QRPreview.SetPages(&pages, pageWidth, pageLength);

    std::vector<std::string> steps;
    for (int step : kZoomSteps)
        steps.push_back(std::to_string(step) + "%");
    ZoomCombo.setItems(steps);
    std::vector<std::string> numbers;
    for (int p = 1; p <= QRPreview.PageCount(); ++p)
        numbers.push_back(std::to_string(p));
    PageCombo.setItems(numbers);

    FirstPageBtn.onClick = [this](ui::Button&) { GotoPreviewPage(1); };
    PrevPageBtn.onClick = [this](ui::Button&) { GotoPreviewPage(QRPreview.PageNumber() - 1); };
    NextPageBtn.onClick = [this](ui::Button&) { GotoPreviewPage(QRPreview.PageNumber() + 1); };
    LastPageBtn.onClick = [this](ui::Button&) { GotoPreviewPage(QRPreview.PageCount()); };
    PageCombo.onChange = [this](ui::ComboBox& c) { GotoPreviewPage(c.itemIndex() + 1); };
    ZoomFitBtn.onClick = [this](ui::Button&) {
        const RECT r = QRPreview.clientRect();
        ApplyZoom(ZoomToFit(QRPreview.PageSize().cx * 100.0 / QRPreview.Zoom(),
                            QRPreview.PageSize().cy * 100.0 / QRPreview.Zoom(), r.right - 32, r.bottom - 32));
    };
    Zoom100Btn.onClick = [this](ui::Button&) { ApplyZoom(100); };
    ZoomWidthBtn.onClick = [this](ui::Button&) {
        ApplyZoom(ZoomToWidth(QRPreview.PageSize().cx * 100.0 / QRPreview.Zoom(), QRPreview.clientRect().right - 32));
    };
    ZoomCombo.onChange = [this](ui::ComboBox& c) {
        if (const auto zoom = ParseZoomText(c.text(), QRPreview.Zoom()))
            ApplyZoom(*zoom);
    };
    PrintBtn.onClick = [this](ui::Button&) {
        if (onPrint)
            onPrint();
    };
    CloseBtn.onClick = [this](ui::Button&) { setModalResult(ui::mrCancel); };
    onKeyDown = [this](ui::Control&, WORD& key, UINT) {
        if (PreviewKey(key, GetKeyState(VK_CONTROL) < 0))
            key = 0;
    };
    // The page view takes whatever the buttons leave.
    onResize = [this](ui::Control&) {
        const RECT r = clientRect();
        ButtonPanel.setBounds(0, 0, r.right, 36);
        QRPreview.setBounds(0, 36, r.right, std::max<LONG>(0, r.bottom - 36));
        QRPreview.ScrollBy(0, 0);
    };
    ApplyZoom(100);
    GotoPreviewPage(1);
}

TPreviewForm::~TPreviewForm() { destroyWindow(); }

void TPreviewForm::GotoPreviewPage(int page) {
    QRPreview.SetPageNumber(page);
    QRPreview.ScrollBy(0, -QRPreview.ScrollPosition().y);
    UpdatePreviewStatus();
}

void TPreviewForm::ApplyZoom(int zoom) {
    QRPreview.SetZoom(zoom);
    const ZoomChoice choice = ZoomComboChoice(QRPreview.Zoom());
    ZoomCombo.setItemIndex(choice.item);
    ZoomCombo.setText(choice.text);
    UpdatePreviewStatus();
}

void TPreviewForm::UpdatePreviewStatus() {
    const int page = QRPreview.PageNumber();
    const int count = QRPreview.PageCount();
    FirstPageBtn.setEnabled(page > 1);
    PrevPageBtn.setEnabled(page > 1);
    NextPageBtn.setEnabled(page < count);
    LastPageBtn.setEnabled(page < count);
    if (page - 1 < PageCombo.count())
        PageCombo.setItemIndex(page - 1);
    PrintBtn.setEnabled(static_cast<bool>(onPrint) && count > 0);
    StatusLabel.setText("Total pages: " + std::to_string(count) + "   Page: " + std::to_string(page));
}

bool TPreviewForm::PreviewKey(WORD key, bool ctrl) {
    const RECT client = QRPreview.clientRect();
    switch (key) {
    case VK_ESCAPE: setModalResult(ui::mrCancel); return true;
    case 'P':
        if (PrintBtn.enabled())
            PrintBtn.click();
        return true;
    case VK_NEXT:
        if (ctrl)
            GotoPreviewPage(QRPreview.PageCount());
        else if (QRPreview.ScrollPosition().y + client.bottom >= QRPreview.PageSize().cy + 2 * kPageMargin)
            GotoPreviewPage(QRPreview.PageNumber() + 1);
        else
            QRPreview.ScrollBy(0, client.bottom);
        return true;
    case VK_PRIOR:
        if (ctrl) {
            GotoPreviewPage(1);
        } else if (QRPreview.ScrollPosition().y > 0) {
            QRPreview.ScrollBy(0, -client.bottom);
        } else if (QRPreview.PageNumber() > 1) {
            GotoPreviewPage(QRPreview.PageNumber() - 1);
            QRPreview.ScrollBy(0, QRPreview.PageSize().cy);  // its bottom
        }
        return true;
    case VK_HOME: QRPreview.ScrollBy(0, -QRPreview.ScrollPosition().y); return false;
    case VK_END: QRPreview.ScrollBy(0, QRPreview.PageSize().cy); return false;
    case VK_UP: QRPreview.ScrollBy(0, -kLineStep); return true;
    case VK_DOWN: QRPreview.ScrollBy(0, kLineStep); return true;
    case VK_LEFT: QRPreview.ScrollBy(-kLineStep, 0); return true;
    case VK_RIGHT: QRPreview.ScrollBy(kLineStep, 0); return true;
    default: return false;
    }
}

}  // namespace kv
