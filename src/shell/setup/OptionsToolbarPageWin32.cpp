// The toolbar page: the toolbar's place and look, and the customiser that
// orders its buttons.
#include "controls/menus/MenuText.h"
#include "shell/commands/CommandTable.h"
#include "shell/settings/ToolbarLayout.h"
#include "shell/setup/OptionsFormWin32.h"
#include "ui/PlaceControl.h"

namespace kv {

namespace {

// The main toolbar's buttons by their tag: hint and picture strip.
struct ToolbarButtonInfo {
    std::string hint;
    HBITMAP glyph = nullptr;
};

const ToolbarButtonInfo* buttonInfo(std::uint8_t tag) {
    static const std::vector<std::pair<std::uint8_t, ToolbarButtonInfo>> buttons = [] {
        std::vector<std::pair<std::uint8_t, ToolbarButtonInfo>> list;
        HINSTANCE module = GetModuleHandleA(nullptr);
        for (const CommandInfo& info : CommandTable())
            if (*info.buttonName && info.buttonTag != 0)
                list.push_back({static_cast<std::uint8_t>(info.buttonTag),
                                {StripMnemonic(info.caption), LoadBitmapA(module, info.buttonName)}});
        return list;
    }();
    for (const auto& entry : buttons)
        if (entry.first == tag)
            return &entry.second;
    return nullptr;
}

}  // namespace

void TOptionsForm::createToolbarPage(ui::Panel& p) {
    ui::Put(DockGroup, p, 8, 6, 130, 96, {}, 10104);
    DockGroup.setBevel(false);
    ui::RadioButton* docks[] = {&Toolbar1, &Toolbar2, &Toolbar3, &Toolbar4};
    const char* dockTexts[] = {"&Top", "Bo&ttom", "&Left side", "&Right side"};
    for (int i = 0; i < 4; ++i) {
        ui::Put(*docks[i], DockGroup, 4, 2 + i * 22, 120, 20, dockTexts[i], 10104);
        docks[i]->onClick = [this](ui::RadioButton&) { changed(); };
    }
    ui::Put(ToolbarVisible, p, 150, 8, 120, 20, "&Visible", 10100);
    ui::Put(ToolbarFloating, p, 150, 30, 120, 20, "&Floating", 10101);
    ui::Put(OldButtonsCheck, p, 150, 52, 160, 20, "Old Style Buttons", 10103);
    for (ui::CheckBox* c : {&ToolbarVisible, &ToolbarFloating, &OldButtonsCheck})
        c->onClick = [this](ui::CheckBox&) { changed(); };
    ui::Put(ButtonSizeLabel, p, 320, 8, 100, 16, "&Button Size:");
    ButtonSizeBar.setRange(0, 7);
    ui::Put(ButtonSizeBar, p, 316, 26, 180, 28, {}, 10102);
    ButtonSizeBar.onChange = [this](ui::TrackBar&) { changed(); };

    ui::Put(ToolbarBox, p, 12, 108, 340, 200, {}, 10123);
    ToolbarBox.onSelChange = [this](kv::ToolbarBox&) { refreshToolbarButtons(); };
    ToolbarBox.onPlace = [this](kv::ToolbarBox&, int index) { toolbarPlace(index); };
    ui::Put(ToolbarUp, p, 362, 108, 130, 24, "&Up", 10124);
    ui::Put(ToolbarDown, p, 362, 138, 130, 24, "&Down", 10125);
    ui::Put(ToolbarFunction, p, 362, 178, 130, 24, "&Remove", 10126);
    ui::Put(ToolbarAddSep, p, 362, 208, 130, 24, "Add &Separator", 10127);
    ToolbarUp.Tag = -1;
    ToolbarDown.Tag = 1;
    ToolbarUp.onClick = [this](ui::Button&) { toolbarMove(-1); };
    ToolbarDown.onClick = [this](ui::Button&) { toolbarMove(1); };
    ToolbarFunction.onClick = [this](ui::Button&) { toolbarFunction(); };
    ToolbarAddSep.onClick = [this](ui::Button&) { toolbarAddSeparator(); };
    ToolbarAddLabel.setVisible(false);
    ui::Put(ToolbarAddLabel, p, 362, 108, 140, 130, {}, 10128);
}

std::vector<ToolbarControl> TOptionsForm::toolbarControls() const {
    if (!services_.toolbarControls.empty())
        return services_.toolbarControls;
    std::vector<ToolbarControl> controls;
    for (const CommandInfo& info : CommandTable())
        if (*info.buttonName && info.buttonTag != 0)
            controls.push_back({info.buttonTag, true, static_cast<int>(controls.size()) * 24});
    return controls;
}

void TOptionsForm::fillToolbarBox(int select) {
    std::vector<ToolbarBoxItem> items;
    for (std::uint8_t entry : customizer_->entries()) {
        ToolbarBoxItem item;
        if (entry == kToolbarSeparator) {
            item.kind = ToolbarBoxItem::Kind::Separator;
        } else if (entry == kToolbarMarker) {
            item.kind = ToolbarBoxItem::Kind::Marker;
        } else if (const ToolbarButtonInfo* info = buttonInfo(entry)) {
            item.hint = info->hint;
            item.glyph = info->glyph;
        } else {
            item.hint = "Button " + std::to_string(entry);
        }
        items.push_back(std::move(item));
    }
    ToolbarBox.setItems(std::move(items), select);
    ToolbarBox.setPending(customizer_->pending());
    refreshToolbarButtons();
}

void TOptionsForm::refreshToolbarButtons() {
    if (!customizer_)
        return;
    const CustomizerButtons b = customizer_->buttonsFor(ToolbarBox.itemIndex());
    ToolbarUp.setEnabled(b.up);
    ToolbarDown.setEnabled(b.down);
    ToolbarAddSep.setEnabled(b.addSeparator);
    ToolbarFunction.setEnabled(b.function != CustomizerButtons::Function::None);
    ToolbarFunction.setText(b.function == CustomizerButtons::Function::Add ? "&Add" : "&Remove");
}

void TOptionsForm::toolbarMove(int delta) {
    const int selected = customizer_->move(ToolbarBox.itemIndex(), delta);
    if (selected < 0)
        return;
    fillToolbarBox(selected);
    changed();
}

void TOptionsForm::toolbarAddSeparator() {
    const int selected = customizer_->addSeparator(ToolbarBox.itemIndex());
    if (selected < 0)
        return;
    fillToolbarBox(selected);
    changed();
}

void TOptionsForm::toolbarFunction() {
    const int index = ToolbarBox.itemIndex();
    const CustomizerButtons b = customizer_->buttonsFor(index);
    if (b.function == CustomizerButtons::Function::Remove) {
        const int selected = customizer_->remove(index);
        if (selected >= 0) {
            fillToolbarBox(selected);
            changed();
        }
        return;
    }
    if (b.function != CustomizerButtons::Function::Add)
        return;
    const int waitAt = customizer_->startInsert(index);
    if (waitAt < 0)
        return;
    const ToolbarButtonInfo* info = buttonInfo(customizer_->entries()[static_cast<std::size_t>(index)]);
    const std::string hint = info ? info->hint : std::string();
    for (ui::Button* button : {&ToolbarUp, &ToolbarDown, &ToolbarFunction, &ToolbarAddSep})
        button->setVisible(false);
    ToolbarAddLabel.setText("Click with mouse or press SPACE button on place to insert the " + hint +
                            " button (ESC to cancel).");
    ToolbarAddLabel.setVisible(true);
    ToolbarBox.setPending(index);
    ToolbarBox.setItemIndex(waitAt);
    ToolbarBox.setFocus();
}

void TOptionsForm::toolbarPlace(int index) {
    const int selected = customizer_->insertAt(index);
    if (selected < 0)
        return;  // below the marker: the button still waits
    endInsertMode();
    fillToolbarBox(selected);
    changed();
}

void TOptionsForm::endInsertMode() {
    if (customizer_)
        customizer_->cancelInsert();
    ToolbarBox.setPending(-1);
    ToolbarAddLabel.setVisible(false);
    for (ui::Button* button : {&ToolbarUp, &ToolbarDown, &ToolbarFunction, &ToolbarAddSep})
        button->setVisible(true);
    refreshToolbarButtons();
}

}  // namespace kv
