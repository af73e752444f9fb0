#pragma once
// A windowed control: keeps its state (parent, bounds, text, visibility,
// enabled, font, alignment) in the object, so the window can be created late
// and re-created at any time from it.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/Component.h"
#include "ui/Wnd.h"

namespace kv::ui {

class PopupMenu;

enum class Align { None, Top, Bottom, Left, Right, Client };
enum class MouseButton { Left, Right, Middle };

// Shift state bits of keyboard and mouse events.
enum : UINT { kShift = 1, kCtrl = 2, kAlt = 4 };
UINT currentShiftState();
// Whether the caption marks key with "&" ("&&" is a plain ampersand).
bool hasMnemonic(const std::string& caption, char key);

class Control : public Wnd, public Component {
public:
    Control() = default;
    ~Control() override;

    // Creates the window as a child of parent (or top-level without one).
    void create(Control* parent);
    void recreateWnd();
    Control* parent() const { return parent_; }
    const std::vector<Control*>& children() const { return children_; }
    UINT id() const { return id_; }

    void setBounds(int x, int y, int width, int height);
    RECT bounds() const;
    int left() const { return bounds().left; }
    int top() const { return bounds().top; }
    int width() const;
    int height() const;
    RECT clientRect() const;

    void setText(const std::string& text);
    std::string text() const;
    void setVisible(bool visible);
    bool visible() const { return visible_; }
    void setEnabled(bool enabled);
    bool enabled() const;
    // Null: the parent's font (the default GUI font at the top).
    void setFont(HFONT font);
    HFONT font() const;
    // The background colour. ParentColor (on by default) takes the parent's;
    // setting a colour turns it off. Where no colour is set up the chain, each
    // window keeps its class's own background.
    void setColor(COLORREF colour);
    void setParentColor(bool parentColor);
    bool parentColor() const { return parentColor_; }
    // The colour set on this control or inherited from a parent, if any.
    std::optional<COLORREF> definedColor() const;
    // The background a control paints itself: the defined colour or the button face.
    COLORREF color() const;
    // A solid brush of color(), kept by the control.
    HBRUSH colorBrush() const;
    // Paints what shows behind this control in r (its client coordinates): a
    // parent's background picture where one has it, else color().
    void paintParentBackground(HDC dc, const RECT& r) const;
    void setAlign(Align align);
    Align align() const { return align_; }
    void setFocus();
    bool focused() const;
    // Null: the class's own cursor.
    void setCursor(HCURSOR cursor) { cursor_ = cursor; }
    // The status-line text shown as the application hint under the mouse,
    // and the pop-up hint's text.
    std::string hint;
    // Pop-up hints over this control; empty: as the parent (off at the top).
    std::optional<bool> showHint;
    // The hint of this control, or of the nearest parent that has one.
    const std::string& inheritedHint() const;
    bool showsHint() const;
    // The help topic of F1 / the "?" button; 0 asks the parent.
    unsigned long helpContext = 0;
    // Shown on a right click or the context-menu key (not owned); without one
    // the request goes on to the parent.
    PopupMenu* popupMenu = nullptr;

    // Runs the edge-alignment layout of the children: top and bottom first,
    // then left and right, then client.
    void realign();
    // The control's action: what Enter or Esc on a form triggers.
    virtual void click() {}
    // Alt+key for controls the system does not route mnemonics to (labels,
    // controls that take no focus); true when the key was theirs.
    virtual bool mnemonic(char key) { return false; }

    std::function<void(Control& sender, MouseButton button, UINT shift, int x, int y)> onMouseDown;
    std::function<void(Control& sender, UINT shift, int x, int y)> onMouseMove;
    std::function<void(Control& sender, MouseButton button, UINT shift, int x, int y)> onMouseUp;
    std::function<void(Control& sender)> onDblClick;
    std::function<void(Control& sender)> onMouseEnter;
    std::function<void(Control& sender)> onMouseLeave;
    // The mouse capture this control held went to another window (or to none).
    std::function<void(Control& sender)> onCaptureLost;
    // Set key to 0 to swallow it.
    std::function<void(Control& sender, WORD& key, UINT shift)> onKeyDown;
    std::function<void(Control& sender, char& key)> onKeyPress;
    std::function<void(Control& sender, WORD& key, UINT shift)> onKeyUp;
    std::function<void(Control& sender)> onResize;
    // The control gained (onEnter) or lost (onExit) the keyboard focus.
    std::function<void(Control& sender)> onEnter;
    std::function<void(Control& sender)> onExit;

protected:
    // The creation parameters: class, style and extended style; bounds, text and
    // parent are filled in from the object's state.
    virtual void createParams(CreateArgs& args);
    // Creates the window from the parameters; overrides re-apply their state after.
    virtual void createWnd();
    // Saves what only the window knows, then destroys it.
    virtual void destroyWnd();
    // A child was shown or hidden.
    virtual void childVisibilityChanged(Control& child);
    // The background colour changed (its own or a parent's it inherits).
    virtual void colorChanged();
    // Paints this control's background picture behind target (r in target's
    // client coordinates); false when it has none.
    virtual bool paintBackgroundBehind(const Control& target, HDC dc, const RECT& r) const { return false; }
    // Static texts, check boxes and group boxes of system classes take the
    // defined colour; edits and lists keep the window colour unless given
    // their own.
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

    DWORD style_ = WS_CHILD | WS_VISIBLE;
    DWORD exStyle_ = 0;

private:
    // The control under a client point whose hint shows there: a disabled
    // child, else this one; point becomes that control's.
    Control& hintTargetAt(POINT& point);
    void destroyTree();
    void createTree();
    void addChild(Control* child);
    void removeChild(Control* child);

    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    UINT id_ = 0;
    RECT bounds_{0, 0, 100, 25};
    std::string text_;
    bool visible_ = true;
    bool enabled_ = true;
    HFONT font_ = nullptr;
    Align align_ = Align::None;
    bool tracking_ = false;
    HCURSOR cursor_ = nullptr;
    bool realigning_ = false;
    std::optional<COLORREF> color_;
    bool parentColor_ = true;
    mutable HBRUSH brush_ = nullptr;
    mutable COLORREF brushColor_ = 0;
};

}  // namespace kv::ui
