#pragma once
// The catalog tree control: shows the forest's nodes (items only for nodes
// whose parents were expanded), keeps itself in step with the model as the
// forest's observer and hands the user's actions to the browser.
#include <functional>

#include "catalog/model/Forest.h"
#include "controls/IconRules.h"
#include "shell/browse/BrowsePorts.h"
#include "ui/Timer.h"
#include "ui/TreeView.h"

namespace kv {

class CatalogBrowser;

class CatalogTreeWin32 : public BrowseTreePort, public ForestObserver {
public:
    // Binds the host's tree control to the forest until destroyed.
    CatalogTreeWin32(Forest& forest, const ItemIcons& icons, ui::TreeView& tree);
    ~CatalogTreeWin32() override;

    ui::TreeView& control() { return tree_; }
    // The browser that the tree's events go to; null: none yet.
    void setBrowser(CatalogBrowser* browser) { browser_ = browser; }
    // Another observer of the forest that hears everything after the tree.
    void setNextObserver(ForestObserver* next) { next_ = next; }

    // A drag of a node starts (the caller shows the drag image).
    std::function<void(Node& node)> onStartDrag;
    // A node is about to leave the tree (after the browser forgot it).
    std::function<void(Node& node)> onRemoving;
    // A right click on a node's item.
    std::function<void(Node& node, POINT point)> onContextMenu;

    // BrowseTreePort
    Node* selected() override;
    void select(Node* node) override;
    void expand(Node& node) override;
    void collapse(Node& node) override;
    void takeFocus() override;
    void repaint() override;
    void editLabel(Node& node) override;

    // ForestObserver
    void added(Node& node) override;
    void removing(Node& node) override;
    void changed(Node& node, unsigned what) override;
    void reordered(Node* parent) override;

    // The number of tree items that exist (nodes shown or ready to be).
    std::size_t itemCount() const;

    // Smooth expanding off: the window does not paint while a node expands
    // or collapses, only the result. Collapses of closing catalogs always hold it.
    void setPaintLockOnExpand(bool on) { lockOnExpand_ = on; }
    bool paintingHeld() const { return paintHeld_; }

private:
    void showPath(const Node& node);
    void keyDown(WORD key);
    void keyUp();
    void holdPainting();
    void releasePainting();

    Forest& forest_;
    const ItemIcons& icons_;
    ui::TreeView& tree_;
    CatalogBrowser* browser_ = nullptr;
    ForestObserver* next_ = nullptr;
    bool keyLock_ = false;
    bool lockOnExpand_ = true;
    // The one-shot hold of a catalog's collapse as it closes.
    bool closingCollapse_ = false;
    bool paintHeld_ = false;
    // Gives the painting back at the next quiet moment should no "expanded"
    // notice follow (a node that turned out to have no children).
    ui::Timer releaseTimer_;
};

}  // namespace kv
