#include "shell/browse/CatalogTreeWin32.h"

#include <commctrl.h>

#include "shell/browse/CatalogBrowser.h"
#include "shell/browse/NodeImages.h"
#include "ui/SystemHelpers.h"

namespace kv {

namespace {

Node* nodeOf(ui::TreeView::Node n) { return static_cast<Node*>(n); }

bool isNavigationKey(WORD key) {
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_BACK: return true;
    default: return false;
    }
}

}  // namespace

CatalogTreeWin32::CatalogTreeWin32(Forest& forest, const ItemIcons& icons, ui::TreeView& tree)
    : forest_(forest), icons_(icons), tree_(tree) {
    tree_.textOf = [](ui::TreeView::Node n) { return nodeOf(n)->text(); };
    tree_.hasChildren = [](ui::TreeView::Node n) { return nodeOf(n)->hasChildren(); };
    tree_.childrenOf = [](ui::TreeView::Node n) {
        std::vector<ui::TreeView::Node> children;
        for (const auto& child : nodeOf(n)->children())
            children.push_back(child.get());
        return children;
    };
    tree_.isBold = [](ui::TreeView::Node n) {
        return nodeOf(n)->bold() || RecordAs<TCatalogRec>(nodeOf(n)->record()) != nullptr;
    };
    tree_.imageOf = [this](ui::TreeView::Node n, bool selected) {
        const Node* node = nodeOf(n);
        if (node->image() >= 0)
            return selected ? node->selectedImage() : node->image();
        const NodeImagePair pair = NodeImagesFor(node->record(), icons_);
        return selected ? pair.selected : pair.image;
    };
    tree_.onChange = [this](ui::TreeView&, ui::TreeView::Node n) {
        if (browser_)
            browser_->treeChanged(nodeOf(n), true);
    };
    tree_.onExpanding = [this](ui::TreeView&, ui::TreeView::Node n, bool&) {
        if (lockOnExpand_ || closingCollapse_)
            holdPainting();
        if (browser_)
            browser_->expanding(*nodeOf(n));
        // The nodes about to get items carry their pictures in the model.
        AssignLevelImages(forest_, *nodeOf(n), icons_);
    };
    tree_.onCollapsing = [this](ui::TreeView&, ui::TreeView::Node, bool&) {
        if (lockOnExpand_ || closingCollapse_)
            holdPainting();
    };
    tree_.onExpanded = [this](ui::TreeView&, ui::TreeView::Node, bool) {
        releasePainting();
        closingCollapse_ = false;
    };
    releaseTimer_.setEnabled(false);
    releaseTimer_.setInterval(1);
    releaseTimer_.onTimer = [this](ui::Timer&) { releasePainting(); };
    tree_.onEditing = [this](ui::TreeView&, ui::TreeView::Node n, bool& allow) {
        allow = browser_ && browser_->canEditTree(*nodeOf(n));
    };
    tree_.onEdited = [this](ui::TreeView&, ui::TreeView::Node n, std::string& text, bool& accept) {
        // The item shows the node's text, which the rename has set (or kept).
        accept = false;
        if (browser_)
            browser_->treeEdited(*nodeOf(n), text);
    };
    tree_.onStartDrag = [this](ui::TreeView&, ui::TreeView::Node n) {
        if (onStartDrag && n && !RecordAs<TCatalogRec>(nodeOf(n)->record()))
            onStartDrag(*nodeOf(n));
    };
    tree_.onKeyDown = [this](ui::Control&, WORD& key, UINT) { keyDown(key); };
    tree_.onKeyUp = [this](ui::Control&, WORD&, UINT) { keyUp(); };
    tree_.onExit = [this](ui::Control&) {
        if (browser_)
            browser_->treeExit();
    };
    tree_.onMouseDown = [this](ui::Control&, ui::MouseButton button, UINT, int x, int y) {
        if (button != ui::MouseButton::Right)
            return;
        bool onItem = false;
        Node* node = nodeOf(tree_.hitTest(POINT{x, y}, &onItem));
        if (node && onItem) {
            select(node);
            if (onContextMenu)
                onContextMenu(*node, POINT{x, y});
        }
    };
    std::vector<ui::TreeView::Node> roots;
    for (const auto& root : forest_.roots())
        roots.push_back(root.get());
    tree_.setRoots(roots);
    forest_.setObserver(this);
}

