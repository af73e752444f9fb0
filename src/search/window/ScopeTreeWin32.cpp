#include "search/window/ScopeTreeWin32.h"

namespace kv {

namespace {

constexpr int kImageSize = 16;

}  // namespace

ScopeTreeWin32::ScopeTreeWin32() {
    view_.textOf = [](ui::TreeView::Node n) { return static_cast<Node*>(n)->text(); };
    view_.hasChildren = [this](ui::TreeView::Node n) {
        for (const auto& c : model_.Catalogs()) {
            if (c.node == n)
                return true;
        }
        return false;
    };
    view_.childrenOf = [this](ui::TreeView::Node n) {
        std::vector<ui::TreeView::Node> disks;
        for (const auto& c : model_.Catalogs()) {
            if (c.node == n) {
                for (const auto& d : c.disks)
                    disks.push_back(d.node);
            }
        }
        return disks;
    };
    view_.onMouseDown = [this](ui::Control&, ui::MouseButton button, UINT, int x, int y) {
        if (button != ui::MouseButton::Left)
            return;
        if (ui::TreeView::Node node = view_.stateIconAt({x, y}))
            UpdateTreeCheckState(static_cast<const Node*>(node));
    };
    view_.onKeyDown = [this](ui::Control&, WORD& key, UINT) {
        if (key == VK_SPACE && view_.selected()) {
            UpdateTreeCheckState(static_cast<const Node*>(view_.selected()));
            key = 0;
        }
    };
}

ScopeTreeWin32::~ScopeTreeWin32() {
    if (checkImages_)
        ImageList_Destroy(checkImages_);
}

void ScopeTreeWin32::Create(ui::Control& parent) {
    view_.create(&parent);
    MakeCheckImages();
    SendMessageA(view_.hwnd(), TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(checkImages_));
}

// Image 0 is never shown; 1 unchecked, 2 checked, 3 partly checked.
void ScopeTreeWin32::MakeCheckImages() {
    checkImages_ = ImageList_Create(kImageSize, kImageSize, ILC_COLOR24, 4, 0);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    const UINT kinds[] = {DFCS_BUTTONCHECK, DFCS_BUTTONCHECK, DFCS_BUTTONCHECK | DFCS_CHECKED,
                          DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE};
    for (UINT kind : kinds) {
        HBITMAP bmp = CreateCompatibleBitmap(screen, kImageSize, kImageSize);
        HGDIOBJ old = SelectObject(dc, bmp);
        RECT r{0, 0, kImageSize, kImageSize};
        FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
        RECT box{1, 1, kImageSize - 1, kImageSize - 1};
        DrawFrameControl(dc, &box, DFC_BUTTON, kind);
        SelectObject(dc, old);
        ImageList_Add(checkImages_, bmp, nullptr);
        DeleteObject(bmp);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

void ScopeTreeWin32::CreateCatalogTree(const Forest& forest) {
    model_.Build(forest);
    ShowTree();
}

void ScopeTreeWin32::CreateOwnCatalogTree(const Forest& forest, const Node* chosen) {
    model_.BuildOwn(forest, chosen);
    ShowTree();
}

void ScopeTreeWin32::ShowTree() {
    std::vector<ui::TreeView::Node> roots;
    for (const auto& c : model_.Catalogs())
        roots.push_back(c.node);
    view_.setRoots(roots);
    // Disks get their items, and so their check marks, when the catalog expands.
    for (const auto& c : model_.Catalogs())
        view_.expand(c.node);
    ShowStates();
}

void ScopeTreeWin32::ShowStates() {
    for (const auto& c : model_.Catalogs()) {
        view_.setStateImage(c.node, static_cast<int>(c.state));
        for (const auto& d : c.disks)
            view_.setStateImage(d.node, static_cast<int>(d.state));
    }
}

void ScopeTreeWin32::UpdateTreeCheckState(const Node* node) {
    if (mayToggle && !mayToggle())
        return;
    const auto& catalogs = model_.Catalogs();
    for (std::size_t i = 0; i < catalogs.size(); ++i) {
        if (catalogs[i].node == node) {
            model_.ToggleCatalog(i);
            break;
        }
        for (std::size_t j = 0; j < catalogs[i].disks.size(); ++j) {
            if (catalogs[i].disks[j].node == node)
                model_.ToggleDisk(i, j);
        }
    }
    ShowStates();
    if (changed)
        changed();
}

void ScopeTreeWin32::SetAll(bool in) {
    model_.SetAll(in);
    ShowStates();
    if (changed)
        changed();
}

void ScopeTreeWin32::EnableEntireCatalogTree() {
    model_.EnableEntireCatalogTree();
    ShowStates();
}

}  // namespace kv
