#include "controls/docks/DockToolbarButtonWin32.h"

#include "controls/docks/DockToolbarWin32.h"

namespace kv::ui {

TDockToolbarButton::TDockToolbarButton() { setFlat(true); }

PopupAnchor TDockToolbarButton::dropdownAnchor(const DockRect& button) const {
    auto* bar = dynamic_cast<TDockToolbar*>(parent());
    DockSide side = DockSide::None;
    if (bar && bar->DockedTo()) {
        switch (bar->DockedTo()->Position()) {
        case TDockPosition::dpTop: side = DockSide::Top; break;
        case TDockPosition::dpBottom: side = DockSide::Bottom; break;
        case TDockPosition::dpLeft: side = DockSide::Left; break;
        case TDockPosition::dpRight: side = DockSide::Right; break;
        }
    }
    return DropdownAnchor(side, button);
}

// A floating toolbar's window is no child of the form: the toolbar names it.
Form* TDockToolbarButton::owningForm() const {
    for (Control* c = parent(); c; c = c->parent()) {
        if (auto* bar = dynamic_cast<TDockToolbar*>(c)) return &bar->form();
        if (auto* form = dynamic_cast<Form*>(c)) return form;
    }
    return nullptr;
}

}  // namespace kv::ui
