#pragma once
// The toolbar customiser's list: each toolbar entry drawn as the toolbar
// shows it (a button's picture and hint, a separator line, the "Unused
// Buttons" bar). While a button waits for its place, a click or Space on an
// entry names the place.
#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace kv {

struct ToolbarBoxItem {
    enum class Kind { Button, Separator, Marker };
    Kind kind = Kind::Button;
    std::string hint;
    HBITMAP glyph = nullptr;  // not owned
};

class ToolbarBox : public ui::Control {
public:
    ToolbarBox();

    void setItems(std::vector<ToolbarBoxItem> items, int select);
    int count() const { return static_cast<int>(items_.size()); }
    void setItemIndex(int index);
    int itemIndex() const;
    // The entry drawn pressed while it waits for its place (-1: none).
    void setPending(int index);
    bool placing() const { return pending_ >= 0; }

    std::function<void(ToolbarBox& sender)> onSelChange;
    std::function<void(ToolbarBox& sender, int index)> onPlace;

    static int itemHeight(ToolbarBoxItem::Kind kind, int textHeight);

protected:
    void createParams(ui::CreateArgs& args) override;
    void createWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void fill();
    void drawItem(const DRAWITEMSTRUCT& d);
    int textHeight() const;

    std::vector<ToolbarBoxItem> items_;
    int index_ = -1;
    int pending_ = -1;
};

}  // namespace kv
