#pragma once
// The catalog tree and the item list as the main window hosts them: the
// host's two controls bound to the forest, the browser that drives them, the
// 500 ms refill timer and the status texts, wired together.
#include <functional>
#include <memory>
#include <string_view>

#include "shell/browse/CatalogBrowser.h"
#include "shell/browse/CatalogTreeWin32.h"
#include "shell/browse/DiskDrop.h"
#include "shell/browse/ItemListWin32.h"
#include "shell/browse/LocaleFormatsWin32.h"
#include "controls/ItemDrag.h"
#include "ui/Timer.h"

namespace kv {

class BrowseViewsWin32 : private RefillTimer, private BrowseStatus {
public:
    // smallImages: the image list of the icons' indexes (tree and list); may be
    // null. The controls are the host's, created or not; binding them to the
    // forest replaces their model callbacks until this is destroyed.
    BrowseViewsWin32(Forest& forest, const ItemIcons& icons, HIMAGELIST smallImages,
                     std::function<int(std::string_view fileName)> fileIcon, ui::TreeView& tree,
                     ui::TExtListView& list);
    ~BrowseViewsWin32() override;

    // Gives the controls the images and the first column set; the host calls it
    // once they have windows (the constructor does when they have them already).
    void attach();

    CatalogBrowser& browser() { return *browser_; }
    CatalogTreeWin32& tree() { return tree_; }
    ItemListWin32& list() { return list_; }

    // A catalog was opened: its node gets its pictures and is selected.
    void catalogOpened(Node& catalog);

    // Status texts ("Loading files...", busy) and their end (empty, not busy).
    std::function<void(std::string_view text, bool busy)> onStatus;
    // Asked first for every key in the tree (inTree) or the list; true: the
    // host ran the key's command and the key goes no further.
    std::function<bool(bool inTree, WORD key)> onCommandKey;
    // A file or catalog row was double-clicked or entered.
    std::function<void(const ItemHead& rec)> onRowAction;
    // The click beside the column headers (the columns setup).
    std::function<void()> onColumnsSetup;

    // Dragged disks dropped on another catalog's node move there; without a
    // handler the tree takes no drop.
    std::function<void(const std::vector<Node*>& disks, Node& catalog)> onMoveDisks;
    // Drags over other windows than the tree: the host says where they may drop.
    std::function<bool(const DragItems& items, HWND target, POINT clientPoint)> onDragOver;
    std::function<void(const DragItems& items, HWND target, POINT clientPoint)> onDrop;
    ui::DragSession& drag() { return itemDrag_.Session(); }
    const DragItems& dragItems() const { return dragItems_; }

private:
    // RefillTimer
    void start(unsigned milliseconds) override;
    void stop() override;
    bool running() const override;
    // BrowseStatus
    void showStatus(std::string_view text, bool busy) override;
    void processMessages() override;
    void lockPainting(bool lock) override;

    void listEnter();
    // The catalog node under a point of the tree that takes the dragged disks; null when none.
    Node* diskDropTarget(POINT clientPoint);

    Forest& forest_;
    const ItemIcons& icons_;
    HIMAGELIST smallImages_;
    CatalogTreeWin32 tree_;
    ItemListWin32 list_;
    ui::Timer timer_;
    CellFormats formats_;
    LocaleCollator collator_;
    int paintLocks_ = 0;
    bool listPressed_ = false;
    ui::ItemDrag itemDrag_;
    DragItems dragItems_;
    std::unique_ptr<CatalogBrowser> browser_;
};

}  // namespace kv
