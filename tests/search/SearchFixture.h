#pragma once
// A real catalog read through the loader, searched through the program's host.
#include <algorithm>
#include <string>
#include <vector>

#include "catalog/file/CatalogLoad.h"
#include "search/engine/SearchEngine.h"
#include "search/engine/SyncSearchHost.h"
#include "tests/catalog/LoadFixtures.h"

namespace kv::test {

// The tree catalog: disk "Empty"; disk "Disk" with root.txt, A (a1, a2 "note"),
// A\A1, A\A1\A1a (deep), A\A2, and the archive folder B (b).
struct SearchFixture {
    Forest forest;
    TResultList results{ResultSlot::Search};
    TResultList duplicates{ResultSlot::Duplicates};
    ResultListSet lists;
    Node* catalog = nullptr;
    Node* disk = nullptr;

    explicit SearchFixture(const char* version = "1.01") {
        load::TreeCatalog t = load::MakeTreeCatalog();
        if (std::string(version) != "1.01") {
            // Same bytes, older format mark in the header.
            auto bytes = t.bytes.bytes();
            const std::string mark = "Catalog 1.01";
            auto at = std::search(bytes.begin(), bytes.end(), mark.begin(), mark.end());
            at[11] = '0';
            catalog = ReadCatalog(forest, load::MemoryReader(std::move(bytes)));
        } else {
            catalog = ReadCatalog(forest, load::MemoryReader(t.bytes.bytes()));
        }
        disk = catalog->child(1);
        lists.Attach(&results);
        lists.Attach(&duplicates);
        forest.context().resultLists = &lists;
    }

    ~SearchFixture() { forest.context().resultLists = nullptr; }

    Node* Folder(std::initializer_list<std::size_t> path) {
        Node* n = disk;
        for (std::size_t i : path) {
            LoadSubfolders(n);
            n = n->child(i);
        }
        return n;
    }

    static bool Loaded(const Node* n) { return RecordAs<FileOwnerRecord>(n->record())->loaded; }

    SearchScope Scope(const TSearchCriteria& c) {
        return CaptureSearchScope(forest, false, {}, {c.searchFiles, c.searchFolders, c.searchDisks}, cp1252CaseMap());
    }

    std::vector<std::string> Names(const TResultList& list) const {
        std::vector<std::string> names;
        for (ItemHead* item : list.Items())
            names.emplace_back(ItemName(*item));
        return names;
    }
};

}  // namespace kv::test
