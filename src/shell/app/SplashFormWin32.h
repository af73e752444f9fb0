#pragma once
// The start-up window: the logo with a message strip below it. It closes at
// a timer event once its message reads "Done.", at once after a click.
#include <string>

#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Timer.h"

namespace kv {

inline constexpr int kSplashWidth = 350;
inline constexpr int kSplashHeight = 254;
inline constexpr int kLogoHeight = 235;
inline constexpr int kStripTop = 230;
inline constexpr int kStripHeight = 24;
inline constexpr UINT kSplashInterval = 3500;

class SplashForm : public ui::Form {
public:
    // The logo: 350 x 235. Null draws the program's own.
    explicit SplashForm(ui::GdiObject<HBITMAP> logo = {});

    void setMessage(const std::string& text);
    const std::string& message() const { return message_; }
    void setInterval(UINT ms) { timer_.setInterval(ms); }
    UINT interval() const { return timer_.interval(); }
    // The window was freed by its timer.
    bool closed() const { return closed_; }
    // The strip bitmap as composed from the logo (350 x 25), for tests.
    HBITMAP strip() const { return strip_.get(); }
    HBITMAP logo() const { return logo_.bitmap(); }
    // Hides the window (a message box must not sit under it).
    void stepAside();

private:
    void composeStrip();
    void showMessage();
    void timeout();

    ui::Image logo_;
    ui::Image message_strip_;
    ui::Timer timer_;
    ui::GdiObject<HBITMAP> strip_;
    std::string message_ = "Initializing...";
    bool closed_ = false;
};

// The logo the program draws for itself: a title on a gradient.
ui::GdiObject<HBITMAP> DrawProgramLogo();

}  // namespace kv
