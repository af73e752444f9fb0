#include "search/reports/PreviewFormWin32.h"

#include <algorithm>

#include "search/reports/PreviewZoom.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/SystemHelpers.h"
#include "ui/WaitForm.h"

namespace kv {

namespace {

constexpr int kPageMargin = 16;
constexpr int kShadow = 4;
constexpr int kLineStep = 40;
constexpr int kPanelHeight = 32;
constexpr UINT kCloseTimerMs = 100;

PreviewKey KeyOf(WORD key) {
    switch (key) {
    case VK_ESCAPE: return PreviewKey::Escape;
    case 'P': return PreviewKey::P;
    case VK_PRIOR: return PreviewKey::PageUp;
    case VK_NEXT: return PreviewKey::PageDown;
    case VK_HOME: return PreviewKey::Home;
    case VK_END: return PreviewKey::End;
    case VK_UP: return PreviewKey::Up;
    case VK_DOWN: return PreviewKey::Down;
    case VK_LEFT: return PreviewKey::Left;
    case VK_RIGHT: return PreviewKey::Right;
    default: return PreviewKey::Other;
    }
}

}  // namespace

void TRepPreview::SetPages(report::EmfPageStore* pages, double pageWidth, double pageLength) {
    pages_ = pages;
    width_ = pageWidth;
    length_ = pageLength;
    page_ = 1;
    scroll_ = {0, 0};
    ApplyZoomMode();
}

int TRepPreview::PageCount() const { return pages_ ? static_cast<int>(pages_->PageCount()) : 0; }

void TRepPreview::SetPageNumber(int page) {
    page_ = std::clamp(page, 1, std::max(1, PageCount()));
    if (hwnd())
        InvalidateRect(hwnd(), nullptr, FALSE);
}

void TRepPreview::SetZoom(int zoom) {
    mode_ = ZoomMode::Fixed;
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    UpdateScrollBars();
}

void TRepPreview::ZoomToFit() {
    mode_ = ZoomMode::Fit;
    ApplyZoomMode();
}

void TRepPreview::ZoomToWidth() {
    mode_ = ZoomMode::Width;
    ApplyZoomMode();
}

void TRepPreview::ApplyZoomMode() {
    const RECT r = hwnd() ? clientRect() : RECT{0, 0, 0, 0};
    if (mode_ == ZoomMode::Fit && r.right > 0)
        zoom_ = kv::ZoomToFit(width_, length_, r.right - 2 * kPageMargin, r.bottom - 2 * kPageMargin);
    else if (mode_ == ZoomMode::Width && r.right > 0)
        zoom_ = kv::ZoomToWidth(width_, r.right - 2 * kPageMargin);
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
        if (HENHMETAFILE emf = pages_->Page(static_cast<std::size_t>(page_ - 1)))
            PlayEnhMetaFile(dc, emf, &page);
}

// Drawn off screen first: a page full of text would flicker at every scroll.
void TRepPreview::paint(HDC dc) {
    const RECT client = clientRect();
    HDC memory = CreateCompatibleDC(dc);
    const int width = std::max<LONG>(1, client.right), height = std::max<LONG>(1, client.bottom);
    ui::GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, width, height));
    const HGDIOBJ old = SelectObject(memory, bitmap.get());
    PaintTo(memory, client);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

ScrollAxis TRepPreview::VertScrollBar() const {
    const int view = hwnd() ? clientRect().bottom : 0;
    const int range = PageSize().cy + 2 * kPageMargin;
    return {scroll_.y, range, view, range > view};
}

ScrollAxis TRepPreview::HorzScrollBar() const {
    const int view = hwnd() ? clientRect().right : 0;
    const int range = PageSize().cx + 2 * kPageMargin;
    return {scroll_.x, range, view, range > view};
}

void TRepPreview::ScrollTo(int x, int y) {
    scroll_.x = std::clamp(x, 0, HorzScrollBar().maxPosition());
    scroll_.y = std::clamp(y, 0, VertScrollBar().maxPosition());
    UpdateScrollBars();
}

