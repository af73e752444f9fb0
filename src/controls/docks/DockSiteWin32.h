#pragma once
// A dock along one edge of a form: holds its visible toolbars in rows and takes
// the thickness they need, so the form's edge layout makes room for it.
#include <functional>
#include <vector>

#include "controls/docks/DockArrange.h"
#include "ui/Canvas.h"
#include "ui/Form.h"

namespace kv::ui {

class TDockToolbar;

enum class TDockPosition { dpTop, dpBottom, dpLeft, dpRight };
enum TDockBoundLine : unsigned { blTop = 1, blBottom = 2, blLeft = 4, blRight = 8 };

class TDockSite : public Control {
public:
    explicit TDockSite(Form& owner, TDockPosition position = TDockPosition::dpTop);
    ~TDockSite() override;

    Form& form() const { return form_; }
    bool AllowDrag() const { return allowDrag_; }
    void SetAllowDrag(bool allow);
    bool FixAlign() const { return fixAlign_; }
    void SetFixAlign(bool fix);
    bool LimitToOneRow() const { return limitToOneRow_; }
    void SetLimitToOneRow(bool one);
    unsigned BoundLines() const { return boundLines_; }
    void SetBoundLines(unsigned lines);
    TDockPosition Position() const { return position_; }
    // Raises while the dock holds toolbars.
    void SetPosition(TDockPosition position);
    // Tiled behind the toolbars, from the form's client origin. The dock keeps
    // a copy; null removes the picture.
    void SetBackground(HBITMAP bitmap);
    HBITMAP Background() const { return background_.get(); }
    // The picture's bottom-left colour shows as the dock's colour.
    bool BackgroundTransparent() const { return backgroundTransparent_; }
    void SetBackgroundTransparent(bool transparent);
    bool vertical() const { return position_ == TDockPosition::dpLeft || position_ == TDockPosition::dpRight; }
    // A dock cannot be hidden; showing is allowed.
    void SetVisible(bool visible);

    // The visible toolbars it holds.
    const std::vector<TDockToolbar*>& toolbars() const { return bars_; }
    const std::vector<int>& rowThickness() const { return rows_; }

    // Arrangement waits while locked and runs at the last unlock.
    void lockArrange() { ++lock_; }
    void unlockArrange();
    void ArrangeToolbars();

    std::function<void(TDockSite& sender, bool inserting, TDockToolbar& bar)> OnInsertRemoveBar;
    std::function<void(TDockSite& sender)> OnResize;

protected:
    void createParams(CreateArgs& args) override;
    void childVisibilityChanged(Control& child) override;
    bool paintBackgroundBehind(const Control& target, HDC dc, const RECT& r) const override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    friend class TDockToolbar;
    void insertBar(TDockToolbar& bar);
    void removeBar(TDockToolbar& bar);
    int boundLineCount() const;
    void setThickness(int thickness);
    // Where the toolbars go, worked out from their rows, positions and sizes.
    DockArrangement arrangement();
    // The transparent copy and the brush are made once, dropped on any change
    // (a new dock colour too).
    void backgroundChanged();
    HBRUSH backgroundBrush() const;

    Form& form_;
    TDockPosition position_;
    bool allowDrag_ = true;
    bool fixAlign_ = false;
    bool limitToOneRow_ = false;
    unsigned boundLines_ = 0;
    int lock_ = 0;
    bool arranging_ = false;
    std::vector<TDockToolbar*> bars_;
    std::vector<int> rows_;
    GdiObject<HBITMAP> background_;
    bool backgroundTransparent_ = false;
    mutable GdiObject<HBITMAP> transparentCopy_;
    mutable COLORREF copyColor_ = 0;
    mutable GdiObject<HBRUSH> backgroundBrush_;
};

// Holds a dock's arrangement while it lives (none: holds nothing); the last
// release arranges the dock, also when a failure leaves the scope.
class ArrangeLock {
public:
    explicit ArrangeLock(TDockSite* dock) : dock_(dock) {
        if (dock_) dock_->lockArrange();
    }
    ~ArrangeLock() {
        if (dock_) dock_->unlockArrange();
    }
    ArrangeLock(const ArrangeLock&) = delete;
    ArrangeLock& operator=(const ArrangeLock&) = delete;

private:
    TDockSite* dock_;
};

}  // namespace kv::ui
