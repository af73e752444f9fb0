#pragma once
// The tool button of the dock toolbars: the window layer's speed button, flat,
// whose drop-down menu opens against the side of the dock it sits in and
// which follows the form its toolbar belongs to, also while floating.
#include "ui/SpeedButton.h"

namespace kv::ui {

class TDockToolbarButton : public SpeedButton {
public:
    TDockToolbarButton();

protected:
    PopupAnchor dropdownAnchor(const DockRect& buttonOnScreen) const override;
    Form* owningForm() const override;
};

}  // namespace kv::ui