void TRepPreview::UpdateScrollBars() {
    if (!hwnd())
        return;
    scroll_.x = std::clamp<LONG>(scroll_.x, 0, HorzScrollBar().maxPosition());
    scroll_.y = std::clamp<LONG>(scroll_.y, 0, VertScrollBar().maxPosition());
    auto set = [this](int bar, const ScrollAxis& axis) {
        SCROLLINFO info{sizeof info, SIF_ALL | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
        info.nMax = std::max(0, axis.range - 1);
        info.nPage = static_cast<UINT>(std::max(1, axis.page));
        info.nPos = axis.position;
        SetScrollInfo(hwnd(), bar, &info, TRUE);
    };
    set(SB_VERT, VertScrollBar());
    set(SB_HORZ, HorzScrollBar());
    InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT TRepPreview::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_VSCROLL || msg == WM_HSCROLL) {
        const bool vertical = msg == WM_VSCROLL;
        const ScrollAxis axis = vertical ? VertScrollBar() : HorzScrollBar();
        int to = axis.position;
        switch (LOWORD(wp)) {
        case SB_LINEUP: to -= kLineStep; break;
        case SB_LINEDOWN: to += kLineStep; break;
        case SB_PAGEUP: to -= axis.page; break;
        case SB_PAGEDOWN: to += axis.page; break;
        case SB_TOP: to = 0; break;
        case SB_BOTTOM: to = axis.maxPosition(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(hwnd(), vertical ? SB_VERT : SB_HORZ, &info);
            to = info.nTrackPos;
            break;
        }
        default: break;
        }
        ScrollTo(vertical ? scroll_.x : to, vertical ? to : scroll_.y);
        return 0;
    }
    if (msg == WM_MOUSEWHEEL) {
        ScrollBy(0, -GET_WHEEL_DELTA_WPARAM(wp) * kLineStep / WHEEL_DELTA);
        return 0;
    }
    if (msg == WM_ERASEBKGND)
        return 1;
    if (msg == WM_SIZE) {
        const LRESULT result = Panel::wndProc(msg, wp, lp);
        ApplyZoomMode();
        if (onResized)
            onResized();
        return result;
    }
    return Panel::wndProc(msg, wp, lp);
}

LRESULT ZoomComboBox::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg == WM_COMMAND && HIWORD(wp) == CBN_KILLFOCUS && onLeave)
        onLeave();
    return ui::ComboBox::reflected(msg, wp, lp, handled);
}

