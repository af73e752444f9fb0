#include "catalog/CatalogLifeCycle.h"

#include <array>

#include "base/ScopedFlag.h"

namespace kv {

namespace {

class UpdateLock {
public:
    explicit UpdateLock(CatalogWindow& window) : window_(window) { window_.lockUpdates(); }
    ~UpdateLock() { window_.unlockUpdates(); }
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

private:
    CatalogWindow& window_;
};

// A busy status text, shown only over an idle status bar and taken back then.
class BusyStatus {
public:
    BusyStatus(CatalogWindow& window, const std::string& text) : window_(window), shown_(window.statusIdle()) {
        if (shown_)
            window_.showStatus(text);
    }
    ~BusyStatus() {
        if (shown_)
            window_.showStatus("");
    }
    BusyStatus(const BusyStatus&) = delete;
    BusyStatus& operator=(const BusyStatus&) = delete;

private:
    CatalogWindow& window_;
    bool shown_;
};

// Disables the tool windows that are enabled, and enables only those again:
// one a wait window disabled stays disabled.
class ToolWindowsDisabled {
public:
    explicit ToolWindowsDisabled(ToolWindows& tools) : tools_(tools) {
        for (std::size_t i = 0; i < kWindows.size(); ++i) {
            disabled_[i] = tools_.exists(kWindows[i]) && tools_.isEnabled(kWindows[i]);
            if (disabled_[i])
                tools_.setEnabled(kWindows[i], false);
        }
    }
    ~ToolWindowsDisabled() {
        for (std::size_t i = 0; i < kWindows.size(); ++i)
            if (disabled_[i] && tools_.exists(kWindows[i]))
                tools_.setEnabled(kWindows[i], true);
    }
    ToolWindowsDisabled(const ToolWindowsDisabled&) = delete;
    ToolWindowsDisabled& operator=(const ToolWindowsDisabled&) = delete;

private:
    static constexpr std::array<ToolWindow, 2> kWindows = {ToolWindow::Search, ToolWindow::UserList};
    ToolWindows& tools_;
    std::array<bool, 2> disabled_{};
};

bool IsAtOrBelow(const Node* node, const Node& top) {
    for (; node; node = node->parent())
        if (node == &top)
            return true;
    return false;
}

bool ProgramClosing(const LifeCycleServices& s) { return s.forest.context().programClosing; }

// The save question for one modified catalog: Yes, No, or 2 when cancelled or not saved.
int AskAndSave(LifeCycleServices& s, Node& catalogNode) {
    const ui::PromptAnswer answer = s.prompt.ask({"Save changes to catalog \"" + catalogNode.text() + "\" ?",
                                                  "Confirm", ui::PromptButtons::YesNoCancel,
                                                  ui::PromptIcon::Question});
    if (answer == ui::PromptAnswer::Yes && s.save(catalogNode) != SaveResult::Saved)
        return kAnswerCancel;
    return static_cast<int>(answer);
}

bool IsModified(const Node& node) {
    auto* catalog = RecordAs<TCatalogRec>(node.record());
    return catalog && catalog->modified;
}

}  // namespace

void CatalogOpenQueue::RequestOpenCatalogs(Files files) {
    pending_.push_back(std::move(files));
    if (running_)
        return;
    ScopedFlag running(running_);
    while (!pending_.empty()) {
        Files next = std::move(pending_.front());
        pending_.pop_front();
        open_(std::move(next));
    }
}

int DeleteCatalogNode(LifeCycleServices& s, Node& node) {
    if (IsAtOrBelow(s.tree.selected(), node)) {
        s.window.clearItemList();
        Node* next = node.nextSibling();
        s.tree.select(next ? next : node.parent());
    }
    s.forest.remove(node);
    return 0;
}

int CloseCatalog(LifeCycleServices& s, Node& catalogNode, bool ask) {
    int answer = kAnswerYes;
    {
        UpdateLock lock(s.window);
        BusyStatus status(s.window, "Wait, closing catalog...");
        ToolWindowsDisabled disabled(s.tools);
        if (ask && IsModified(catalogNode)) {
            answer = AskAndSave(s, catalogNode);
            if (answer == kAnswerCancel)
                return answer;
        }
        s.tree.collapse(catalogNode);
        s.window.processMessages();
        DeleteCatalogNode(s, catalogNode);
        if (s.forest.roots().empty()) {
            s.tools.hide(ToolWindow::UserList);
            s.tools.hide(ToolWindow::Search);
        }
    }
    if (!ProgramClosing(s))
        s.tools.rebuildSearchScope();
    return answer;
}

int CloseAllCatalogs(LifeCycleServices& s, bool ask) {
    int answer = kAnswerYes;
    {
        BusyStatus status(s.window, "Wait, closing all catalogs...");
        UpdateLock lock(s.window);
        while (!s.forest.roots().empty() && answer != kAnswerCancel)
            answer = CloseCatalog(s, *s.forest.roots().back(), ask && !ProgramClosing(s));
        if (!ProgramClosing(s))
            s.tools.rebuildSearchScope();
        s.window.updateCommands();
    }
    return answer;
}

int QuerySaveModifiedCatalogs(LifeCycleServices& s) {
    std::vector<Node*> catalogs;
    for (const auto& root : s.forest.roots())
        catalogs.push_back(root.get());
    int answer = kAnswerYes;
    for (Node* node : catalogs) {
        if (!IsModified(*node))
            continue;
        answer = AskAndSave(s, *node);
        if (answer == kAnswerCancel)
            break;
    }
    return answer;
}

}  // namespace kv
