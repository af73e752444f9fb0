#include "shell/app/SplashFormWin32.h"

#include "shell/app/ProgramIdentity.h"
#include "ui/Canvas.h"
#include "ui/PlaceControl.h"

namespace kv {
namespace {

constexpr int kStripBitmapHeight = 25;
// The strip is the logo's last rows: one row stretched over the top, the
// bottom five rows kept as they are.
constexpr int kStretchedRow = 229;
constexpr int kKeptRowsFrom = 230;
constexpr int kKeptRows = 5;
constexpr int kKeptRowsAt = 19;

ui::GdiObject<HBITMAP> copyOf(HBITMAP bitmap) {
    return ui::GdiObject<HBITMAP>(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)));
}

}  // namespace

ui::GdiObject<HBITMAP> DrawProgramLogo() {
    // The font outlives the canvas, which puts the old one back when it goes.
    ui::GdiObject<HFONT> font(CreateFontA(-40, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                          VARIABLE_PITCH | FF_SWISS, "Arial"));
    ui::BitmapCanvas logo(kSplashWidth, kLogoHeight);
    for (int y = 0; y < kLogoHeight; ++y) {
        const int shade = 40 + y * 120 / kLogoHeight;
        logo.canvas().setBrushColor(RGB(shade / 3, shade / 2, shade + 60));
        logo.canvas().fillRect({0, y, kSplashWidth, y + 1});
    }
    logo.canvas().setFont(font.get());
    SetBkMode(logo.dc(), TRANSPARENT);
    logo.canvas().setTextColor(RGB(255, 255, 255));
    RECT title{0, 60, kSplashWidth, 140};
    logo.canvas().drawText(kProgramTitle, title, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    return copyOf(logo.bitmap());
}

SplashForm::SplashForm(ui::GdiObject<HBITMAP> logo) {
    setBorderStyle(ui::BorderStyle::None);
    setStayOnTop(true);
    setPosition(ui::FormPosition::ScreenCenter);
    setBounds(0, 0, kSplashWidth, kSplashHeight);
    createHandle();

    logo_.setBitmap(logo.get() ? std::move(logo) : DrawProgramLogo());
    ui::Put(logo_, *this, 0, 0, kSplashWidth, kLogoHeight);
    composeStrip();
    ui::Put(message_strip_, *this, 0, kStripTop, kSplashWidth, kStripHeight);
    showMessage();

    const auto speedUp = [this](ui::Image&) { timer_.setInterval(1); };
    logo_.onClick = speedUp;
    message_strip_.onClick = speedUp;
    onMouseUp = [this](ui::Control&, ui::MouseButton, UINT, int, int) { timer_.setInterval(1); };
    timer_.onTimer = [this](ui::Timer&) { timeout(); };
    timer_.setInterval(kSplashInterval);
    timer_.setEnabled(true);
}

void SplashForm::composeStrip() {
    ui::BitmapCanvas strip(kSplashWidth, kStripBitmapHeight);
    HDC source = CreateCompatibleDC(strip.dc());
    HGDIOBJ old = SelectObject(source, logo_.bitmap());
    BitBlt(strip.dc(), 0, kKeptRowsAt, kSplashWidth, kKeptRows, source, 0, kKeptRowsFrom, SRCCOPY);
    for (int y = 0; y < kKeptRowsAt; ++y)
        BitBlt(strip.dc(), 0, y, kSplashWidth, 1, source, 0, kStretchedRow, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    strip_ = copyOf(strip.bitmap());
}

void SplashForm::showMessage() {
    // The message lies on the strip as a transparent label would.
    ui::BitmapCanvas shown(kSplashWidth, kStripHeight);
    shown.canvas().draw(0, 0, strip_.get());
    SetBkMode(shown.dc(), TRANSPARENT);
    shown.canvas().setFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    shown.canvas().setTextColor(RGB(255, 255, 255));
    RECT r{0, 0, kSplashWidth, kStripHeight};
    shown.canvas().drawText(message_, r, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    message_strip_.setBitmap(copyOf(shown.bitmap()));
    if (message_strip_.hwnd())
        UpdateWindow(message_strip_.hwnd());
}

void SplashForm::setMessage(const std::string& text) {
    message_ = text;
    if (!closed_)
        showMessage();
}

void SplashForm::stepAside() {
    if (!closed_ && hwnd())
        hide();
}

void SplashForm::timeout() {
    if (message_ != "Done.")
        return;
    timer_.setEnabled(false);
    closed_ = true;
    destroyWindow();
}

}  // namespace kv
