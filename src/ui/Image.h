#pragma once
// A picture: a bitmap drawn at the top-left (or stretched over the control).
// Takes no focus; a click reports onClick.
#include <functional>

#include "ui/Canvas.h"
#include "ui/Control.h"

namespace kv::ui {

class Image : public Control {
public:
    Image();
    // The image keeps the bitmap and deletes it with itself.
    void setBitmap(GdiObject<HBITMAP> bitmap);
    HBITMAP bitmap() const { return bitmap_.get(); }
    void setStretch(bool stretch);
    bool stretch() const { return stretch_; }

    std::function<void(Image& sender)> onClick;

protected:
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void paint(HDC dc);

    GdiObject<HBITMAP> bitmap_;
    bool stretch_ = false;
    bool pressed_ = false;
};

}  // namespace kv::ui