TPreviewForm::TPreviewForm(bool oldButtons) {
    setCaption("Print Preview");
    setWindowClassName("KvPreviewForm");
    setBounds(0, 0, 900, 700);
    setWindowState(ui::WindowState::Maximized);
    keyPreview = true;
    createHandle();

    Panel.setAlign(ui::Align::Top);
    Panel.setBounds(0, 0, 900, kPanelHeight);
    Panel.create(this);
    int x = 4;
    HINSTANCE module = GetModuleHandleA(nullptr);
    // Pictures like the program's other toolbars; the short caption only
    // where the picture is missing, and on Print beside its picture.
    auto button = [&](ui::SpeedButton& b, const char* glyph, const char* caption, const char* hint, int width) {
        const ui::GdiObject<HBITMAP> strip(LoadBitmapA(module, glyph));
        if (strip.get())
            b.setGlyph(strip.get(), 2);
        if (!strip.get() || &b == &BtnPrint)
            b.setText(caption);
        b.hint = hint;
        b.showHint = true;
        b.setFlat(!oldButtons);
        b.setBounds(x, 4, width, 24);
        b.create(&Panel);
        x += width + 2;
    };
    auto combo = [&](ui::ComboBox& c, const char* hint, int width) {
        c.hint = hint;
        c.showHint = true;
        c.setBounds(x + 2, 5, width, 400);
        c.create(&Panel);
        x += width + 6;
    };
    button(BtnFirstPage, "BtnFirstPage", "|<", "Go to First Page", 24);
    button(BtnPrevPage, "BtnPrevPage", "<", "Previous Page", 24);
    combo(PageCombo, "Go to Page...", 64);
    button(BtnNextPage, "BtnNextPage", ">", "Next Page", 24);
    button(BtnLastPage, "BtnLastPage", ">|", "Go to Last Page", 24);
    x += 10;
    button(BtnZoomPage, "BtnZoomPage", "Page", "Zoom to Whole Page", 24);
    button(BtnZoom100, "BtnZoom100", "100%", "Zoom to 100%", 24);
    button(BtnZoomWidth, "BtnZoomWidth", "Width", "Zoom to Full Width", 24);
    combo(ZoomCombo, "Custom Zoom", 70);
    x += 4;
    button(BtnPrint, "ButtonPrint", "Print", "Print Report", 60);
    BtnFullScreen.groupIndex = 1;
    BtnFullScreen.allowAllUp = true;
    button(BtnFullScreen, "BtnFullScreen", "Full Screen", "Full Screen", 24);
    button(BtnClose, "BtnClosePreview", "Close", "Close Preview", 24);

    StatusBar.setPanels({{"Total pages: 0", 120}, {"Page: 1", 80}, {"", 50}});
    StatusBar.create(this);
    QRPreview.setAlign(ui::Align::Client);
    QRPreview.setBevel(false);
    QRPreview.create(this);
    SetWindowLongA(QRPreview.hwnd(), GWL_STYLE,
                   GetWindowLongA(QRPreview.hwnd(), GWL_STYLE) | WS_VSCROLL | WS_HSCROLL);
    if (HCURSOR zoom = LoadCursorA(GetModuleHandleA(nullptr), "ZoomCursor"))
        QRPreview.setCursor(zoom);

    // Only the smallest size is guarded: maximised and full screen take the system's.
    guard_.SetOptions(ui::opAllowResize | ui::opMinTrackSize);
    guard_.MinTrackSize = {BtnClose.left() + BtnClose.width() + 15, 200};

    std::vector<std::string> steps;
    for (int step : kZoomSteps)
        steps.push_back(std::to_string(step) + "%");
    ZoomCombo.setItems(steps);

    BtnFirstPage.onClick = [this](ui::SpeedButton&) { GotoPreviewPage(1); };
    BtnLastPage.onClick = [this](ui::SpeedButton&) { GotoPreviewPage(PageCombo.count()); };
    BtnPrevPage.onClick = [this](ui::SpeedButton&) { GotoPreviewPage(QRPreview.PageNumber() - 1); };
    BtnNextPage.onClick = [this](ui::SpeedButton&) { GotoPreviewPage(QRPreview.PageNumber() + 1); };
    PageCombo.onChange = [this](ui::ComboBox& c) { GotoPreviewPage(c.itemIndex() + 1); };
    BtnZoomPage.onClick = [this](ui::SpeedButton&) {
        ScrollToTop();
        QRPreview.ZoomToFit();
        UpdateZoomCombo();
    };
    BtnZoom100.onClick = [this](ui::SpeedButton&) {
        ScrollToTop();
        QRPreview.SetZoom(100);
        UpdateZoomCombo();
    };
    BtnZoomWidth.onClick = [this](ui::SpeedButton&) {
        ScrollToTop();
        QRPreview.ZoomToWidth();
        UpdateZoomCombo();
    };
    ZoomCombo.onChange = [this](ui::ComboBox& c) {
        if (c.itemIndex() >= 0)
            ZoomComboClick(c.items()[static_cast<std::size_t>(c.itemIndex())]);
    };
    ZoomCombo.onLeave = [this] { UpdateZoomCombo(); };
    QRPreview.onResized = [this] { UpdateZoomCombo(); };
    QRPreview.onMouseDown = [this](ui::Control&, ui::MouseButton button, UINT, int, int) {
        if (button == ui::MouseButton::Left || button == ui::MouseButton::Right)
            StepZoomItem(button == ui::MouseButton::Left);
    };
    BtnPrint.onClick = [this](ui::SpeedButton&) {
        if (onPrint)
            onPrint();
    };
    BtnFullScreen.onClick = [this](ui::SpeedButton&) { BtnFullScreenClick(); };
    BtnClose.onClick = [this](ui::SpeedButton&) { BtnCloseClick(); };
    CloseTimer.setInterval(kCloseTimerMs);
    CloseTimer.onTimer = [this](ui::Timer& t) {
        if (RunEnded()) {
            t.setEnabled(false);
            BtnCloseClick();
        }
    };
    onKeyDown = [this](ui::Control&, WORD& key, UINT shift) {
        if (PreviewKeyDown(key, (shift & ui::kCtrl) != 0))
            key = 0;
    };
    onCloseQuery = [this](ui::Form&, bool& canClose) {
        if (!closing_) {
            canClose = false;
            BtnCloseClick();
        }
    };
    onShow = [this](ui::Form&) {
        closing_ = false;
        CloseTimer.setEnabled(false);
        UpdateZoomCombo();
    };
    UpdateZoomCombo();
    UpdatePreviewStatus();
}

