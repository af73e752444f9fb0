#pragma once
// A toolbar that lives in a dock or floats in a small window of its own: lays
// its controls out in lines, paints its border and drag handle, and is dragged
// between docks with a half-tone outline.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/docks/DockGeometry.h"
#include "controls/docks/DockSiteWin32.h"
#include "controls/docks/ToolbarLayout.h"
#include "ui/Form.h"

namespace kv::ui {

class FloatingToolbarWindow;

class TDockToolbar : public Control {
public:
    explicit TDockToolbar(Form& owner);
    ~TDockToolbar() override;

    Form& form() const { return form_; }
    std::string Caption;
    bool CanDockLeftRight = true;
    // Floating, it hides also while its form is not the active window (a tool
    // window's toolbar), not only while the program is inactive.
    bool HideFloatingWhenFormInactive = false;
    bool CloseButton() const { return closeButton_; }
    void SetCloseButton(bool close);
    TDockSite* DefaultDock() const { return defaultDock_.get(); }
    void SetDefaultDock(TDockSite* dock) { defaultDock_ = dock; }
    // The dock it was last in: where "return to dock" puts it.
    TDockSite* LastDock() const { return lastDock_.get(); }

    TDockSite* DockedTo() const { return dockedTo_.get(); }
    // Null floats the toolbar.
    void SetDockedTo(TDockSite* dock);
    bool floating() const { return !dockedTo_ && floatWindow_ != nullptr; }
    int DockRow() const { return dockRow_; }
    void SetDockRow(int row);
    int DockPos() const { return dockPos_; }
    void SetDockPos(int pos);

    // Client rectangle of the floating window on the screen, as stored.
    DockRect floatRect() const;
    void setFloatRect(const DockRect& clientRect);
    int FloatRightX = 0;
    // The floating window, while there is one.
    HWND floatingWindow() const;

    // The layout order of the child controls.
    std::vector<Control*> controlOrder();
    // Two children of which the layout shows one: the first in a vertical
    // dock, the second elsewhere.
    void SetOrientationPair(Control& vertical, Control& other);
    // Raises when control is not a child; index is clamped.
    void SetControlOrderIndex(Control& control, int index);
    void layoutControls();
    DockSize measureFor(ToolbarOrientation orientation);
    ToolbarOrientation orientation() const;

    // Runs the drag that a press at grab (toolbar client coordinates) starts.
    // Mouse positions come from the messages; ctrlDown is Ctrl at the start.
    void beginDrag(POINT grab, bool ctrlDown);

    std::function<void(TDockToolbar& sender)> OnClose;
    std::function<void(TDockToolbar& sender)> OnDockChanging;
    std::function<void(TDockToolbar& sender)> OnDockChanged;
    // Around each change of the toolbar's window: made again, or moved to
    // another parent window (a dock or the floating window).
    std::function<void(TDockToolbar& sender)> OnRecreating;
    std::function<void(TDockToolbar& sender)> OnRecreated;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    void destroyWnd() override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    friend class TDockSite;
    friend class FloatingToolbarWindow;

// A click on a toolbar activates the form the toolbar belongs to, when the
// form can take it; the toolbar's own window never becomes active.
void activateOwningForm(Form& form);
    void placeInDock(int row, int pos, int rowStart, int thickness);
    void dockGone(TDockSite& dock);
    ToolbarLayout computeLayout(ToolbarOrientation o, int rowThickness);
    std::vector<ToolbarItem> layoutItems(const std::vector<Control*>& order, ToolbarOrientation o);
    bool dragHandle() const;
    // Whether the layout for o leaves c out as the wrong one of its pair.
    bool pairedAway(const Control* c, ToolbarOrientation o) const;
    void paint(HDC dc);
    bool onFreeSpot(POINT client) const;
    void moveTo(Control* newParent);
    // The move of SetDockedTo, with both docks' arrangement held.
    void moveBetween(TDockSite* old, TDockSite* dock);
    void closeFromFrame();
    void syncFloatingVisibility();
    bool onFormMessage(UINT msg, WPARAM wp, LPARAM lp);

    Form& form_;
    ComponentRef<TDockSite> dockedTo_;
    ComponentRef<TDockSite> defaultDock_;
    ComponentRef<TDockSite> lastDock_;
    int dockRow_ = 0;
    int dockPos_ = -1;
    int rowThickness_ = 0;
    bool closeButton_ = true;
    DockRect floatRect_;  // floating window rectangle on the screen, frame included
    std::vector<Control*> order_;
    std::vector<std::pair<ComponentRef<Control>, ComponentRef<Control>>> pairs_;
    std::vector<DockRect> lineSeparators_;  // while floating
    std::unique_ptr<FloatingToolbarWindow> floatWindow_;
    ListenerRegistration formListener_;
    bool placing_ = false;
    bool appActive_ = true;
    bool formActive_ = true;
    bool recreating_ = false;
};

// A separator between groups of a toolbar's controls.
class TDockToolbarSep : public Control {
public:
    explicit TDockToolbarSep(TDockToolbar& toolbar);
    bool Blank() const { return blank_; }
    void SetBlank(bool blank);
    int SizeHorz() const { return sizeHorz_; }
    void SetSizeHorz(int size);
    int SizeVert() const { return sizeVert_; }
    void SetSizeVert(int size);

protected:
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    TDockToolbar& toolbar_;
    bool blank_ = false;
    int sizeHorz_ = 6;
    int sizeVert_ = 6;
};

}  // namespace kv::ui
