#include "ui/Menu.h"

#include <algorithm>

#include "ui/Application.h"

namespace kv::ui {

namespace {

UINT nextCommand() {
    static UINT next = 100;
    return next++;
}

std::string keyName(WORD key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    switch (key) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
    }
    return {};
}

}  // namespace

TShortCut ShortCut(WORD key, UINT shift) {
    TShortCut s = key & 0xFF;
    if (shift & kShift) s |= scShift;
    if (shift & kCtrl) s |= scCtrl;
    if (shift & kAlt) s |= scAlt;
    return s;
}

std::string ShortCutToText(TShortCut s) {
    std::string name = keyName(s & 0xFF);
    if (name.empty()) return {};
    std::string text;
    if (s & scShift) text += "Shift+";
    if (s & scCtrl) text += "Ctrl+";
    if (s & scAlt) text += "Alt+";
    return text + name;
}

MenuItem::MenuItem(std::string caption, std::function<void(MenuItem&)> onClick)
    : OnClick(std::move(onClick)), caption_(std::move(caption)), command_(nextCommand()) {}

MenuItem::~MenuItem() = default;

Menu* MenuItem::menu() const {
    const MenuItem* i = this;
    while (i->parent_) i = i->parent_;
    return i->menu_;
}

void MenuItem::changed(bool structural) {
    if (Menu* m = menu()) m->itemChanged(*this, structural);
}

void MenuItem::SetCaption(const std::string& c) {
    if (caption_ == c) return;
    caption_ = c;
    changed();
}
void MenuItem::SetShortCut(TShortCut s) {
    if (shortCut_ == s) return;
    shortCut_ = s;
    changed();
}
void MenuItem::SetEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    changed();
}
void MenuItem::SetVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    changed(true);
}
void MenuItem::SetDefault(bool d) {
    if (default_ == d) return;
    default_ = d;
    changed();
}

void MenuItem::SetChecked(bool c) {
    if (c && RadioItem && parent_)
        for (auto& sibling : parent_->items_)
            if (sibling.get() != this && sibling->RadioItem && sibling->GroupIndex == GroupIndex && sibling->checked_) {
                sibling->checked_ = false;
                sibling->changed();
            }
    if (checked_ == c) return;
    checked_ = c;
    changed();
}

MenuItem& MenuItem::Add(std::unique_ptr<MenuItem> item) { return Insert(Count(), std::move(item)); }

MenuItem& MenuItem::Add(const std::string& caption, std::function<void(MenuItem&)> onClick) {
    return Add(std::make_unique<MenuItem>(caption, std::move(onClick)));
}

MenuItem& MenuItem::Insert(int index, std::unique_ptr<MenuItem> item) {
    item->parent_ = this;
    index = std::clamp(index, 0, Count());
    MenuItem& ref = *item;
    items_.insert(items_.begin() + index, std::move(item));
    changed(true);
    return ref;
}

std::unique_ptr<MenuItem> MenuItem::Remove(MenuItem& item) {
    auto it = std::find_if(items_.begin(), items_.end(), [&](auto& p) { return p.get() == &item; });
    if (it == items_.end()) return nullptr;
    std::unique_ptr<MenuItem> taken = std::move(*it);
    items_.erase(it);
    taken->parent_ = nullptr;
    changed(true);
    return taken;
}

void MenuItem::Delete(int index) {
    if (index >= 0 && index < Count()) Remove(*items_[static_cast<size_t>(index)]);
}

int MenuItem::MenuIndex() const {
    if (!parent_) return -1;
    for (int i = 0; i < parent_->Count(); ++i)
        if (&parent_->Items(i) == this) return i;
    return -1;
}

MenuItem* MenuItem::Find(const std::string& name) {
    if (Name == name) return this;
    for (auto& i : items_)
        if (MenuItem* f = i->Find(name)) return f;
    return nullptr;
}

void MenuItem::Click() {
    if (OnClick) OnClick(*this);
}

Menu::Menu(bool popup) : popup_(popup) { root_.menu_ = this; }

Menu::~Menu() {
    if (handle_) DestroyMenu(handle_);
}

HMENU Menu::handle() {
    if (!handle_ || (dirty_ && !tracking_)) rebuild();
    return handle_;
}

void Menu::rebuild() {
    if (tracking_ && handle_) {
        dirty_ = true;
        return;
    }
    dirty_ = false;
    HMENU old = handle_;
    submenus_.clear();
    handle_ = popup_ ? CreatePopupMenu() : CreateMenu();
    build(handle_, root_);
    handleChanged();
    if (old) DestroyMenu(old);
}

void Menu::setTracking(bool tracking) {
    tracking_ = tracking;
    if (!tracking_ && dirty_ && handle_ && rebuildsAtOnce()) rebuild();
}

void Menu::itemChanged(MenuItem& item, bool structural) {
    if (!handle_) return;
    if (!structural && !dirty_ && updateInPlace(item)) return;
    if (tracking_ || !rebuildsAtOnce())
        dirty_ = true;
    else
        rebuild();
}

