#pragma once
// Records of every kind a result window can hold, in a small catalog: a
// catalog, a disk, a folder, an archive folder of a supported type, a plain
// file and a member of that archive.
#include <string_view>

#include "tests/catalog/ModelFixture.h"

namespace kv::test {

struct ItemKindRecords {
    ModelFixture model;
    ItemHead* catalog = nullptr;
    ItemHead* disk = nullptr;
    ItemHead* folder = nullptr;
    ItemHead* zipFolder = nullptr;
    ItemHead* file = nullptr;
    ItemHead* member = nullptr;

    ItemKindRecords() {
        Node& zip = model.folder(*model.a, "pack.zip");
        zip.record()->flags |= ItemFlags::Archive;
        member = &AddFile(ModelFixture::folderRec(zip), "in.txt");
        member->flags |= ItemFlags::Archive;
        file = &AddFile(ModelFixture::folderRec(*model.a), "plain.txt");
        zipFolder = zip.record();
        folder = model.b->record();
        disk = model.disk->record();
        catalog = model.catalog->record();
    }
};

// Only ZIP archives can be extracted.
inline bool ZipOnly(std::string_view name) { return name.ends_with(".zip"); }

}  // namespace kv::test
