#pragma once
// A catalog in memory with every kind of row the lists show:
//   catalog "Cat" (categories 1 "Music", 2 "Work"), disks "CD" (CD-ROM, 4 MB,
//   1 MB free, catalogued 2020-05-17 12:30) and "Floppy" (3.5", catalogued at
//   midnight); on CD: folder "Docs" with "Sub" below it, archive folder
//   "b.zip" holding "inner.txt", files "a.txt" and "c.txt" in Docs, "root.bin"
//   in the root; and the detached ".." node with its folder record.
#include <memory>
#include <string>

#include "base/DosDateTime.h"
#include "catalog/model/Forest.h"

namespace kv::test {

inline std::uint32_t Dos(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return encodeDosDateTime(DateTime{y, mo, d, h, mi, s});
}

template <class T>
T& Hang(Node& node) {
    auto rec = std::make_unique<T>();
    T& ref = *rec;
    (void)node.setRecord(std::move(rec));
    return ref;
}

struct BrowseFixture {
    Forest forest;
    Node* catalog;
    Node* cd;
    Node* floppy;
    Node* docs;
    Node* sub;
    Node* zip;
    Node* up;
    TFileRec* a;
    TFileRec* c;
    TFileRec* inner;
    TFileRec* rootFile;

    BrowseFixture() {
        catalog = &forest.addRoot("Cat");
        auto& cat = Hang<TCatalogRec>(*catalog);
        cat.categories = {{"Music", 1}, {"Work", 2}};

        cd = &forest.addChild(*catalog, "CD");
        auto& cdRec = Hang<TDiskRec>(*cd);
        cdRec.volume.mediaType = 10;
        cdRec.volume.bytesPerSector = 512;
        cdRec.volume.sectorsPerCluster = 8;
        cdRec.volume.totalClusters = 1024;  // 4 MB
        cdRec.volume.freeClusters = 256;    // 1 MB
        cdRec.volume.catalogued = 43968.5 + 0.0208333333333;  // 2020-05-17 12:30
        cdRec.label = "MYCD";
        cdRec.description = "Backup CD";

        floppy = &forest.addChild(*catalog, "Floppy");
        auto& fl = Hang<TDiskRec>(*floppy);
        fl.volume.mediaType = 2;
        fl.volume.catalogued = 43968;

        docs = &forest.addChild(*cd, "Docs");
        auto& docsRec = Hang<TFolderRec>(*docs);
        docsRec.stored.modified = Dos(2019, 3, 4, 10, 20, 30);
        docsRec.stored.attributes = 0x10;
        docsRec.stored.totalSize = FixedSize::fromBytes(6'000'000'000LL);
        docsRec.stored.category = 2;
        docsRec.description = "Documents";

        sub = &forest.addChild(*docs, "Sub");
        Hang<TFolderRec>(*sub);

        zip = &forest.addChild(*docs, "b.zip");
        auto& zipRec = Hang<TFolderRec>(*zip);
        zipRec.flags |= ItemFlags::Archive;
        zipRec.stored.totalSize = FixedSize::fromBytes(150);
        zipRec.stored.modified = Dos(2018, 1, 1, 8, 0, 0);
        inner = &zipRec.addFileFromFile("inner.txt");
        inner->flags |= ItemFlags::Archive;

        a = &docsRec.addFileFromFile("a.txt");
        a->stored = {0x21, 0, Dos(2020, 1, 2, 3, 4, 6), 0, 100, 1};
        a->description.assign("Alpha");
        c = &docsRec.addFileFromFile("c.txt");
        c->stored = {0x20, 0, Dos(2017, 6, 7, 23, 0, 0), 0, 200, 0};

        rootFile = &cdRec.addFileFromFile("root.bin");
        rootFile->stored.size = 1536;

        up = &forest.makeDetached("..");
        Hang<TFolderRec>(*up);
    }

    TFolderRec& rec(Node* n) { return *RecordAs<TFolderRec>(n->record()); }
    TDiskRec& disk(Node* n) { return *RecordAs<TDiskRec>(n->record()); }
    const ItemHead* upRec() const { return up->record(); }
};

}  // namespace kv::test