TPreviewForm::~TPreviewForm() {
    CloseTimer.setEnabled(false);
    disabler_.reset();
    destroyWindow();
}

void TPreviewForm::PreparePreview(report::EmfPageStore& pages, double pageWidth, double pageLength) {
    PageCombo.clear();
    pageCount_ = 0;
    closing_ = closed_ = false;
    QRPreview.SetPages(&pages, pageWidth, pageLength);
    QRPreview.SetZoom(100);
    QRPreview.SetPageNumber(1);
    UpdateZoomCombo();
    UpdatePreviewStatus();
}

void TPreviewForm::QRPreviewPageAvailable(int page) {
    if (!hwnd() || !IsWindowVisible(hwnd())) {
        ui::CloseWaitWindow();
        if (aborted && aborted()) {
            if (abortGeneration)
                abortGeneration();
            return;
        }
        ShowPreview();
    }
    ++pageCount_;
    PageCombo.addItem(std::to_string(page));
    UpdatePreviewStatus();
}

void TPreviewForm::ShowPreview() {
    createHandle();
    disabler_ = std::make_unique<ui::WindowDisabler>(hwnd());
    show();
    SetForegroundWindow(hwnd());
}

void TPreviewForm::RunUntilClosed() {
    if (!hwnd() || !IsWindowVisible(hwnd()))
        return;
    ui::Application::instance().runModalLoop([this] { return closed_ || !hwnd() || !IsWindowVisible(hwnd()); });
    if (!closed_) {
        // Ended by the program's end: the run is over anyway.
        closed_ = closing_ = true;
        disabler_.reset();
        hide();
    }
}

void TPreviewForm::UpdatePreviewStatus() {
    const int page = QRPreview.PageNumber();
    StatusBar.setPanelText(0, "Total pages: " + std::to_string(pageCount_));
    StatusBar.setPanelText(1, "Page: " + std::to_string(page));
    if (page - 1 < PageCombo.count())
        PageCombo.setItemIndex(page - 1);
    BtnFirstPage.setEnabled(page != 1);
    BtnPrevPage.setEnabled(page != 1);
    BtnLastPage.setEnabled(page < PageCombo.count());
    BtnNextPage.setEnabled(page < PageCombo.count());
    BtnPrint.setEnabled(static_cast<bool>(onPrint) && pageCount_ > 0 && RunEnded() && !(aborted && aborted()));
}

void TPreviewForm::GotoPreviewPage(int page) {
    if (page < 1 || page > PageCombo.count())
        return;
    {
        ui::ScopedHourglass hourglass;
        StatusBar.setPanelText(2, "Generating page " + std::to_string(page));
        ui::Application::instance().processMessages();
        if (!hwnd())
            return;
        ui::NestedLockWindowUpdate(hwnd());
        QRPreview.SetPageNumber(page);
        QRPreview.ScrollTo(QRPreview.ScrollPosition().x, 0);
        PageCombo.setItemIndex(page - 1);
        StatusBar.setPanelText(2, "");
        ui::NestedLockWindowUpdate(nullptr);
    }
    UpdatePreviewStatus();
}

void TPreviewForm::UpdateZoomCombo() {
    const ZoomChoice choice = ZoomComboChoice(QRPreview.Zoom());
    ZoomCombo.setItemIndex(choice.item);
    ZoomCombo.setText(choice.text);
}

