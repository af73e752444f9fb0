#pragma once
// The one progress window as portable code sees it: a text, an optional bar and
// an optional Cancel button. The window side implements it; tests fake it.
#include <cmath>
#include <functional>
#include <string>

namespace kv {

class WaitProgress {
public:
    virtual ~WaitProgress() = default;
    // Prepares and shows the window; a showing one is reused.
    virtual void showWaitWindow(const std::string& text, bool withBar, bool withCancel) = 0;
    virtual void hideWaitWindow() = 0;
    // Re-enables what it disabled and frees the window; nothing when none exists.
    virtual void closeWaitWindow() = 0;
    virtual bool waitWindowExists() const = 0;

    virtual void setWaitText(const std::string& text) = 0;
    // The amount that stands for 100 %; Done starts again at 0.
    virtual void setWaitTotal(double total) = 0;
    // Done += amount, the bar moves, pending messages are processed.
    virtual void stepWaitProgress(double amount) = 0;
    virtual bool cancelPressed() const = 0;
    // Called when Cancel is pressed; an empty function for none.
    virtual void setCancelProc(std::function<void()> proc) = 0;
};

// The bar position of Done out of Total: a total of zero or less is 0 %, and
// the result stays in 0..100 whatever the caller steps.
inline int waitPercent(double done, double total) {
    if (!(total > 0) || !(done > 0)) return 0;
    double p = std::round(done / total * 100.0);
    if (!(p < 100.0)) return 100;
    return static_cast<int>(p);
}

}  // namespace kv
