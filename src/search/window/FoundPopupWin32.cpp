#include "search/window/FoundPopupWin32.h"

#include "controls/menus/GlyphMenuItemsWin32.h"

namespace kv {

namespace {

constexpr FoundPopupEntry kEntries[] = {
    {"SearchLocateMenu", "Locate in Catalog", FoundAction::Locate},
    {"SearchEditDescMenu", "Edit Description", FoundAction::EditDesc},
    {"SearchExplorerMenu", "Open in Explorer", FoundAction::Explorer},
    {"SearchViewMenu", "View File", FoundAction::View},
    {"SearchLaunchMenu", "Launch File", FoundAction::Launch},
    {"SearchCopyToMenu", "Copy To...", FoundAction::CopyTo},
    {"SearchExtractMenu", "Extract To...", FoundAction::Extract},
    {"SearchSetCatMenu", "Set Category and Flags", FoundAction::SetCategory},
    {"SearchAddListMenu", "Add to User List", FoundAction::AddList},
    {"SearchRemoveMenu", "Remove from List", FoundAction::Remove},
    {"N1", "-", FoundAction::None},
    {"SearchPropertiesMenu", "Properties", FoundAction::Properties},
};

}  // namespace

void FoundPopupWin32::Create(SearchToolbarWin32& toolbar, std::function<void(FoundAction)> run) {
    Create(kEntries,
           [&toolbar](FoundAction action) -> HBITMAP {
               const ui::SpeedButton* button = toolbar.Button(action);
               return button ? toolbar.Glyph(*button) : nullptr;
           },
           std::move(run));
}

void FoundPopupWin32::Create(std::span<const FoundPopupEntry> entries, std::function<HBITMAP(FoundAction)> glyph,
                             std::function<void(FoundAction)> run) {
    entries_ = entries;
    ui::MenuItem& root = menu_.Items();
    for (const FoundPopupEntry& e : entries) {
        const FoundAction action = e.action;
        ui::MenuItem& item = root.Add(e.caption, [run, action](ui::MenuItem&) {
            if (run && action != FoundAction::None)
                run(action);
        });
        item.Name = e.name;
        item.Tag = static_cast<int>(action);
    }
    ui::UseGlyphItems(menu_, menu_.fonts(), [glyph](const ui::MenuItem& item) -> std::optional<ui::MenuGlyphImage> {
        HBITMAP strip = glyph ? glyph(static_cast<FoundAction>(item.Tag)) : nullptr;
        BITMAP info{};
        if (!strip || !GetObjectA(strip, sizeof info, &info))
            return std::nullopt;
        return ui::MenuGlyphImage{strip, info.bmWidth, info.bmHeight};
    });
}

void FoundPopupWin32::Prepare(const FoundActionStates& states, FoundAction defaultAction) {
    for (const FoundPopupEntry& e : entries_) {
        if (e.action == FoundAction::None)
            continue;
        ui::MenuItem* item = Item(e.action);
        if (e.action == FoundAction::AddList)
            item->SetEnabled(states[e.action]);
        else
            item->SetVisible(states[e.action]);
        item->SetDefault(e.action == defaultAction);
    }
}

ui::MenuItem* FoundPopupWin32::Item(FoundAction action) {
    for (const FoundPopupEntry& e : entries_)
        if (e.action == action)
            return menu_.Items().Find(e.name);
    return nullptr;
}

}  // namespace kv
