#pragma once
// A page control with tab images, tab styles and owner-drawn tabs.
#include <functional>

#include "controls/small/SmallControlRules.h"
#include "ui/PageControl.h"

namespace kv::ui {

class TExPageControl : public PageControl {
public:
    unsigned Styles() const { return styles_; }
    // Adds what the styles imply and re-creates the window.
    void SetStyles(unsigned styles);
    HIMAGELIST Glyphs() const { return images(); }
    void SetGlyphs(HIMAGELIST glyphs) { setImages(glyphs); }
    // Gives every tab its image again (after the image list changed).
    void ApplyTabImages();

    // Default: the image of the tab's page index, so hidden pages shift nothing.
    std::function<void(TExPageControl& sender, int tabIndex, int& imageIndex)> OnGlyphMap;
    std::function<void(TExPageControl& sender, int tabIndex, const RECT& rect, bool selected, HDC dc)> OnDrawItem;

protected:
    void tabsRebuilt() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    void drawTab(const DRAWITEMSTRUCT& d);
    unsigned styles_ = 0;
};

}  // namespace kv::ui
