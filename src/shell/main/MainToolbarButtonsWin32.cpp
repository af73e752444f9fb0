// The toolbar's buttons, one per command of the table that has a button: its
// name, tag and hint from the table, its state from the command's.
#include "shell/main/MainFormWin32.h"

#include "controls/docks/DockToolbarButtonWin32.h"
#include "shell/commands/CommandTable.h"

namespace kv {

namespace {

constexpr int kButtonWidth = 23;
constexpr int kButtonHeight = 22;

std::string withoutMnemonic(std::string_view caption) {
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

}  // namespace

void MainForm::CreateToolbarButtons() {
    ui::TDockToolbar& bar = toolbars_->Toolbar;
    HINSTANCE module = GetModuleHandleA(nullptr);
    for (const CommandInfo& info : CommandTable()) {
        if (!*info.buttonName || info.buttonTag == 0)
            continue;
        auto& button = bar.adopt(std::make_unique<ui::TDockToolbarButton>());
        button.Name = info.buttonName;
        button.Tag = info.buttonTag;
        button.hint = withoutMnemonic(info.caption);
        button.showHint = true;
        button.DisplayMode = ui::TButtonDisplayMode::dmGlyphOnly;
        button.setBounds(0, 0, kButtonWidth, kButtonHeight);
        // Two pictures, enabled and disabled, when the resources have the button's strip.
        if (HBITMAP strip = LoadBitmapA(module, info.buttonName)) {
            toolbarGlyphs_.emplace_back(info.buttonName, ui::GdiObject<HBITMAP>(strip));
            button.SetGlyph(strip, 2);
        }
        const CommandId id = info.id;
        button.OnClick = [this, id](ui::TDockToolbarButton&) { RunCommand(id, CommandSource::Toolbar); };
        button.create(&bar);
        toolbarButtons_.push_back({id, &button});
    }
    bar.layoutControls();
}

HBITMAP MainForm::buttonGlyph(std::string_view buttonName) const {
    for (const auto& [name, strip] : toolbarGlyphs_)
        if (name == buttonName) return strip.get();
    return nullptr;
}

ui::TDockToolbarButton* MainForm::toolbarButton(CommandId id) const {
    for (const auto& [command, button] : toolbarButtons_)
        if (command == id) return button;
    return nullptr;
}

void MainForm::applyToolbarStates() {
    for (auto& [id, button] : toolbarButtons_) {
        const CommandState& state = commandStates_[id];
        if (button->enabled() != state.enabled) {
            button->setEnabled(state.enabled);
            // The button paints only when asked: its other image shows now, not at the next hover.
            if (button->hwnd()) InvalidateRect(button->hwnd(), nullptr, TRUE);
        }
        if (CommandInfoOf(id).checked != CheckRule::None)
            button->SetDown(state.checked);
    }
}

}  // namespace kv
