#pragma once
// The search window's row of speed buttons over the found list, with the
// separators between their groups, laid out left to right by Tag.
#include <functional>
#include <memory>
#include <vector>

#include "search/window/SearchToolbar.h"
#include "ui/Bevel.h"
#include "ui/Canvas.h"
#include "ui/Panel.h"
#include "ui/SpeedButton.h"

namespace kv {

class SearchToolbarWin32 : public ui::Panel {
public:
    SearchToolbarWin32();
    // Makes the buttons on the panel (created already) and lays them out.
    void CreateButtons(int buttonSize, bool oldStyle);
    // Button side and bevel gaps from the size setting; the panel takes the row's width and height.
    void SetButtons(int buttonSize, bool oldStyle);
    int RowWidth() const { return rowWidth_; }

    ui::SpeedButton* Button(FoundAction action);
    ui::SpeedButton* Button(std::string_view name);
    ui::SpeedButton& BtnStayOnTop() { return *Button("BtnStayOnTop"); }
    ui::SpeedButton& BtnMaximize() { return *Button("BtnMaximize"); }
    ui::SpeedButton& BtnHelp() { return *Button("BtnHelp"); }
    const std::vector<std::unique_ptr<ui::SpeedButton>>& Buttons() const { return buttons_; }
    // The button's picture strip (picture and its disabled look); null when the program has none.
    HBITMAP Glyph(const ui::SpeedButton& button) const;

    std::function<void(const SearchButton& info, ui::SpeedButton& sender)> onButton;

private:
    std::vector<std::unique_ptr<ui::SpeedButton>> buttons_;
    std::vector<const SearchButton*> infos_;
    std::vector<std::unique_ptr<ui::Bevel>> bevels_;
    std::vector<int> bevelTags_;
    std::vector<ui::GdiObject<HBITMAP>> glyphs_;
    int rowWidth_ = 0;
};

}  // namespace kv
