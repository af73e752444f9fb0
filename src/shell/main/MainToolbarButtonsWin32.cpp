// The toolbar's buttons, one per command of the table that has a button: its
// name, tag and hint from the table, its state from the command's. The toolbar
// as designed holds them in tag order with separators between the groups; the
// user's layout from the settings orders, hides and separates them.
#include "shell/main/MainFormWin32.h"

#include <algorithm>
#include <array>

#include "controls/docks/DockToolbarButtonWin32.h"
#include "controls/menus/MenuText.h"
#include "shell/commands/CommandTable.h"
#include "shell/settings/SettingsStore.h"
#include "shell/settings/ToolbarLayout.h"
#include "ui/ToolbarHelpers.h"

namespace kv {

namespace {

// The tags of the designed toolbar run 1..33; these are its separators.
constexpr int kLastToolbarTag = 33;
constexpr std::array<int, 5> kSeparatorTags{4, 10, 20, 25, 31};

bool isSeparatorTag(int tag) { return std::find(kSeparatorTags.begin(), kSeparatorTags.end(), tag) != kSeparatorTags.end(); }

const CommandInfo* commandWithButtonTag(int tag) {
    for (const CommandInfo& info : CommandTable())
        if (*info.buttonName && info.buttonTag == tag) return &info;
    return nullptr;
}

}  // namespace

void MainForm::CreateToolbarButtons() {
    ui::TDockToolbar& bar = toolbars_->Toolbar;
    HINSTANCE module = GetModuleHandleA(nullptr);
    const int side = ui::ToolbarButtonSide(Settings{}.buttonSize);
    for (int tag = 1; tag <= kLastToolbarTag; ++tag) {
        if (isSeparatorTag(tag)) {
            toolbarSeps_.push_back(std::make_unique<ui::TDockToolbarSep>(bar));
            toolbarSeps_.back()->Tag = tag;
            continue;
        }
        const CommandInfo* info = commandWithButtonTag(tag);
        if (!info) continue;
        auto& button = bar.adopt(std::make_unique<ui::TDockToolbarButton>());
        button.Name = info->buttonName;
        button.Tag = info->buttonTag;
        button.hint = StripMnemonic(info->caption);
        button.showHint = true;
        button.displayMode = ui::TButtonDisplayMode::dmGlyphOnly;
        // A dock's background goes on under the buttons.
        button.opaque = false;
        button.setBounds(0, 0, side, side);
        // Two pictures, enabled and disabled, when the resources have the button's strip.
        if (HBITMAP strip = LoadBitmapA(module, info->buttonName)) {
            toolbarGlyphs_.emplace_back(info->buttonName, ui::GdiObject<HBITMAP>(strip));
            button.setGlyph(strip, 2);
        }
        const CommandId id = info->id;
        button.onClick = [this, id](ui::SpeedButton&) { RunCommand(id, CommandSource::Toolbar); };
        button.create(&bar);
        toolbarButtons_.push_back({id, &button});
    }
    bar.layoutControls();
}

// The toolbar as designed, for fitting a stored layout to it: every control in
// tag order, placed one after the other.
std::vector<ToolbarControl> MainForm::designedToolbar() const {
    std::vector<ToolbarControl> controls;
    for (int tag = 1; tag <= kLastToolbarTag; ++tag) {
        const bool separator = isSeparatorTag(tag);
        if (!separator && !commandWithButtonTag(tag)) continue;
        controls.push_back({tag, !separator, static_cast<int>(controls.size())});
    }
    return controls;
}

void MainForm::ApplyToolbarLayout(const Settings& settings) {
    const std::vector<ToolbarControl> designed = designedToolbar();
    // The stored layout is made to fit the toolbar once: unknown tags dropped,
    // buttons it lacks put where they belong.
    services_.settings.FitToolbarLayout(designed);
    const std::vector<std::uint8_t> layout = NormalizeToolbarLayout(settings.toolbarLayout, designed);

    ui::TDockToolbar& bar = toolbars_->Toolbar;
    const int side = ui::ToolbarButtonSide(settings.buttonSize);
    toolbarSeps_.clear();
    bool shown = true;
    int position = 0;
    for (std::uint8_t entry : layout) {
        if (entry == kToolbarMarker) {
            shown = false;
            continue;
        }
        if (entry == kToolbarSeparator) {
            if (!shown) continue;
            toolbarSeps_.push_back(std::make_unique<ui::TDockToolbarSep>(bar));
            bar.SetControlOrderIndex(*toolbarSeps_.back(), position++);
            continue;
        }
        for (auto& [id, button] : toolbarButtons_) {
            if (button->Tag != static_cast<std::int8_t>(entry)) continue;
            button->setVisible(shown);
            const RECT b = button->bounds();
            button->setBounds(b.left, b.top, side, side);
            button->setFlat(!settings.oldButtons);
            bar.SetControlOrderIndex(*button, position++);
        }
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
            button->setDown(state.checked);
    }
}

}  // namespace kv