namespace {

// The system's description of one item; text keeps the string it points at.
MENUITEMINFOA describe(MenuItem& item, bool ownerDraw, std::string& text) {
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    text = item.Caption();
    if (std::string sc = ShortCutToText(item.ShortCutKey()); !sc.empty()) text += "\t" + sc;
    if (item.Caption() == "-") mi.fType = MFT_SEPARATOR;
    else if (item.RadioItem) mi.fType = MFT_RADIOCHECK;
    mi.fState = (item.Enabled() ? MFS_ENABLED : MFS_GRAYED) | (item.Checked() ? MFS_CHECKED : 0) |
                (item.Default() ? MFS_DEFAULT : 0);
    mi.wID = item.Command();
    mi.dwTypeData = text.data();
    if (ownerDraw) {
        mi.fType |= MFT_OWNERDRAW;
        mi.fMask |= MIIM_DATA;
        mi.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
    }
    return mi;
}

}  // namespace

// False when the item cannot be found in the built menu where it should be.
bool Menu::updateInPlace(MenuItem& item) {
    if (!item.Visible() || !item.Parent()) return true;  // not shown: built as it is when it shows
    HMENU target = nullptr;
    for (auto& [h, parent] : submenus_)
        if (parent == item.Parent()) target = h;
    if (!target) return true;  // a hidden branch
    UINT position = 0;
    for (int i = 0; i < item.Parent()->Count() && &item.Parent()->Items(i) != &item; ++i)
        if (item.Parent()->Items(i).Visible()) ++position;
    if (GetMenuItemID(target, static_cast<int>(position)) != item.Command() && item.Count() == 0) return false;
    std::string text;
    MENUITEMINFOA mi = describe(item, ownerDraw_, text);
    mi.fMask &= ~static_cast<UINT>(MIIM_ID);
    if (!SetMenuItemInfoA(target, position, TRUE, &mi)) return false;
    itemUpdated(item);
    return true;
}

void Menu::build(HMENU target, MenuItem& parent) {
    submenus_.emplace_back(target, &parent);
    for (auto& item : parent.items_) {
        if (!item->visible_) continue;
        std::string text;
        MENUITEMINFOA mi = describe(*item, ownerDraw_, text);
        if (item->Count() > 0) {
            mi.fMask |= MIIM_SUBMENU;
            mi.hSubMenu = CreatePopupMenu();
            build(mi.hSubMenu, *item);
        }
        InsertMenuItemA(target, GetMenuItemCount(target), TRUE, &mi);
    }
}

static MenuItem* findIn(MenuItem& parent, const std::function<bool(MenuItem&)>& match) {
    for (int i = 0; i < parent.Count(); ++i) {
        MenuItem& item = parent.Items(i);
        if (match(item)) return &item;
        if (MenuItem* f = findIn(item, match)) return f;
    }
    return nullptr;
}

MenuItem* Menu::findCommand(UINT command) {
    return findIn(root_, [&](MenuItem& i) { return i.Command() == command; });
}

MenuItem* Menu::findShortCut(TShortCut shortCut) {
    if (!shortCut) return nullptr;
    return findIn(root_, [&](MenuItem& i) { return i.ShortCutKey() == shortCut; });
}

MenuItem* Menu::findItem(HMENU menu, int position) {
    for (auto& [h, parent] : submenus_) {
        if (h != menu) continue;
        int visible = 0;
        for (int i = 0; i < parent->Count(); ++i) {
            if (!parent->Items(i).Visible()) continue;
            if (visible++ == position) return &parent->Items(i);
        }
    }
    return nullptr;
}

MenuItem* Menu::submenuOwner(HMENU menu) {
    for (auto& [h, parent] : submenus_)
        if (h == menu) return parent;
    return nullptr;
}

bool Menu::dispatchCommand(UINT command) {
    MenuItem* item = findCommand(command);
    if (!item) return false;
    item->Click();
    return true;
}

void Menu::setOwnerDraw(bool ownerDraw) {
    if (ownerDraw_ == ownerDraw) return;
    ownerDraw_ = ownerDraw;
    if (handle_) rebuild();
}

