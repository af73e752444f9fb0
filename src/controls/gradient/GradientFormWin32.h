#pragma once
// A form that paints its own caption bar: a gradient or solid bar, the small
// icon, the caption buttons and the text. The form keeps its caption text
// itself and answers the window-text messages from it; the system's copy is
// kept in step too, for the taskbar and Alt+Tab.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/gradient/CaptionGeometry.h"
#include "ui/Canvas.h"
#include "ui/Form.h"

namespace kv::ui {

enum class TGFPaintWhen { gfpAlways, gfpActive, gfpNever };

class TGradientForm : public Form {
public:
    TGradientForm();

    int GradientColors() const { return gradientColors_; }
    // Outside 8..256 or unchanged: ignored.
    void SetGradientColors(int count);
    COLORREF CaptionTextColor() const { return textColor_; }
    void SetCaptionTextColor(COLORREF colour);
    COLORREF GradientStartColor() const { return startColor_; }
    void SetGradientStartColor(COLORREF colour);
    COLORREF GradientStopColor() const { return stopColor_; }
    void SetGradientStopColor(COLORREF colour);
    TGFPaintWhen PaintGradient() const { return paintWhen_; }
    void SetPaintGradient(TGFPaintWhen when);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    // Draws on the owner's canvas before the text; a handler that draws the
    // title itself empties r, and the form then draws no second text.
    std::function<void(TGradientForm& sender, Canvas& canvas, RECT& r, bool active)> OnCaptionPaint;

    // Paints the caption into dc, whose origin is the window's top-left corner.
    void PaintCaption(HDC dc, bool active);
    CaptionLayout captionLayout() const;
    HFONT captionFont() const { return font_.get(); }
    const std::vector<std::uint32_t>& colorTable(bool active) const { return active ? active_ : inactive_; }

protected:
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ComputeGradientColors();
    void makeFont();
    void refreshFrame();
    void repaintCaption();
    bool isActive() const;
    void paintBackground(HDC dc, const RECT& r, bool active);
    void paintNonClient(HRGN region);

    int gradientColors_ = 64;
    COLORREF textColor_ = RGB(255, 255, 255);
    COLORREF startColor_ = RGB(0, 0, 0);
    COLORREF stopColor_;
    TGFPaintWhen paintWhen_ = TGFPaintWhen::gfpAlways;
    std::string caption_;
    std::vector<std::uint32_t> inactive_, active_;
    GdiObject<HFONT> font_;
};

}  // namespace kv::ui
