#pragma once
// The main window's menus made from the command table and the popup tables:
// one menu item per command, each click reporting its command and source,
// and the computed command states put on the items.
#include <array>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "shell/commands/CommandPopups.h"
#include "shell/commands/CommandRules.h"
#include "shell/commands/CommandTable.h"
#include "ui/Menu.h"

namespace kv {

// "Ctrl+N", "Alt+F4", "F2" as a menu shortcut; 0 for an empty or unknown text.
ui::TShortCut ParseShortCut(std::string_view text);

using RunCommand = std::function<void(CommandId command, CommandSource source)>;

class CommandMenus {
public:
    // Fills the main menu: File, Edit, View, Catalog, Settings and Help.
    void buildMain(ui::MainMenu& menu, RunCommand run);
    // The item the recently-used entries are put in front of.
    ui::MenuItem* recentFilesAnchor() const { return recentAnchor_; }
    ui::MenuItem* item(CommandId id) const { return main_[Index(id)]; }
    // Enabled, checked and captions of the main menu items.
    void apply(const CommandStates& states) const;

    // A popup's items in table order (separators included).
    static std::vector<ui::MenuItem*> buildPopup(ui::PopupMenu& menu, std::span<const PopupEntry> entries,
                                                 CommandSource source, RunCommand run);
    static void applyPopup(const std::vector<ui::MenuItem*>& items, const std::vector<PopupItemState>& states);

private:
    std::array<ui::MenuItem*, kCommandCount> main_{};
    ui::MenuItem* recentAnchor_ = nullptr;
};

}  // namespace kv