CatalogTreeWin32::~CatalogTreeWin32() {
    releasePainting();
    forest_.setObserver(next_);
    // The control may outlive the binding: it must not call back into it.
    tree_.textOf = nullptr;
    tree_.hasChildren = nullptr;
    tree_.childrenOf = nullptr;
    tree_.isBold = nullptr;
    tree_.imageOf = nullptr;
    tree_.onChange = nullptr;
    tree_.onExpanding = nullptr;
    tree_.onCollapsing = nullptr;
    tree_.onExpanded = nullptr;
    tree_.onEditing = nullptr;
    tree_.onEdited = nullptr;
    tree_.onStartDrag = nullptr;
    tree_.onKeyDown = nullptr;
    tree_.onKeyUp = nullptr;
    tree_.onExit = nullptr;
    tree_.onMouseDown = nullptr;
}

void CatalogTreeWin32::keyDown(WORD key) {
    // Moves by key refill the list only after the keys are released.
    if (browser_ && isNavigationKey(key) && !browser_->displayLocked()) {
        browser_->lockDisplay();
        keyLock_ = true;
    }
}

void CatalogTreeWin32::keyUp() {
    if (!browser_)
        return;
    if (keyLock_) {
        keyLock_ = false;
        browser_->unlockDisplay();
    }
    browser_->treeKeyUp();
}

Node* CatalogTreeWin32::selected() { return nodeOf(tree_.selected()); }

void CatalogTreeWin32::showPath(const Node& node) {
    // The items of the path exist only once each ancestor was expanded.
    std::vector<Node*> path;
    for (Node* n = node.parent(); n; n = n->parent())
        path.push_back(n);
    for (auto it = path.rbegin(); it != path.rend(); ++it)
        tree_.expand(*it);
}

void CatalogTreeWin32::select(Node* node) {
    if (!node)
        return;
    showPath(*node);
    tree_.select(node);
}

void CatalogTreeWin32::expand(Node& node) {
    showPath(node);
    tree_.expand(&node);
}

void CatalogTreeWin32::collapse(Node& node) {
    HTREEITEM h = tree_.itemOf(&node);
    if (!h)
        return;
    closingCollapse_ = true;
    holdPainting();
    SendMessageA(tree_.hwnd(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(h));
    releasePainting();
    closingCollapse_ = false;
}

void CatalogTreeWin32::holdPainting() {
    if (paintHeld_ || !tree_.hwnd())
        return;
    paintHeld_ = true;
    ui::NestedLockWindowUpdate(GetAncestor(tree_.hwnd(), GA_ROOT));
    releaseTimer_.setEnabled(true);
}

void CatalogTreeWin32::releasePainting() {
    releaseTimer_.setEnabled(false);
    if (!paintHeld_)
        return;
    paintHeld_ = false;
    ui::NestedLockWindowUpdate(nullptr);
}

void CatalogTreeWin32::takeFocus() { tree_.setFocus(); }

void CatalogTreeWin32::repaint() {
    if (tree_.hwnd())
        InvalidateRect(tree_.hwnd(), nullptr, TRUE);
}

void CatalogTreeWin32::editLabel(Node& node) { tree_.editLabel(&node); }

void CatalogTreeWin32::added(Node& node) {
    tree_.addNode(node.parent(), &node);
    if (next_)
        next_->added(node);
}

void CatalogTreeWin32::removing(Node& node) {
    if (browser_)
        browser_->nodeRemoving(node);
    if (onRemoving)
        onRemoving(node);
    tree_.removeNode(&node);
    if (next_)
        next_->removing(node);
}

void CatalogTreeWin32::changed(Node& node, unsigned what) {
    tree_.refresh(&node);
    if (next_)
        next_->changed(node, what);
}

void CatalogTreeWin32::reordered(Node* parent) {
    if (parent)
        tree_.arrangeChildren(parent);
    if (next_)
        next_->reordered(parent);
}

std::size_t CatalogTreeWin32::itemCount() const {
    return tree_.hwnd() ? static_cast<std::size_t>(SendMessageA(tree_.hwnd(), TVM_GETCOUNT, 0, 0)) : 0;
}

}  // namespace kv
