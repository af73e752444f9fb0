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

}  // namespace
