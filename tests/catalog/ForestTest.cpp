#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModelFixture.h"

namespace kv::test {
namespace {

class RecordingObserver : public ForestObserver {
public:
    std::vector<std::string> log;
    void added(Node& n) override { log.push_back("added " + n.text()); }
    void removing(Node& n) override {
        // Records still exist while the view lets go of the node.
        log.push_back("removing " + n.text() + (n.record() ? " with record" : ""));
    }
    void changed(Node& n, unsigned what) override { log.push_back("changed " + n.text() + " " + std::to_string(what)); }
    void reordered(Node* parent) override { log.push_back("reordered " + (parent ? parent->text() : "roots")); }
};

std::vector<std::string> Texts(const Node& parent) {
    std::vector<std::string> texts;
    for (const auto& child : parent.children())
        texts.push_back(child->text());
    return texts;
}

TEST(Forest, ObserverSeesEveryStructuralChange) {
    ModelFixture m;
    RecordingObserver seen;
    m.forest.setObserver(&seen);

    Node& x = m.forest.addChild(*m.a, "X");
    m.forest.setText(x, "Y");
    m.forest.setText(x, "Y");  // no change, no notice
    m.forest.setImages(x, 3, 4);
    m.forest.setBold(*m.catalog, true);
    m.forest.setChildrenHint(x, true);
    m.forest.sortChildren(m.a, [](const Node& l, const Node& r) { return l.text() > r.text(); });
    m.forest.remove(*m.a);
    m.forest.makeDetached("..");  // not part of the tree: the view never hears of it

    EXPECT_EQ(seen.log, (std::vector<std::string>{
                            "added X", "changed Y 1", "changed Y 2", "changed Cat 4", "changed Y 8",
                            "reordered A", "removing A with record"}));
    EXPECT_EQ(Texts(*m.disk), std::vector<std::string>{"A2"});
    EXPECT_EQ(m.a2->index(), 0u);
    EXPECT_EQ(m.disk->child(0)->nextSibling(), nullptr);
}

TEST(Forest, NodesKnowTheirPlace) {
    ModelFixture m;
    EXPECT_EQ(m.catalog->level(), 0);
    EXPECT_EQ(m.disk->level(), 1);
    EXPECT_EQ(m.c->level(), 4);
    EXPECT_EQ(m.a->nextSibling(), m.a2);
    EXPECT_EQ(m.a->index(), 0u);
    EXPECT_EQ(m.a2->index(), 1u);
    EXPECT_EQ(m.forest.roots().size(), 1u);
    EXPECT_TRUE(m.a->hasChildren());
    EXPECT_FALSE(m.a2->hasChildren());
    m.forest.setChildrenHint(*m.a2, true);
    EXPECT_TRUE(m.a2->hasChildren());
    EXPECT_EQ(ModelFixture::folderRec(*m.c).diskNode, m.disk);

    Node& up = m.forest.makeDetached("..");
    EXPECT_TRUE(up.isDetached());
    EXPECT_EQ(up.parent(), nullptr);
    EXPECT_EQ(up.nextSibling(), nullptr);
    EXPECT_EQ(m.forest.roots().size(), 1u);
    m.forest.remove(up);
}

TEST(Forest, SortingIsStableAndRenumbers) {
    ModelFixture m;
    for (const char* name : {"b2", "a", "b1", "c"})
        m.forest.addChild(*m.a2, name);
    m.forest.sortChildren(m.a2, [](const Node& l, const Node& r) { return l.text()[0] < r.text()[0]; });
    EXPECT_EQ(Texts(*m.a2), (std::vector<std::string>{"a", "b2", "b1", "c"}));
    for (std::size_t i = 0; i < m.a2->children().size(); ++i)
        EXPECT_EQ(m.a2->child(i)->index(), i);
}

TEST(Forest, RecordsKeepTheirAddressWhenMovedBetweenNodes) {
    ModelFixture m;
    TFolderRec& folder = ModelFixture::folderRec(*m.a);
    TFileRec* file = folder.files.first();
    folder.pathCache = "\\A";

    std::unique_ptr<ItemRecord> taken = m.a->takeRecord();
    EXPECT_EQ(taken.get(), &folder);
    EXPECT_EQ(m.a->record(), nullptr);
    EXPECT_EQ(folder.node, nullptr);
    EXPECT_EQ(file->node, nullptr);

    Forest other;
    Node& otherCatalog = other.addRoot("Other");
    Node& otherDisk = other.addChild(otherCatalog, "E");
    Attach(otherDisk, std::make_unique<TDiskRec>());
    Node& target = other.addChild(otherDisk, "Moved");
    EXPECT_EQ(target.setRecord(std::move(taken)), nullptr);
    EXPECT_EQ(target.record(), &folder);
    EXPECT_EQ(folder.node, &target);
    EXPECT_EQ(folder.diskNode, &otherDisk);
    EXPECT_EQ(folder.files.first(), file);
    EXPECT_EQ(file->node, &target);
    EXPECT_TRUE(folder.pathCache.empty());

    // Replacing hands back the old record, still alive.
    std::unique_ptr<ItemRecord> old = target.setRecord(std::make_unique<TFolderRec>());
    EXPECT_EQ(old.get(), &folder);
}

}  // namespace
}  // namespace kv::test
