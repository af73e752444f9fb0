#include "shell/browse/BrowseViewsWin32.h"

#include <utility>

#include "shell/browse/NodeImages.h"
#include "ui/Application.h"
#include "ui/IconOutline.h"

namespace kv {

BrowseViewsWin32::BrowseViewsWin32(Forest& forest, const ItemIcons& icons, HIMAGELIST smallImages,
                                   std::function<int(std::string_view fileName)> fileIcon, ui::TreeView& tree,
                                   ui::TExtListView& list)
    : forest_(forest),
      icons_(icons),
      smallImages_(smallImages),
      tree_(forest, icons, tree),
      list_(icons, std::move(fileIcon), list),
      formats_(LocaleCellFormats()) {
    browser_ = std::make_unique<CatalogBrowser>(forest, BrowsePorts{tree_, list_, *this, *this});
    browser_->setFormats(&formats_);
    browser_->setCollator(&collator_);
    tree_.setBrowser(browser_.get());
    auto treeKeys = tree_.control().onKeyDown;
    tree_.control().onKeyDown = [this, treeKeys](ui::Control& sender, WORD& key, UINT flags) {
        if (onCommandKey && onCommandKey(true, key)) {
            key = 0;
            return;
        }
        if (treeKeys)
            treeKeys(sender, key, flags);
    };
    // The context-menu key opens its popup on key down (at the row or node);
    // its release must not open the control's own popup a second time.
    auto treeKeysUp = tree_.control().onKeyUp;
    tree_.control().onKeyUp = [treeKeysUp](ui::Control& sender, WORD& key, UINT flags) {
        if (key == VK_APPS) {
            key = 0;
            return;
        }
        if (treeKeysUp)
            treeKeysUp(sender, key, flags);
    };
    list.onKeyUp = [](ui::Control&, WORD& key, UINT) {
        if (key == VK_APPS)
            key = 0;
    };
    list_.setBrowser(browser_.get());
    timer_.onTimer = [this](ui::Timer&) { browser_->refillTimerFired(); };

    list.OnColumnClick = [this](ui::TCustomEnhListView&, int column) {
        if (column < 0) {
            if (onColumnsSetup)
                onColumnsSetup();
            return;
        }
        browser_->columnClick(column);
    };
    list.onDblClick = [this](ui::Control&) {
        const ItemHead* rec = browser_->recordAt(-1);
        if (rec && !browser_->openRow(-1) && onRowAction)
            onRowAction(*rec);
    };
    list.onKeyDown = [this](ui::Control&, WORD& key, UINT) {
        if (onCommandKey && onCommandKey(false, key)) {
            key = 0;
            return;
        }
        if (key == VK_RETURN) {
            const ItemHead* rec = browser_->recordAt(-1);
            if (rec && !browser_->openRow(-1) && onRowAction)
                onRowAction(*rec);
            key = 0;
        } else if (key == VK_BACK) {
            browser_->back();
            key = 0;
        }
    };
    list.OnEditing = [this](ui::TCustomEnhListView&, int, bool& allow) { allow = browser_->canEditRow(); };
    list.OnEdited = [this](ui::TCustomEnhListView&, int, std::string& text, bool& accept) {
        accept = false;  // the row shows the node's text, which the rename set
        browser_->rowEdited(text);
    };
    list.onMouseDown = [this](ui::Control&, ui::MouseButton, UINT, int, int) { listPressed_ = true; };
    list.onEnter = [this](ui::Control&) { listEnter(); };

    // Drags: the tree starts one for a node, the list for its selected rows;
    // the mouse, captured by the source, moves and drops them.
    tree_.onStartDrag = [this](Node& node) {
        HWND tree = tree_.control().hwnd();
        HIMAGELIST image = ui::ListIconDragImage(smallImages_, node.image());
        if (!image)
            image = reinterpret_cast<HIMAGELIST>(
                SendMessageA(tree, TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(tree_.control().itemOf(&node))));
        dragItems_ = DragItems{&node, {}};
        itemDrag_.Start(tree, 1, image, POINT{8, 8});
    };
    list.OnStartDrag = [this](ui::TCustomEnhListView& sender, int) {
        DragItems items;
        for (std::size_t row : list_.selectedRows())
            if (const ItemHead* rec = browser_->recordAt(static_cast<std::ptrdiff_t>(row)); rec && rec != browser_->upRecord())
                items.rows.push_back(rec);
        if (items.rows.empty())
            return;
        // One row drags its outlined icon, several the list's own image.
        HIMAGELIST image = items.rows.size() == 1
                               ? ui::ListIconDragImage(smallImages_, RowImage(items.rows.front(), icons_, browser_->upRecord(), {}))
                               : nullptr;
        const std::size_t count = items.rows.size();
        dragItems_ = std::move(items);
        itemDrag_.StartRows(sender, count, image);
    };
    itemDrag_.Carry(tree_.control());
    itemDrag_.Carry(list);
    itemDrag_.Session().onDragOver = [this](HWND target, POINT p) {
        if (target && target == tree_.control().hwnd())
            return diskDropTarget(p) != nullptr;
        return onDragOver && onDragOver(dragItems_, target, p);
    };
    itemDrag_.Session().onDrop = [this](HWND target, POINT p) {
        if (target && target == tree_.control().hwnd()) {
            // Asked again: the search may have started since the last move.
            if (Node* catalog = diskDropTarget(p))
                onMoveDisks(DraggedDisks(dragItems_), *catalog);
            return;
        }
        if (onDrop)
            onDrop(dragItems_, target, p);
    };
    itemDrag_.Session().onEnd = [this](bool) { dragItems_ = {}; };
    // A node going away ends any drag: its items may be among the freed.
    tree_.onRemoving = [this](Node&) { itemDrag_.Session().cancel(); };
    if (tree.hwnd() && list.hwnd())
        attach();
}

Node* BrowseViewsWin32::diskDropTarget(POINT clientPoint) {
    if (!onMoveDisks)
        return nullptr;
    bool onItem = false;
    Node* target = static_cast<Node*>(tree_.control().hitTest(clientPoint, &onItem));
    if (!onItem)
        return nullptr;
    return CanDropDisks(DraggedDisks(dragItems_), target, browser_->searchRunning()) ? target : nullptr;
}

BrowseViewsWin32::~BrowseViewsWin32() {
    itemDrag_.Session().cancel();
    tree_.onRemoving = nullptr;
    timer_.setEnabled(false);
    tree_.setBrowser(nullptr);
    list_.setBrowser(nullptr);
    ui::TExtListView& list = list_.control();
    list.OnColumnClick = nullptr;
    list.onDblClick = nullptr;
    list.onKeyDown = nullptr;
    list.onKeyUp = nullptr;
    list.OnEditing = nullptr;
    list.OnEdited = nullptr;
    list.onMouseDown = nullptr;
    list.onEnter = nullptr;
    list.OnStartDrag = nullptr;
}

void BrowseViewsWin32::attach() {
    tree_.control().setImageLists(smallImages_, nullptr);
    list_.control().SetSmallImages(smallImages_);
    list_.setColumnSet(true);
}

void BrowseViewsWin32::catalogOpened(Node& catalog) {
    AssignNodeImages(forest_, catalog, icons_);
    tree_.select(&catalog);
    tree_.expand(catalog);
}

void BrowseViewsWin32::listEnter() {
    // The list takes the focus with no focused row: row 0 gets it (and the
    // selection too, unless a mouse press brought the focus).
    const bool pressed = std::exchange(listPressed_, false);
    if (!browser_->items().empty() && list_.focusedRow() < 0)
        list_.focusRow(0, pressed);
    if (browser_->onCommandsChanged)
        browser_->onCommandsChanged(2);
}

void BrowseViewsWin32::start(unsigned milliseconds) {
    timer_.setEnabled(false);
    timer_.setInterval(milliseconds);
    timer_.setEnabled(true);
}

void BrowseViewsWin32::stop() { timer_.setEnabled(false); }

bool BrowseViewsWin32::running() const { return timer_.enabled(); }

void BrowseViewsWin32::showStatus(std::string_view text, bool busy) {
    if (onStatus)
        onStatus(text, busy);
}

void BrowseViewsWin32::processMessages() { ui::Application::instance().processMessages(); }

void BrowseViewsWin32::lockPainting(bool lock) {
    HWND list = list_.control().hwnd();
    if (lock && paintLocks_++ == 0 && list)
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    if (!lock && paintLocks_ > 0 && --paintLocks_ == 0 && list) {
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
}

}  // namespace kv
