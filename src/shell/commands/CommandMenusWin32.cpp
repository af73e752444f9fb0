#include "shell/commands/CommandMenusWin32.h"

#include <initializer_list>

namespace kv {

ui::TShortCut ParseShortCut(std::string_view text) {
    UINT shift = 0;
    for (;;) {
        std::size_t plus = text.find('+');
        if (plus == std::string_view::npos || plus + 1 == text.size())
            break;
        std::string_view modifier = text.substr(0, plus);
        if (modifier == "Ctrl")
            shift |= ui::kCtrl;
        else if (modifier == "Alt")
            shift |= ui::kAlt;
        else if (modifier == "Shift")
            shift |= ui::kShift;
        else
            return 0;
        text.remove_prefix(plus + 1);
    }
    WORD key = 0;
    if (text.size() == 1 && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= '0' && text[0] <= '9')))
        key = static_cast<WORD>(text[0]);
    else if (text.size() >= 2 && text[0] == 'F') {
        int n = 0;
        for (char c : text.substr(1))
            n = c >= '0' && c <= '9' ? n * 10 + (c - '0') : 100;
        if (n >= 1 && n <= 12)
            key = static_cast<WORD>(VK_F1 + n - 1);
    }
    return key ? ui::ShortCut(key, shift) : 0;
}

namespace {

using C = CommandId;
// Markers inside a menu's list of commands.
constexpr C kSeparator = C::Count;

struct Section {
    const char* caption;
    std::initializer_list<C> commands;
};

// The recently-used entries go in front of the separator after Close All.
const Section kSections[] = {
    {"&File", {C::NewCatalog, C::OpenCatalog, C::Save, C::SaveAs, C::Close, C::CloseAll, kSeparator, C::ReportGen,
               C::ExportDesc, C::Import, kSeparator, C::Exit}},
    {"&Edit", {C::Search, C::Duplicates, C::UserList, kSeparator, C::Back, C::Explorer, C::ViewFile, C::Launch,
               C::CopyTo, C::ExtractTo, kSeparator, C::AddToUserList, C::SetCategory, C::EditDesc, C::Properties}},
    {"&View", {C::SortItems, C::ReverseSort, kSeparator, C::LargeIcons, C::SmallIcons, C::ListStyle, C::Details,
               kSeparator, C::ColumnsSetup, C::ViewToolbar, C::ViewStatusBar}},
    {"&Catalog", {C::AddDisk, C::Compare, C::CheckCat, kSeparator, C::CatManager, C::Categories, C::Rename,
                  C::CatalogInfo}},
    {"&Settings", {C::SettingsInterface, C::SettingsGeneral, C::SettingsToolbar, C::SettingsFonts, C::SettingsImage,
                   C::SettingsExtract, C::SettingsDesc, C::SettingsAutoload, kSeparator, C::SetupWizard}},
    {"&Help", {C::HelpIndex, C::WhatsThis, C::Tips, kSeparator, C::About}},
};

constexpr C kSortColumns[] = {C::Sort1, C::Sort2, C::Sort3, C::Sort4, C::Sort5, C::Sort6, C::Sort7, C::Sort8};

ui::MenuItem& addCommand(ui::MenuItem& parent, const CommandInfo& info, CommandSource source, const RunCommand& run) {
    ui::MenuItem& item = parent.Add(info.caption, [run, id = info.id, source](ui::MenuItem&) {
        if (run)
            run(id, source);
    });
    item.Name = info.menuName;
    item.Tag = info.menuTag;
    item.SetShortCut(ParseShortCut(info.shortCut));
    return item;
}

}  // namespace

void CommandMenus::buildMain(ui::MainMenu& menu, RunCommand run) {
    for (const Section& section : kSections) {
        ui::MenuItem& sub = menu.Items().Add(section.caption);
        bool afterCloseAll = false;
        for (C id : section.commands) {
            if (id == kSeparator) {
                ui::MenuItem& separator = sub.Add("-");
                if (afterCloseAll)
                    recentAnchor_ = &separator;
                afterCloseAll = false;
                continue;
            }
            ui::MenuItem& item = addCommand(sub, CommandInfoOf(id), CommandSource::MainMenu, run);
            main_[Index(id)] = &item;
            afterCloseAll = id == C::CloseAll;
            if (id == C::SortItems) {
                for (C column : kSortColumns) {
                    ui::MenuItem& sort = addCommand(item, CommandInfoOf(column), CommandSource::MainMenu, run);
                    sort.RadioItem = true;
                    sort.GroupIndex = 1;
                    main_[Index(column)] = &sort;
                }
            }
        }
    }
}

void CommandMenus::apply(const CommandStates& states) const {
    for (const CommandInfo& info : CommandTable()) {
        ui::MenuItem* item = main_[Index(info.id)];
        if (!item)
            continue;
        const CommandState& state = states[info.id];
        if (item->Enabled() != state.enabled)
            item->SetEnabled(state.enabled);
        if (item->Checked() != state.checked)
            item->SetChecked(state.checked);
        if (!state.caption.empty() && item->Caption() != state.caption)
            item->SetCaption(state.caption);
    }
}

std::vector<ui::MenuItem*> CommandMenus::buildPopup(ui::PopupMenu& menu, std::span<const PopupEntry> entries,
                                                    CommandSource source, RunCommand run) {
    std::vector<ui::MenuItem*> items;
    for (const PopupEntry& e : entries) {
        ui::MenuItem& item = menu.Items().Add(e.caption);
        item.Name = e.name;
        if (e.command != CommandId::Count)
            item.OnClick = [run, id = e.command, source](ui::MenuItem&) {
                if (run)
                    run(id, source);
            };
        items.push_back(&item);
    }
    return items;
}

void CommandMenus::applyPopup(const std::vector<ui::MenuItem*>& items, const std::vector<PopupItemState>& states) {
    for (std::size_t i = 0; i < items.size() && i < states.size(); ++i) {
        items[i]->SetVisible(states[i].visible);
        items[i]->SetEnabled(states[i].enabled);
        items[i]->SetDefault(states[i].isDefault);
    }
}

}  // namespace kv
