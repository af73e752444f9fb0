#pragma once
// Opening requests and closing of whole catalogs: the queue of open requests,
// deleting a catalog, disk or folder node, closing one or all catalogs with the
// save question, and the save question for every modified catalog at exit.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalog/model/Forest.h"
#include "catalog/file/CatalogSave.h"
#include "catalog/model/TreeViewPort.h"
#include "ui/UserPrompt.h"

namespace kv {

// Requests to open catalog files, handled one after the other. A request made
// while one is being handled (a hand-over from a second instance, a click in
// the recently-used list during an open) waits its turn instead of being lost.
class CatalogOpenQueue {
public:
    // nullopt asks with the Open dialog.
    using Files = std::optional<std::vector<std::string>>;
    explicit CatalogOpenQueue(std::function<void(Files)> open) : open_(std::move(open)) {}

    // Returns once this request and every one queued meanwhile were handled,
    // unless a request is already being handled further up the stack.
    void RequestOpenCatalogs(Files files);
    bool busy() const { return running_; }

private:
    std::function<void(Files)> open_;
    std::deque<Files> pending_;
    bool running_ = false;
};

// What closing asks of the main window.
class CatalogWindow {
public:
    virtual ~CatalogWindow() = default;
    // Nested locks of display updates.
    virtual void lockUpdates() = 0;
    virtual void unlockUpdates() = 0;
    // The status bar shows no busy text.
    virtual bool statusIdle() const = 0;
    // A busy text; empty returns the status bar to idle.
    virtual void showStatus(const std::string& text) = 0;
    // Empties the item list and repaints it.
    virtual void clearItemList() = 0;
    virtual void updateCommands() = 0;
    virtual void processMessages() = 0;
};

enum class ToolWindow { Search, UserList };

// The search and user-list windows.
class ToolWindows {
public:
    virtual ~ToolWindows() = default;
    virtual bool exists(ToolWindow window) const = 0;
    virtual bool isEnabled(ToolWindow window) const = 0;
    virtual void setEnabled(ToolWindow window, bool enabled) = 0;
    virtual void hide(ToolWindow window) = 0;
    // The search window's scope tree and category list follow the open catalogs.
    virtual void rebuildSearchScope() = 0;
};

struct LifeCycleServices {
    Forest& forest;
    ui::UserPrompt& prompt;
    TreeViewPort& tree;
    CatalogWindow& window;
    ToolWindows& tools;
    // Saves one catalog (a plain save; the Save dialog for one never saved).
    std::function<SaveResult(Node&)> save;
};

// The answers as the message box gives them.
inline constexpr int kAnswerCancel = static_cast<int>(ui::PromptAnswer::Cancel);
inline constexpr int kAnswerYes = static_cast<int>(ui::PromptAnswer::Yes);

// Deletes a catalog, disk or folder node with everything under it. When the
// tree's selection is in it, the item list is emptied and the selection moves
// to the next sibling, else to the parent. Returns 0.
int DeleteCatalogNode(LifeCycleServices& services, Node& node);

// Closes one catalog, asking to save it when modified and `ask` is set.
// Returns 2 when nothing was closed (Cancel, or a save that did not complete),
// else the answer given (Yes when nothing was asked).
int CloseCatalog(LifeCycleServices& services, Node& catalogNode, bool ask);

// Closes the catalogs from the last to the first until none is left or one
// refuses; asks only while the program is not closing. Returns the last answer.
int CloseAllCatalogs(LifeCycleServices& services, bool ask);

// Asks for every modified catalog in tree order. Returns 2 when the user
// cancelled or a save did not complete, else the last answer (Yes when nothing
// was modified).
int QuerySaveModifiedCatalogs(LifeCycleServices& services);

}  // namespace kv
