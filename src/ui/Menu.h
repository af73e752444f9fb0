#pragma once
// Menus as a tree of items: captions, shortcuts, check marks, radio groups and
// click events; the main menu of a form dispatches its shortcuts itself (no
// accelerator table), the popup menu shows at a point.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Form.h"

namespace kv::ui {

// A shortcut: the virtual key in the low byte plus these shift bits.
using TShortCut = WORD;
enum : TShortCut { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };
TShortCut ShortCut(WORD key, UINT shift);
std::string ShortCutToText(TShortCut shortCut);

class Menu;

class MenuItem {
public:
    explicit MenuItem(std::string caption = {}, std::function<void(MenuItem&)> onClick = nullptr);
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    std::string Name;
    int Tag = 0;
    std::string Hint;
    int HelpContext = 0;
    int GroupIndex = 0;
    bool RadioItem = false;
    std::function<void(MenuItem& sender)> OnClick;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TShortCut ShortCutKey() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Checked() const { return checked_; }
    // Checking a radio item clears the others of its group.
    void SetChecked(bool checked);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);

    MenuItem& Add(std::unique_ptr<MenuItem> item);
    MenuItem& Add(const std::string& caption, std::function<void(MenuItem&)> onClick = nullptr);
    MenuItem& Insert(int index, std::unique_ptr<MenuItem> item);
    std::unique_ptr<MenuItem> Remove(MenuItem& item);
    void Delete(int index);
    int Count() const { return static_cast<int>(items_.size()); }
    MenuItem& Items(int index) const { return *items_.at(static_cast<size_t>(index)); }
    MenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    UINT Command() const { return command_; }
    MenuItem* Find(const std::string& name);

    void Click();

private:
    friend class Menu;
    // A state change (caption, shortcut, enabled, checked, default) is made in
    // the shown menu in place; a structural one (visibility, items added or
    // removed) builds the menu anew.
    void changed(bool structural = false);
    Menu* menu() const;

    std::string caption_;
    TShortCut shortCut_ = 0;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    bool default_ = false;
    UINT command_;
    MenuItem* parent_ = nullptr;
    Menu* menu_ = nullptr;  // set on the root item only
    std::vector<std::unique_ptr<MenuItem>> items_;
};

class Menu {
public:
    explicit Menu(bool popup);
    virtual ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    MenuItem& Items() { return root_; }
    HMENU handle();
    // Rebuilds the system menu from the items. Never while the menu is open:
    // a structural change made then is built when the menu closes.
    void rebuild();
    MenuItem* findCommand(UINT command);
    MenuItem* findShortCut(TShortCut shortCut);
    MenuItem* findItem(HMENU menu, int position);
    // The item whose submenu this is (the root for the menu itself).
    MenuItem* submenuOwner(HMENU menu);
    // Runs the item of a command; false when it is not one of ours.
    bool dispatchCommand(UINT command);

    // Owner drawing: the items are measured and painted by these.
    void setOwnerDraw(bool ownerDraw);
    bool ownerDraw() const { return ownerDraw_; }
    std::function<void(Menu& sender, MenuItem& item, UINT& width, UINT& height)> onMeasureItem;
    std::function<void(Menu& sender, MenuItem& item, HDC dc, const RECT& rect, UINT state)> onDrawItem;
    // WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR of the window that shows the
    // menu; true when the message was for this menu.
    bool handleMenuMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

protected:
    virtual void handleChanged() {}
    // An item of the shown menu was changed in place.
    virtual void itemUpdated(MenuItem&) {}
    // Between the opening and the closing of the menu: the system tracks its
    // handles, so they must not be destroyed.
    void setTracking(bool tracking);
    // Structural changes of a pop-up wait until it is shown next.
    virtual bool rebuildsAtOnce() const { return !popup_; }

private:
    friend class MenuItem;
    void itemChanged(MenuItem& item, bool structural);
    bool updateInPlace(MenuItem& item);
    void build(HMENU target, MenuItem& parent);
    bool popup_;
    bool ownerDraw_ = false;
    bool tracking_ = false;
    bool dirty_ = false;
    HMENU handle_ = nullptr;
    MenuItem root_;
    std::vector<std::pair<HMENU, MenuItem*>> submenus_;
};

class MainMenu : public Menu {
public:
    MainMenu() : Menu(false) {}
    ~MainMenu() override;
    // Puts the menu on the form; the form then routes its commands and shortcuts here.
    void attach(Form& form);

protected:
    void handleChanged() override;
    void itemUpdated(MenuItem& item) override;

private:
    Form* form_ = nullptr;
    ListenerRegistration listener_;
};

// Where the menu stands against the point it pops up at.
enum class PopupAlignment { Left, Right, Center };

class PopupMenu : public Menu {
public:
    PopupMenu() : Menu(true) {}
    PopupAlignment Alignment = PopupAlignment::Left;
    // Off: a control's right click and context-menu key leave the menu alone.
    bool AutoPopup = true;
    std::function<void(PopupMenu& sender)> OnPopup;
    // Shows the menu at a screen point and runs the chosen item.
    void Popup(HWND owner, int x, int y);
    // The same, placed against the point as alignment says.
    void Popup(HWND owner, int x, int y, PopupAlignment alignment);
};

}  // namespace kv::ui
