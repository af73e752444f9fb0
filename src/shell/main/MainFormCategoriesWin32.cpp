// Categories Setup and Set Category and Flags from the main window, the
// search window's hits and the tree and list popups.
#include "shell/main/MainFormWin32.h"

#include "scan/categories/CategoriesFormWin32.h"
#include "scan/categories/SetCatFormWin32.h"
#include "shell/commands/CommandTable.h"

namespace kv {

bool MainForm::categoriesSetup(Node* catalog) {
    // The setup may clear references in every record the search walks.
    if (RefusedDuringSearch(CommandInfoOf(CommandId::Categories).refusal, searchRunning(), *prompt_))
        return false;
    CategoriesServices services;
    services.prompt = prompt_.get();
    services.showProgress = [this](bool on) {
        if (on) {
            progress_.showWaitWindow("Updating categories and flags...", false, false);
            ShowStatus("Updating categories and flags, please wait...", true);
        } else {
            progress_.closeWaitWindow();
            ShowStatus("", false);
        }
    };
    services.rebuildCategoryLists = [this] {
        if (searchForm_) searchForm_->CreateCategoryList();
    };
    TCategoriesForm form(std::move(services));
    std::vector<Node*> catalogs;
    for (const auto& root : forest_.roots()) catalogs.push_back(root.get());
    bool ok = false;
    try {
        ok = form.Run(catalogs, catalog ? catalog : selected());
    } catch (const std::exception& e) {
        // A damaged file met while references were cleared: what was read stays.
        progress_.closeWaitWindow();
        ShowStatus("", false);
        prompt_->showError(e.what());
        ok = true;
    }
    if (ok) {
        browse_->browser().refreshRecordViews(nullptr);
        repaintOtherItemLists();
        updateCommands(CommandGroup::Catalog | CommandGroup::Item);
    }
    return ok;
}

void MainForm::setCategories(std::span<ItemHead* const> items) {
    if (items.empty() || RefusedDuringSearch(CommandInfoOf(CommandId::SetCategory).refusal, searchRunning(), *prompt_))
        return;
    for (;;) {
        TSetCatForm form(*prompt_);
        const bool changed = form.Run(items);
        if (changed || form.OpenSetup) {
            browse_->browser().refreshRecordViews(nullptr);
            repaintOtherItemLists();
            updateCommands(CommandGroup::Catalog | CommandGroup::Item);
        }
        if (!form.OpenSetup)
            return;
        ui::Application::instance().processMessages();
        Node* catalog = items.front() ? items.front()->node : nullptr;
        while (catalog && catalog->parent()) catalog = catalog->parent();
        if (!categoriesSetup(catalog))
            return;
    }
}

// The selected tree node, or the list's selected rows without "..".
void MainForm::setCategoryCommand(CommandSource source) {
    const std::optional<CommandTarget> target = GetCommandTarget(source, CommandFocus());
    if (!target)
        return;
    std::vector<ItemHead*> items;
    if (target->fromTree) {
        if (target->node && target->node->record()) items.push_back(target->node->record());
    } else {
        CatalogBrowser& browser = browse_->browser();
        for (std::size_t row : browse_->list().selectedRows()) {
            const ItemHead* rec = browser.recordAt(static_cast<std::ptrdiff_t>(row));
            if (rec && rec != browser.upRecord()) items.push_back(const_cast<ItemHead*>(rec));
        }
    }
    setCategories(items);
}

void MainForm::RunFoundCommand(FoundAction action, std::span<ItemHead* const> selected, ItemHead* focused) {
    if (action == FoundAction::SetCategory)
        setCategories(selected);
    else
        runShellFoundCommand(action, selected, focused);
}

}  // namespace kv
