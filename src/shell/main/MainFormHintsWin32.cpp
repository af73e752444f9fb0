// The program's pop-up hints: an item's description over the rows of the item
// lists and the nodes of the tree, in the description hint font and with the
// description settings' pauses; toolbar hints with the button's shortcut.
#include "shell/main/MainFormWin32.h"

#include "shell/app/PlatformDefaultsWin32.h"

#include <commctrl.h>

#include "catalog/model/ItemRecords.h"
#include "shell/commands/ItemEdits.h"
#include "shell/settings/FontDataWin32.h"
#include "shell/settings/SettingsStore.h"
#include "ui/Fonts.h"
#include "ui/HintManager.h"

namespace kv {

namespace {

constexpr COLORREF kHintTextColor = RGB(0, 128, 0);

// The hint window of descriptions: the main window's hint font, in green.
class DescriptionHintWindow : public ui::HintWindow {
public:
    DescriptionHintWindow() {
        textColor = kHintTextColor;
        if (auto* main = dynamic_cast<MainForm*>(ui::Application::instance().mainForm())) {
            font = main->HintFont();
            textColor = main->HintFontColor();
        }
    }
};

std::unique_ptr<ui::HintWindow> descriptionHintWindow() { return std::make_unique<DescriptionHintWindow>(); }

// The settings give 0 for "at once" and "never hide"; the hint manager takes negatives.
int managerPause(int ms) { return ms == 0 ? -1 : ms; }

// The user's tip font as the settings keep it (the height as the system's).
ui::FontDescription tipFont(const FontData& data) { return FontOfData(data, kHintTextColor); }

}  // namespace

ui::FontDescription FontOfData(const FontData& data, COLORREF color) {
    return ui::fromLogFont(LogFontOf(data), color);
}

ui::FontDescription DefaultHintFont() {
    ui::FontDescription font;
    font.name = "Times New Roman";
    font.size = 12;
    font.color = kHintTextColor;
    return font;
}

bool MainForm::isItemListControl(const ui::Control* control) const {
    auto* view = dynamic_cast<const ui::TCustomEnhListView*>(control);
    return view && itemLists_.kind(view).has_value();
}

void MainForm::AppHint() {
    if (idle_.firstIdle())
        return;
    ui::Application& app = ui::Application::instance();
    const ui::Control* over = app.hints().hintControl();
    const Settings& s = services_.settings.Get();
    const bool overItems = over && (over == &tree || isItemListControl(over));
    const HintTimings t = HintTimingsFor(overItems, {s.tipDelayTenths, s.tipHideSeconds, s.autohideTips});
    app.hintPause = managerPause(t.pause);
    app.hintShortPause = managerPause(t.shortPause);
    app.hintHidePause = managerPause(t.hidePause);
}

void MainForm::AppShowHint(std::string& hintStr, bool& canShow, ui::HintInfo& info) {
    if (idle_.firstIdle() || !info.hintControl)
        return;
    ui::Application& app = ui::Application::instance();
    ui::Control& control = *info.hintControl;
    const Settings& s = services_.settings.Get();
    if (&control == &tree || isItemListControl(&control)) {
        // While rows or nodes are dragged the hint would cover the drop place.
        const bool dragging = browse_->drag().dragging() || (searchForm_ && searchForm_->FoundList.Drag().dragging()) ||
                              (compareForm_ && compareForm_->Drag().dragging());
        if (dragging || !s.descTips) {
            canShow = false;
            return;
        }
        const bool shown = &control == &tree ? treeHint(hintStr, info) : itemListHint(control, hintStr, info);
        if (!shown) {
            canShow = false;
            return;
        }
        const std::size_t slot = static_cast<std::size_t>(FontUse::DescTips);
        const ui::FontDescription wanted =
            s.fonts[slot].custom ? tipFont(services_.settings.GetFontData(slot)) : DefaultHintFont();
        if (!hintFont_.get() || wanted != hintFontFace_) {
            // The window made with the old font goes with it.
            app.hints().dropWindow();
            hintFont_ = ui::createFont(wanted);
            hintFontFace_ = wanted;
        }
        if (app.hintWindowClass() != &descriptionHintWindow)
            app.setHintWindowClass(&descriptionHintWindow);
        info.hideTimeout = app.hintHidePause;
        return;
    }
    if (app.hintWindowClass() != &ui::defaultHintWindow)
        app.setHintWindowClass(&ui::defaultHintWindow);
    // The main toolbar's buttons and the search window's.
    const bool searchButton =
        searchForm_ && control.hwnd() && GetAncestor(control.hwnd(), GA_ROOT) == searchForm_->hwnd();
    if (control.parent() == &toolbars_->Toolbar || searchButton)
        hintStr = HintWithShortcut(hintStr, control.Name, s.shortcutsInHints);
}

bool MainForm::itemListHint(ui::Control& control, std::string& hintStr, ui::HintInfo& info) {
    auto& view = static_cast<ui::TCustomEnhListView&>(control);
    LVHITTESTINFO hit{};
    hit.pt = info.cursorPos;
    const int row = static_cast<int>(SendMessageA(view.hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row < 0 || !(hit.flags & LVHT_ONITEM))
        return false;
    const ItemHead* rec = GetListItemRecord(view, row);
    const std::string description = rec ? DescriptionOf(*rec) : std::string();
    if (description.empty())
        return false;
    RECT label{};
    label.left = LVIR_LABEL;
    SendMessageA(view.hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label));
    info.cursorRect = label;
    hintStr = DescriptionHintText(description);
    return true;
}

bool MainForm::treeHint(std::string& hintStr, ui::HintInfo& info) {
    bool onItem = false;
    auto* node = static_cast<Node*>(tree.hitTest(info.cursorPos, &onItem));
    if (!node || !onItem || !node->record())
        return false;
    const std::string description = DescriptionOf(*node->record());
    if (description.empty())
        return false;
    if (const RECT r = tree.itemRect(node); !IsRectEmpty(&r))
        info.cursorRect = r;
    hintStr = DescriptionHintText(description);
    return true;
}

}  // namespace kv