void TPreviewForm::ZoomComboClick(const std::string& text) {
    const std::optional<int> zoom = ParseZoomText(text, QRPreview.Zoom());
    if (!zoom)
        return;
    ScrollToTop();
    QRPreview.SetZoom(*zoom);
    UpdateZoomCombo();
    if (ZoomCombo.hwnd())
        SendMessageA(ZoomCombo.hwnd(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void TPreviewForm::StepZoomItem(bool in) {
    ZoomComboClick(std::to_string(StepZoom(QRPreview.Zoom(), in)) + "%");
}

bool TPreviewForm::PreviewKeyDown(WORD key, bool ctrl) {
    // Enter in the zoom list applies its text and goes no further.
    if (key == VK_RETURN && ZoomCombo.hwnd() && IsChild(ZoomCombo.hwnd(), GetFocus())) {
        ZoomComboClick(ZoomCombo.text());
        return true;
    }
    PreviewView view;
    view.vert = QRPreview.VertScrollBar();
    view.horz = QRPreview.HorzScrollBar();
    view.canPrior = BtnPrevPage.enabled();
    view.canNext = BtnNextPage.enabled();
    const PreviewKeyAction action = PreviewKeyFor(KeyOf(key), ctrl, view);
    switch (action.command) {
    case PreviewCommand::Close: BtnClose.click(); break;
    case PreviewCommand::Print:
        if (BtnPrint.enabled())
            BtnPrint.click();
        break;
    case PreviewCommand::FirstPage: BtnFirstPage.click(); break;
    case PreviewCommand::LastPage: BtnLastPage.click(); break;
    case PreviewCommand::PriorPageBottom:
        BtnPrevPage.click();
        QRPreview.ScrollTo(QRPreview.ScrollPosition().x, QRPreview.VertScrollBar().maxPosition());
        break;
    case PreviewCommand::NextPage: BtnNextPage.click(); break;
    case PreviewCommand::Scroll: QRPreview.ScrollTo(action.horz, action.vert); break;
    case PreviewCommand::None: break;
    }
    return action.consumed;
}

void TPreviewForm::BtnFullScreenClick() {
    const int entry = PageCombo.itemIndex();
    const bool entering = !fullScreen_;
    ui::NestedLockWindowUpdate(hwnd());
    if (entering) {
        placement_.length = sizeof placement_;
        GetWindowPlacement(hwnd(), &placement_);
        savedStyle_ = GetWindowLongA(hwnd(), GWL_STYLE);
        if (IsZoomed(hwnd()))
            ShowWindow(hwnd(), SW_SHOWNORMAL);
        StatusBar.setVisible(false);
        SetWindowLongA(hwnd(), GWL_STYLE, savedStyle_ & ~static_cast<LONG>(WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZE));
        // The screen the window is on, where there are several.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& r = monitor.rcMonitor;
        SetWindowPos(hwnd(), HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_FRAMECHANGED);
    } else {
        SetWindowLongA(hwnd(), GWL_STYLE, (savedStyle_ | WS_CAPTION | WS_THICKFRAME) & ~static_cast<LONG>(WS_MAXIMIZE));
        SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        StatusBar.setVisible(true);
        SetWindowPlacement(hwnd(), &placement_);
    }
    fullScreen_ = entering;
    BtnFullScreen.setDown(entering);
    ui::NestedLockWindowUpdate(nullptr);
    if (entry >= 0 && entry < PageCombo.count())
        PageCombo.setItemIndex(entry);
}

void TPreviewForm::BtnCloseClick() {
    if (!RunEnded()) {
        // The run stops at its next page; the timer closes once it has.
        if (abortGeneration)
            abortGeneration();
        CloseTimer.setEnabled(true);
        return;
    }
    setModalResult(ui::mrCancel);
    closing_ = true;
    if (fullScreen_)
        BtnFullScreenClick();
    // Enabled again before hiding, so the activation goes back to them.
    disabler_.reset();
    if (hwnd())
        hide();
    closed_ = true;
}

}  // namespace kv
