#include "search/userlist/DockButtonsWin32.h"

#include "ui/PlaceControl.h"
#include "ui/ToolbarHelpers.h"

namespace kv {

namespace {

constexpr int kViewGroup = 1;
constexpr int kStayOnTopGroup = 2;

}  // namespace

void DockButtonsWin32::Create(ui::TDockToolbar& bar, std::span<const SearchButton> buttons,
                              std::span<const int> bevelTags, int buttonSize, bool oldStyle) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    const int side = ui::ToolbarButtonSide(buttonSize);
    ui::Form& form = bar.form();
    int order = 0;
    std::size_t bevel = 0;
    for (const SearchButton& info : buttons) {
        for (; bevel < bevelTags.size() && bevelTags[bevel] < info.tag; ++bevel) {
            auto& sep = form.adopt(std::make_unique<ui::TDockToolbarSep>(bar));
            sep.create(&bar);
            bar.SetControlOrderIndex(sep, order++);
        }
        auto& button = form.adopt(std::make_unique<ui::TDockToolbarButton>());
        button.Name = info.name;
        button.Tag = info.tag;
        button.hint = info.hint;
        button.showHint = true;
        button.setFlat(!oldStyle);
        if (info.viewStyle != 0) {
            button.groupIndex = kViewGroup;
        } else if (std::string_view(info.name) == "BtnStayOnTop") {
            button.groupIndex = kStayOnTopGroup;
            button.allowAllUp = true;
        }
        glyphs_.emplace_back(LoadBitmapA(module, info.glyph));
        if (glyphs_.back().get())
            button.setGlyph(glyphs_.back().get(), 2);
        ui::Put(button, bar, 0, 0, side, side);
        bar.SetControlOrderIndex(button, order++);
        const SearchButton* which = &info;
        button.onClick = [this, which](ui::SpeedButton& sender) {
            if (onButton)
                onButton(*which, sender);
        };
        infos_.push_back(which);
        buttons_.push_back(&button);
    }
    if (ui::SpeedButton* details = Button("ButtonDetails"))
        details->setDown(true);
    bar.layoutControls();
}

ui::SpeedButton* DockButtonsWin32::Button(FoundAction action) const {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (infos_[i]->action == action && action != FoundAction::None)
            return buttons_[i];
    return nullptr;
}

ui::SpeedButton* DockButtonsWin32::Button(std::string_view name) const {
    for (ui::TDockToolbarButton* b : buttons_)
        if (b->Name == name)
            return b;
    return nullptr;
}

HBITMAP DockButtonsWin32::Glyph(FoundAction action) const {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (infos_[i]->action == action && action != FoundAction::None)
            return glyphs_[i].get();
    return nullptr;
}

}  // namespace kv