bool Menu::handleMenuMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        MenuItem* item = m->CtlType == ODT_MENU ? findCommand(m->itemID) : nullptr;
        if (!item || reinterpret_cast<MenuItem*>(m->itemData) != item) return false;
        if (onMeasureItem) onMeasureItem(*this, *item, m->itemWidth, m->itemHeight);
        result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        MenuItem* item = d->CtlType == ODT_MENU ? findCommand(d->itemID) : nullptr;
        if (!item || reinterpret_cast<MenuItem*>(d->itemData) != item) return false;
        if (onDrawItem) onDrawItem(*this, *item, d->hDC, d->rcItem, d->itemState);
        result = TRUE;
        return true;
    }
    case WM_MENUCHAR: {
        // Owner-drawn items have no text the system could search.
        MenuItem* parent = submenuOwner(reinterpret_cast<HMENU>(lp));
        if (!parent) return false;
        int position = 0;
        for (int i = 0; i < parent->Count(); ++i) {
            MenuItem& item = parent->Items(i);
            if (!item.Visible()) continue;
            // The first usable item with the letter; a disabled one is passed over.
            if (item.Enabled() && hasMnemonic(item.Caption(), static_cast<char>(LOWORD(wp)))) {
                result = MAKELRESULT(position, MNC_EXECUTE);
                return true;
            }
            ++position;
        }
        result = MAKELRESULT(0, MNC_IGNORE);
        return true;
    }
    case WM_MENUSELECT: {
        // The item under the mouse gives the application hint; a closed menu,
        // the system menu and a separator clear it. Other menus' items are theirs.
        auto menu = reinterpret_cast<HMENU>(lp);
        UINT flags = HIWORD(wp);
        bool clear = (flags == 0xFFFF && !menu) || (flags & MF_SYSMENU);
        if (!clear && !submenuOwner(menu)) return false;
        MenuItem* item = nullptr;
        if (!clear) item = (flags & MF_POPUP) ? findItem(menu, LOWORD(wp)) : findCommand(LOWORD(wp));
        Application::instance().setHint(item ? item->Hint : std::string());
        return false;
    }
    case WM_HELP: {
        auto* info = reinterpret_cast<HELPINFO*>(lp);
        if (info->iContextType != HELPINFO_MENUITEM || !submenuOwner(static_cast<HMENU>(info->hItemHandle)))
            return false;
        int context = 0;
        for (MenuItem* i = findCommand(static_cast<UINT>(info->iCtrlId)); i && !context; i = i->Parent())
            context = i->HelpContext;
        // The pop-up topic when the active form shows the "?" button; no form, no help.
        auto* form = dynamic_cast<Form*>(Wnd::fromHandle(GetActiveWindow()));
        if (context && form)
            Application::instance().helpContext(form->hwnd(), static_cast<unsigned long>(context), form->showsHelpButton());
        result = TRUE;
        return true;
    }
    }
    return false;
}

static bool reachable(MenuItem& item) {
    for (MenuItem* i = &item; i; i = i->Parent())
        if (!i->Enabled() || !i->Visible()) return false;
    return true;
}

MainMenu::~MainMenu() {
    if (form_ && form_->hwnd()) SetMenu(form_->hwnd(), nullptr);
}

void MainMenu::attach(Form& form) {
    form_ = &form;
    form.createHandle();
    SetMenu(form.hwnd(), handle());
    listener_ = form.addMessageListener([this](Form&, UINT msg, WPARAM& wp, LPARAM& lp, LRESULT& result) {
        if (msg == WM_COMMAND && lp == 0 && HIWORD(wp) == 0) {
            result = 0;
            return dispatchCommand(LOWORD(wp));
        }
        if (handleMenuMessage(msg, wp, lp, result)) return true;
        if (msg == WM_ENTERMENULOOP) setTracking(true);
        if (msg == WM_EXITMENULOOP) setTracking(false);
        // A parent item's click runs as its submenu opens: what it changes is
        // changed in place, the open menu is never destroyed.
        if (msg == WM_INITMENUPOPUP && !HIWORD(lp)) {
            if (MenuItem* parent = submenuOwner(reinterpret_cast<HMENU>(wp))) parent->Click();
        }
        return false;
    });
    form.onShortcut = [this](Form&, WORD key, UINT shift) {
        MenuItem* item = findShortCut(ShortCut(key, shift));
        if (!item || !reachable(*item)) return false;
        item->Click();
        return true;
    };
}

void MainMenu::itemUpdated(MenuItem& item) {
    if (item.Parent() == &Items() && form_ && form_->hwnd()) DrawMenuBar(form_->hwnd());
}

void MainMenu::handleChanged() {
    if (form_ && form_->hwnd()) {
        SetMenu(form_->hwnd(), handle());
        DrawMenuBar(form_->hwnd());
    }
}

void PopupMenu::Popup(HWND owner, int x, int y) { Popup(owner, x, y, Alignment); }

void PopupMenu::Popup(HWND owner, int x, int y, PopupAlignment alignment) {
    if (OnPopup) OnPopup(*this);
    // The owner gets the drawing messages; a form hands them over while the menu shows.
    ListenerRegistration drawing;
    if (auto* form = dynamic_cast<Form*>(Wnd::fromHandle(owner)))
        drawing = form->addMessageListener([this](Form&, UINT msg, WPARAM& wp, LPARAM& lp, LRESULT& result) {
            return handleMenuMessage(msg, wp, lp, result);
        });
    UINT align = alignment == PopupAlignment::Right    ? TPM_RIGHTALIGN
                 : alignment == PopupAlignment::Center ? TPM_CENTERALIGN
                                                       : TPM_LEFTALIGN;
    HMENU shown = handle();
    setTracking(true);
    UINT command = TrackPopupMenu(shown, TPM_RETURNCMD | align | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    setTracking(false);
    if (command) dispatchCommand(command);
}

}  // namespace kv::ui
