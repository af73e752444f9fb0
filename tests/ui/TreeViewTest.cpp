#include <map>

#include "UiFixture.h"
#include "ui/Form.h"
#include "ui/TreeView.h"

namespace {

using namespace kv::ui;

struct FakeNode {
    std::string text;
    std::vector<FakeNode*> children;
    bool bold = false;
};

class TreeViewTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        root.children = {&a, &b};
        a.children = {&a1};
        b.bold = true;
        tree.textOf = [](TreeView::Node n) { return static_cast<FakeNode*>(n)->text; };
        tree.hasChildren = [](TreeView::Node n) { return !static_cast<FakeNode*>(n)->children.empty(); };
        tree.childrenOf = [this](TreeView::Node n) {
            ++childQueries;
            std::vector<TreeView::Node> v;
            for (FakeNode* c : static_cast<FakeNode*>(n)->children) v.push_back(c);
            return v;
        };
        tree.isBold = [](TreeView::Node n) { return static_cast<FakeNode*>(n)->bold; };
        form.setBounds(0, 0, 300, 300);
        tree.setBounds(0, 0, 280, 260);
        tree.create(&form);
        form.show();
        tree.setRoots({&root});
    }
    std::string itemText(TreeView::Node n) {
        char buf[64] = {};
        TVITEMA it{};
        it.mask = TVIF_TEXT | TVIF_HANDLE;
        it.hItem = tree.itemOf(n);
        it.pszText = buf;
        it.cchTextMax = sizeof buf;
        SendMessageA(tree.hwnd(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
        return buf;
    }

    FakeNode root{"Catalog", {}}, a{"Disk A", {}}, b{"Disk B", {}}, a1{"Folder", {}};
    Form form;
    TreeView tree;
    int childQueries = 0;
};

TEST_F(TreeViewTest, TextsAndChildrenComeFromTheModelWhenNeeded) {
    EXPECT_EQ(itemText(&root), "Catalog");
    EXPECT_EQ(childQueries, 0);  // nothing below until it expands
    EXPECT_FALSE(tree.itemOf(&a));
    tree.expand(&root);
    EXPECT_EQ(childQueries, 1);
    EXPECT_EQ(itemText(&a), "Disk A");
    EXPECT_TRUE(SendMessageA(tree.hwnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(tree.itemOf(&b)), TVIS_BOLD) &
                TVIS_BOLD);
    a.text = "Disk A (2)";
    tree.refresh(&a);
    EXPECT_EQ(itemText(&a), "Disk A (2)");
    tree.expand(&root);
    EXPECT_EQ(childQueries, 1);  // filled once

    std::vector<std::string> sorted;
    tree.sortChildren(&root, [](TreeView::Node x, TreeView::Node y) {
        return -static_cast<FakeNode*>(x)->text.compare(static_cast<FakeNode*>(y)->text);
    });
    auto first = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree.hwnd(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(tree.itemOf(&root))));
    EXPECT_EQ(first, tree.itemOf(&b));
}

