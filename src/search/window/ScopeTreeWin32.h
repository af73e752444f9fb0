#pragma once
// The Limit page's tree: catalogs and their disks with check-mark state images
// (unchecked, checked, partly checked) over the scope model.
#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "search/window/ScopeModel.h"
#include "ui/TreeView.h"

namespace kv {

class ScopeTreeWin32 {
public:
    ScopeTreeWin32();
    ~ScopeTreeWin32();
    ScopeTreeWin32(const ScopeTreeWin32&) = delete;
    ScopeTreeWin32& operator=(const ScopeTreeWin32&) = delete;

    void Create(ui::Control& parent);
    ui::TreeView& View() { return view_; }
    ScopeModel& Model() { return model_; }

    // Rebuilds from the catalogs' flags.
    void CreateCatalogTree(const Forest& forest);
    // Rebuilds with a choice of its own, leaving the flags alone: the disks of
    // `chosen` checked.
    void CreateOwnCatalogTree(const Forest& forest, const Node* chosen);
    // Clicks and the Space key toggle; refused while this says no.
    std::function<bool()> mayToggle;
    // After a toggle (the Include and Exclude buttons).
    std::function<void()> changed;

    // Toggles the node's check mark (a catalog or a disk node).
    void UpdateTreeCheckState(const Node* node);
    void SetAll(bool in);
    void EnableEntireCatalogTree();
    // Shows the model's states.
    void ShowStates();

private:
    void MakeCheckImages();
    void ShowTree();

    ui::TreeView view_;
    ScopeModel model_;
    HIMAGELIST checkImages_ = nullptr;
};

}  // namespace kv
