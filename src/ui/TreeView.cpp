#include "ui/TreeView.h"

#include <cstdint>
#include <cstring>

#include "ui/CellText.h"
#include "ui/CommonControls.h"

namespace kv::ui {

TreeView::TreeView() {
    style_ |= WS_TABSTOP;
    exStyle_ |= WS_EX_CLIENTEDGE;
}

void TreeView::createParams(CreateArgs& args) {
    ensureCommonControls();
    Control::createParams(args);
    args.className = WC_TREEVIEWA;
    args.style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_EDITLABELS;
}

void TreeView::createWnd() {
    Control::createWnd();
    items_.clear();
    for (Node n : roots_) insert(TVI_ROOT, n);
}

HTREEITEM TreeView::insert(HTREEITEM parent, Node node) {
    TVINSERTSTRUCTA ins{};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = LPSTR_TEXTCALLBACKA;
    ins.item.iImage = imageOf ? I_IMAGECALLBACK : -1;
    ins.item.iSelectedImage = imageOf ? I_IMAGECALLBACK : -1;
    ins.item.cChildren = I_CHILDRENCALLBACK;
    ins.item.lParam = reinterpret_cast<LPARAM>(node);
    ins.item.stateMask = TVIS_BOLD;
    ins.item.state = isBold && isBold(node) ? TVIS_BOLD : 0;
    auto h = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
    if (h) items_[node] = h;
    return h;
}

void TreeView::fill(HTREEITEM item, Node node) {
    if (SendMessageA(hwnd(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))) return;
    if (!childrenOf) return;
    for (Node child : childrenOf(node)) insert(item, child);
}

TreeView::Node TreeView::nodeOf(HTREEITEM item) const {
    if (!item) return nullptr;
    TVITEMA it{};
    it.mask = TVIF_PARAM | TVIF_HANDLE;
    it.hItem = item;
    SendMessageA(hwnd(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    return reinterpret_cast<Node>(it.lParam);
}

HTREEITEM TreeView::itemOf(Node node) const {
    auto it = items_.find(node);
    return it == items_.end() ? nullptr : it->second;
}

void TreeView::setRoots(const std::vector<Node>& roots) {
    roots_ = roots;
    if (!hwnd()) return;
    items_.clear();
    SendMessageA(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    for (Node n : roots_) insert(TVI_ROOT, n);
}

TreeView::Node TreeView::selected() const {
    if (!hwnd()) return nullptr;
    return nodeOf(reinterpret_cast<HTREEITEM>(SendMessageA(hwnd(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TreeView::select(Node node) {
    if (HTREEITEM h = itemOf(node)) SendMessageA(hwnd(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(h));
}

void TreeView::expand(Node node) {
    if (HTREEITEM h = itemOf(node)) SendMessageA(hwnd(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(h));
}

bool TreeView::expanded(Node node) const {
    HTREEITEM h = itemOf(node);
    return h && (SendMessageA(hwnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(h), TVIS_EXPANDED) & TVIS_EXPANDED);
}

void TreeView::refresh(Node node) {
    HTREEITEM h = itemOf(node);
    if (!h) return;
    TVITEMA it{};
    it.mask = TVIF_HANDLE | TVIF_STATE | TVIF_TEXT | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    it.hItem = h;
    it.pszText = LPSTR_TEXTCALLBACKA;
    it.cChildren = I_CHILDRENCALLBACK;
    it.iImage = imageOf ? I_IMAGECALLBACK : -1;
    it.iSelectedImage = imageOf ? I_IMAGECALLBACK : -1;
    it.stateMask = TVIS_BOLD;
    it.state = isBold && isBold(node) ? TVIS_BOLD : 0;
    SendMessageA(hwnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

void TreeView::setStateImage(Node node, int index) {
    HTREEITEM h = itemOf(node);
    if (!h) return;
    TVITEMA it{};
    it.mask = TVIF_HANDLE | TVIF_STATE;
    it.hItem = h;
    it.stateMask = TVIS_STATEIMAGEMASK;
    it.state = INDEXTOSTATEIMAGEMASK(index);
    SendMessageA(hwnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

void TreeView::setImageLists(HIMAGELIST normal, HIMAGELIST state) {
    if (!hwnd()) return;
    SendMessageA(hwnd(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(normal));
    SendMessageA(hwnd(), TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(state));
}

RECT TreeView::itemRect(Node node, bool labelOnly) const {
    RECT r{};
    HTREEITEM item = itemOf(node);
    if (!hwnd() || !item) return r;
    // The message takes the item in the rectangle's first bytes.
    std::memcpy(&r, &item, sizeof item);
    if (!SendMessageA(hwnd(), TVM_GETITEMRECT, labelOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&r))) r = RECT{};
    return r;
}

TreeView::Node TreeView::hitTest(POINT point, bool* onItem) const {
    if (onItem) *onItem = false;
    if (!hwnd()) return nullptr;
    TVHITTESTINFO hit{};
    hit.pt = point;
    auto h = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (onItem) *onItem = h && (hit.flags & TVHT_ONITEM);
    return nodeOf(h);
}

TreeView::Node TreeView::stateIconAt(POINT point) const {
    if (!hwnd()) return nullptr;
    TVHITTESTINFO hit{};
    hit.pt = point;
    auto h = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return h && (hit.flags & TVHT_ONITEMSTATEICON) ? nodeOf(h) : nullptr;
}

void TreeView::editLabel(Node node) {
    if (HTREEITEM h = itemOf(node)) {
        SetFocus(hwnd());
        SendMessageA(hwnd(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(h));
    }
}

void TreeView::beginUpdate() {
    if (updates_++ == 0 && hwnd()) SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
}

void TreeView::endUpdate() {
    if (updates_ == 0 || --updates_ > 0 || !hwnd()) return;
    SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TreeView::addNode(Node parent, Node node) {
    if (!parent) {
        roots_.push_back(node);
        if (hwnd()) insert(TVI_ROOT, node);
        return;
    }
    if (!hwnd()) return;
    HTREEITEM h = itemOf(parent);
    if (!h) return;
    if (SendMessageA(hwnd(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(h)))
        insert(h, node);
    else
        refresh(parent);
}

void TreeView::removeNode(Node node) {
    std::erase(roots_, node);
    if (HTREEITEM h = itemOf(node)) SendMessageA(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(h));
}

void TreeView::arrangeChildren(Node parent) {
    std::vector<Node> order = parent ? (childrenOf ? childrenOf(parent) : std::vector<Node>{}) : roots_;
    std::unordered_map<Node, std::size_t> rank;
    for (std::size_t i = 0; i < order.size(); ++i) rank.emplace(order[i], i);
    sortChildren(parent, [&rank](Node a, Node b) {
        auto ra = rank.find(a), rb = rank.find(b);
        const std::size_t ia = ra == rank.end() ? SIZE_MAX : ra->second;
        const std::size_t ib = rb == rank.end() ? SIZE_MAX : rb->second;
        return ia < ib ? -1 : ia > ib ? 1 : 0;
    });
}

namespace {
struct SortContext {
    const std::function<int(TreeView::Node, TreeView::Node)>* compare;
};
int CALLBACK compareNodes(LPARAM a, LPARAM b, LPARAM ctx) {
    auto* c = reinterpret_cast<SortContext*>(ctx);
    return (*c->compare)(reinterpret_cast<TreeView::Node>(a), reinterpret_cast<TreeView::Node>(b));
}
}  // namespace

void TreeView::sortChildren(Node parent, const std::function<int(Node, Node)>& compare) {
    if (!hwnd()) return;
    HTREEITEM h = parent ? itemOf(parent) : TVI_ROOT;
    if (!h) return;
    SortContext ctx{&compare};
    TVSORTCB sort{h, compareNodes, reinterpret_cast<LPARAM>(&ctx)};
    SendMessageA(hwnd(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

LRESULT TreeView::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg != WM_NOTIFY) return Control::reflected(msg, wp, lp, handled);
    auto* hdr = reinterpret_cast<NMHDR*>(lp);
    handled = true;
    switch (hdr->code) {
    case TVN_GETDISPINFOA: {
        TVITEMA& it = reinterpret_cast<NMTVDISPINFOA*>(lp)->item;
        Node node = reinterpret_cast<Node>(it.lParam);
        if (it.mask & TVIF_TEXT) copyCellText(textOf ? textOf(node) : std::string(), it.pszText, it.cchTextMax);
        if (it.mask & TVIF_CHILDREN) it.cChildren = hasChildren && hasChildren(node) ? 1 : 0;
        if (it.mask & TVIF_IMAGE) it.iImage = imageOf ? imageOf(node, false) : -1;
        if (it.mask & TVIF_SELECTEDIMAGE) it.iSelectedImage = imageOf ? imageOf(node, true) : -1;
        return 0;
    }
    case TVN_ITEMEXPANDEDA: {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(lp);
        if (onExpanded) onExpanded(*this, reinterpret_cast<Node>(nm->itemNew.lParam), (nm->action & TVE_EXPAND) != 0);
        return 0;
    }
    case TVN_DELETEITEMA: {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(lp);
        Node node = reinterpret_cast<Node>(nm->itemOld.lParam);
        auto it = items_.find(node);
        if (it != items_.end() && it->second == nm->itemOld.hItem) items_.erase(it);
        if (onDeletion) onDeletion(*this, node);
        return 0;
    }
    case TVN_ITEMEXPANDINGA: {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(lp);
        Node node = reinterpret_cast<Node>(nm->itemNew.lParam);
        bool allow = true;
        if (!(nm->action & TVE_EXPAND)) {
            if (onCollapsing) onCollapsing(*this, node, allow);
            return allow ? FALSE : TRUE;
        }
        if (onExpanding) onExpanding(*this, node, allow);
        if (!allow) return TRUE;
        fill(nm->itemNew.hItem, node);
        return FALSE;
    }
    case TVN_SELCHANGEDA:
        if (onChange) onChange(*this, reinterpret_cast<Node>(reinterpret_cast<NMTREEVIEWA*>(lp)->itemNew.lParam));
        return 0;
    case TVN_BEGINLABELEDITA: {
        bool allow = true;
        if (onEditing) onEditing(*this, reinterpret_cast<Node>(reinterpret_cast<NMTVDISPINFOA*>(lp)->item.lParam), allow);
        return allow ? FALSE : TRUE;
    }
    case TVN_ENDLABELEDITA: {
        TVITEMA& it = reinterpret_cast<NMTVDISPINFOA*>(lp)->item;
        if (!it.pszText) return FALSE;  // edit cancelled
        std::string text = it.pszText;
        bool accept = true;
        if (onEdited) onEdited(*this, reinterpret_cast<Node>(it.lParam), text, accept);
        return accept ? TRUE : FALSE;
    }
    case TVN_BEGINDRAGA:
        if (onStartDrag) onStartDrag(*this, reinterpret_cast<Node>(reinterpret_cast<NMTREEVIEWA*>(lp)->itemNew.lParam));
        return 0;
    }
    handled = false;
    return Control::reflected(msg, wp, lp, handled);
}

}  // namespace kv::ui