TEST_F(TreeViewTest, SelectionEventAndVetoes) {
    std::vector<FakeNode*> changes;
    tree.onChange = [&](TreeView& s, TreeView::Node n) {
        EXPECT_EQ(&s, &tree);
        changes.push_back(static_cast<FakeNode*>(n));
    };
    tree.onExpanding = [&](TreeView&, TreeView::Node n, bool& allow) { allow = n != &a; };
    tree.expand(&root);
    tree.select(&a);
    EXPECT_EQ(tree.selected(), &a);
    EXPECT_EQ(changes, std::vector<FakeNode*>{&a});
    tree.expand(&a);
    EXPECT_FALSE(tree.expanded(&a));
    EXPECT_FALSE(tree.itemOf(&a1));

    tree.onEditing = [](TreeView&, TreeView::Node, bool& allow) { allow = false; };
    tree.setFocus();
    EXPECT_FALSE(SendMessageA(tree.hwnd(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(tree.itemOf(&a))));
}

TEST_F(TreeViewTest, ImagesHitTestAndLabelEditing) {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 4, 0);
    HIMAGELIST states = ImageList_Create(16, 16, ILC_COLOR24, 4, 0);
    tree.imageOf = [this](TreeView::Node n, bool selected) { return n == &root ? 0 : selected ? 2 : 1; };
    tree.setImageLists(images, states);
    tree.setRoots({&root});
    tree.expand(&root);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(tree.hwnd(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0)), images);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(tree.hwnd(), TVM_GETIMAGELIST, TVSIL_STATE, 0)), states);
    TVITEMA it{};
    it.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    it.hItem = tree.itemOf(&a);
    SendMessageA(tree.hwnd(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    EXPECT_EQ(it.iImage, 1);  // asked for through the callback

    const RECT r = tree.itemRect(&b);
    ASSERT_FALSE(IsRectEmpty(&r));
    bool onItem = false;
    EXPECT_EQ(tree.hitTest({r.left + 2, (r.top + r.bottom) / 2}, &onItem), &b);
    EXPECT_TRUE(onItem);
    EXPECT_EQ(tree.hitTest({270, 250}, &onItem), nullptr);
    EXPECT_FALSE(onItem);

    std::vector<TreeView::Node> editing;
    tree.onEditing = [&](TreeView&, TreeView::Node n, bool& allow) {
        editing.push_back(n);
        allow = true;
    };
    tree.editLabel(&b);
    EXPECT_EQ(editing, std::vector<TreeView::Node>{&b});
    EXPECT_TRUE(SendMessageA(tree.hwnd(), TVM_GETEDITCONTROL, 0, 0));
    SendMessageA(tree.hwnd(), TVM_ENDEDITLABELNOW, TRUE, 0);
    tree.setRoots({});
    ImageList_Destroy(images);
    ImageList_Destroy(states);
}

TEST_F(TreeViewTest, ModelChangesCollapseEventsAndDeletion) {
    std::vector<std::string> events;
    tree.onCollapsing = [&](TreeView&, TreeView::Node n, bool& allow) {
        events.push_back("collapsing " + static_cast<FakeNode*>(n)->text);
        allow = n != &b;
    };
    tree.onExpanded = [&](TreeView&, TreeView::Node n, bool expanded) {
        events.push_back((expanded ? "expanded " : "collapsed ") + static_cast<FakeNode*>(n)->text);
    };
    tree.onDeletion = [&](TreeView&, TreeView::Node n) { events.push_back("deleted " + static_cast<FakeNode*>(n)->text); };
    tree.expand(&root);
    // The user's collapse (Left on an expanded node); a collapse message sends no events.
    tree.select(&root);
    SendMessageA(tree.hwnd(), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_FALSE(tree.expanded(&root));
    tree.expand(&root);
    EXPECT_EQ(events, (std::vector<std::string>{"expanded Catalog", "collapsing Catalog", "collapsed Catalog"}));

    // A node added under a shown parent gets an item, in the model's order.
    FakeNode c{"Disk C", {}};
    root.children = {&c, &a, &b};
    tree.addNode(&root, &c);
    EXPECT_TRUE(tree.itemOf(&c));
    tree.arrangeChildren(&root);
    auto first = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree.hwnd(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(tree.itemOf(&root))));
    EXPECT_EQ(first, tree.itemOf(&c));
    // Below a parent not shown yet: no item until it expands.
    FakeNode a2{"Folder 2", {}};
    a.children.push_back(&a2);
    tree.addNode(&a, &a2);
    EXPECT_FALSE(tree.itemOf(&a2));

    events.clear();
    tree.beginUpdate();
    tree.removeNode(&a);
    tree.endUpdate();
    EXPECT_FALSE(tree.itemOf(&a));
    EXPECT_EQ(events, std::vector<std::string>{"deleted Disk A"});
}

}  // namespace
