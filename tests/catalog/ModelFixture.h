#pragma once
// A small catalog tree for the model tests, and result lists as plain vectors.
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalog/model/Forest.h"
#include "catalog/model/ResultLists.h"

namespace kv::test {

class FakeResultLists : public IResultLists {
public:
    std::vector<const ItemHead*> lists[3];
    bool exists[3] = {true, true, true};
    std::vector<ResultSlot> renumbered;

    std::vector<const ItemHead*>& of(ResultSlot s) { return lists[static_cast<int>(s)]; }

    // Appends the record and writes its index word, as the search does.
    void add(ResultSlot s, ItemHead& rec) {
        rec.indexWord(s) = ListIndexFor(of(s).size());
        of(s).push_back(&rec);
    }

    bool hasList(ResultSlot s) const override { return exists[static_cast<int>(s)]; }
    std::size_t size(ResultSlot s) const override { return lists[static_cast<int>(s)].size(); }
    const ItemHead* entry(ResultSlot s, std::size_t i) const override { return lists[static_cast<int>(s)][i]; }
    void clearEntry(ResultSlot s, std::size_t i) override { of(s)[i] = nullptr; }
    void renumber(ResultSlot s) noexcept override { renumbered.push_back(s); }
};

template <class T>
T& Attach(Node& node, std::unique_ptr<T> rec) {
    T& ref = *rec;
    std::unique_ptr<ItemRecord> old = node.setRecord(std::move(rec));
    return ref;
}

inline TFileRec& AddFile(FileOwnerRecord& owner, std::string_view name, bool fromFile = true) {
    return fromFile ? owner.addFileFromFile(name) : owner.addFile(MakeFileRec(name));
}

// Catalog "Cat" with disk "D" holding folders A\B\C and A2, one file in the
// root, two in A (from the file) and one in C (made by a scan).
struct ModelFixture {
    Forest forest;
    FakeResultLists lists;
    Node* catalog = nullptr;
    Node* disk = nullptr;
    Node* a = nullptr;
    Node* b = nullptr;
    Node* c = nullptr;
    Node* a2 = nullptr;

    ModelFixture() {
        forest.context().resultLists = &lists;
        catalog = &forest.addRoot("Cat");
        Attach(*catalog, std::make_unique<TCatalogRec>());
        disk = &forest.addChild(*catalog, "D");
        Attach(*disk, std::make_unique<TDiskRec>());
        a = &folder(*disk, "A");
        b = &folder(*a, "B");
        c = &folder(*b, "C");
        a2 = &folder(*disk, "A2");
        AddFile(diskRec(), "root.txt");
        AddFile(folderRec(*a), "a1.txt");
        AddFile(folderRec(*a), "a2.txt");
        AddFile(folderRec(*c), "c1.txt", false);
    }

    Node& folder(Node& parent, std::string name) {
        Node& n = forest.addChild(parent, std::move(name));
        Attach(n, std::make_unique<TFolderRec>());
        return n;
    }

    TCatalogRec& catalogRec() { return *RecordAs<TCatalogRec>(catalog->record()); }
    TDiskRec& diskRec() { return *RecordAs<TDiskRec>(disk->record()); }
    // The fixture's folder nodes carry folder records. No checked cast: its null
    // path makes GCC 12 warn about the atomic flags byte written through it.
    static TFolderRec& folderRec(Node& n) { return static_cast<TFolderRec&>(*n.record()); }
};

}  // namespace kv::test
