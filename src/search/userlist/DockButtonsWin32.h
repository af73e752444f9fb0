#pragma once
// A tool window's dockable toolbar of speed buttons: one button per row of a
// button table, separators at the table's bevel places, in the order of Tag.
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "controls/docks/DockToolbarButtonWin32.h"
#include "controls/docks/DockToolbarWin32.h"
#include "search/window/SearchToolbar.h"
#include "ui/Canvas.h"

namespace kv {

class DockButtonsWin32 {
public:
    // Makes the buttons on the toolbar (created already).
    void Create(ui::TDockToolbar& bar, std::span<const SearchButton> buttons, std::span<const int> bevelTags,
                int buttonSize, bool oldStyle);

    ui::SpeedButton* Button(FoundAction action) const;
    ui::SpeedButton* Button(std::string_view name) const;
    HBITMAP Glyph(FoundAction action) const;

    std::function<void(const SearchButton& info, ui::SpeedButton& sender)> onButton;

private:
    std::vector<ui::TDockToolbarButton*> buttons_;
    std::vector<const SearchButton*> infos_;
    std::vector<ui::GdiObject<HBITMAP>> glyphs_;
};

}  // namespace kv
