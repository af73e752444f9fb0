#include "search/window/SearchToolbarWin32.h"

#include <algorithm>

#include "ui/ToolbarHelpers.h"

namespace kv {

namespace {

constexpr int kBevelGap = 5;
constexpr int kBevelWidth = 2;
constexpr int kViewGroup = 1;
constexpr int kStayOnTopGroup = 2;
constexpr int kMaximizeGroup = 3;

}  // namespace

SearchToolbarWin32::SearchToolbarWin32() {
    setBevel(false);
    Name = "SearchToolbar";
}

void SearchToolbarWin32::CreateButtons(int buttonSize, bool oldStyle) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    for (const SearchButton& info : SearchToolbarButtons()) {
        auto button = std::make_unique<ui::SpeedButton>();
        button->Name = info.name;
        button->Tag = info.tag;
        button->hint = info.hint;
        button->showHint = true;
        if (info.viewStyle != 0) {
            button->groupIndex = kViewGroup;
        } else if (std::string_view(info.name) == "BtnStayOnTop") {
            button->groupIndex = kStayOnTopGroup;
            button->allowAllUp = true;
        } else if (std::string_view(info.name) == "BtnMaximize") {
            button->groupIndex = kMaximizeGroup;
            button->allowAllUp = true;
        }
        glyphs_.emplace_back(LoadBitmapA(module, info.glyph));
        if (glyphs_.back().get())
            button->setGlyph(glyphs_.back().get(), 2);
        button->create(this);
        const SearchButton* which = &info;
        button->onClick = [this, which](ui::SpeedButton& sender) {
            if (onButton)
                onButton(*which, sender);
        };
        infos_.push_back(which);
        buttons_.push_back(std::move(button));
    }
    for (int tag : SearchToolbarBevelTags()) {
        auto bevel = std::make_unique<ui::Bevel>();
        bevel->setShape(ui::BevelShape::LeftLine);
        bevel->Tag = tag;
        bevel->create(this);
        bevelTags_.push_back(tag);
        bevels_.push_back(std::move(bevel));
    }
    if (ui::SpeedButton* details = Button("ButtonDetails"))
        details->setDown(true);
    SetButtons(buttonSize, oldStyle);
}

void SearchToolbarWin32::SetButtons(int buttonSize, bool oldStyle) {
    const int side = ui::ToolbarButtonSide(buttonSize);
    for (auto& b : buttons_)
        b->setFlat(!oldStyle);
    int x = 0;
    const int last = std::max(buttons_.empty() ? 0 : infos_.back()->tag, bevelTags_.empty() ? 0 : bevelTags_.back());
    for (int tag = 1; tag <= last; ++tag) {
        for (std::size_t i = 0; i < buttons_.size(); ++i)
            if (infos_[i]->tag == tag) {
                buttons_[i]->setBounds(x, 0, side, side);
                x += side;
            }
        for (std::size_t i = 0; i < bevels_.size(); ++i)
            if (bevelTags_[i] == tag) {
                x += kBevelGap;
                bevels_[i]->setBounds(x, 0, kBevelWidth, side);
                x += kBevelWidth + kBevelGap;
            }
    }
    rowWidth_ = x;
    const RECT r = bounds();
    setBounds(r.left, r.top, std::max<int>(x, r.right - r.left), side);
}

ui::SpeedButton* SearchToolbarWin32::Button(FoundAction action) {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (infos_[i]->action == action)
            return buttons_[i].get();
    return nullptr;
}

ui::SpeedButton* SearchToolbarWin32::Button(std::string_view name) {
    for (auto& b : buttons_)
        if (b->Name == name)
            return b.get();
    return nullptr;
}

HBITMAP SearchToolbarWin32::Glyph(const ui::SpeedButton& button) const {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].get() == &button)
            return glyphs_[i].get();
    return nullptr;
}

}  // namespace kv
