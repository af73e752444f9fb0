#pragma once
// Catalogs for the loading tests, built byte by byte, and readers over bytes in memory.
#include <memory>
#include <string>
#include <vector>

#include "CatalogBytes.h"
#include "base/ByteSource.h"
#include "base/ReadAhead.h"

namespace kv::test::load {

using test::CatalogBytes;

inline ReaderPtr MemoryReader(std::vector<std::uint8_t> bytes, std::size_t bufferSize = 16384) {
    return MakeReader(std::make_unique<TReadAheadStream>(std::make_unique<MemorySource>(std::move(bytes)),
                                                         "C:\\mem.cat", bufferSize));
}

// One folder record to place: its depth, name and files (name, description).
struct FolderPlan {
    int depth;
    std::string name;
    std::vector<std::pair<std::string, std::string>> files;
    std::uint8_t flags = 0x02;
};

// One disk: its root files and folders in pre-order. Lists are written first, then the
// folder tree, as the program writes them; the words are filled in at the end.
struct DiskLayout {
    std::size_t sectionStart = 0;
    std::vector<std::size_t> folderRecords;
    std::vector<std::int32_t> listOffsets;  // per folder, -1 for none
};

inline DiskLayout AddDisk(CatalogBytes& b, const std::string& name,
                          const std::vector<std::pair<std::string, std::string>>& rootFiles,
                          const std::vector<FolderPlan>& folders, std::uint8_t flags = 0x03) {
    using W = CatalogBytes::Word;
    DiskLayout layout;
    const std::size_t sec = layout.sectionStart = b.beginDisk(flags);
    CatalogBytes::Disk disk;
    disk.name = name;
    disk.label = "LBL";
    disk.fileSystem = "FAT";
    disk.isVirtual = (flags & 0x80) != 0;
    b.diskStart(disk);
    struct List {
        std::int32_t offset = -1, size = -1;
        std::uint32_t count = 0, descriptionBytes = 0;
    };
    auto writeList = [&](const std::vector<std::pair<std::string, std::string>>& files) {
        List l;
        if (files.empty()) return l;
        l.offset = b.offset(sec);
        std::uint32_t n = 1;
        for (const auto& [file, description] : files) {
            b.fileRecord(file, {0x20, n, n + 1, n + 2, 100 * n, 0}, description);
            l.descriptionBytes += static_cast<std::uint32_t>(2 + description.size());
            ++l.count;
            ++n;
        }
        l.size = b.offset(sec) - l.offset;
        return l;
    };
    const List root = writeList(rootFiles);
    std::vector<List> lists;
    for (const FolderPlan& f : folders) lists.push_back(writeList(f.files));
    const std::int32_t tree = b.offset(sec);
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const List& l = lists[i];
        StoredFolder stored{l.offset, l.size, l.count, l.descriptionBytes, FixedSize::fromBytes(0)};
        layout.folderRecords.push_back(b.folderRecord(folders[i].flags, static_cast<std::uint8_t>(folders[i].depth),
                                                      folders[i].name, stored));
        layout.listOffsets.push_back(l.offset);
    }
    b.word(sec, W::SectionSize, b.offset(sec)).word(sec, W::FolderTreeOffset, tree);
    b.word(sec, W::RootListOffset, root.offset).word(sec, W::RootListSize, root.size);
    b.word(sec, W::RootFileCount, static_cast<std::int32_t>(root.count));
    b.word(sec, W::RootDescriptionBytes, static_cast<std::int32_t>(root.descriptionBytes));
    return layout;
}

// The tree A(1) A1(2) A1a(3) A2(2) B(1) with a few files, on one disk after an empty one.
struct TreeCatalog {
    CatalogBytes bytes;
    DiskLayout disk;
};

inline TreeCatalog MakeTreeCatalog() {
    TreeCatalog t;
    t.bytes.head("Tree", "", "1.01").categoryBlock();
    AddDisk(t.bytes, "Empty", {}, {});
    using Files = std::vector<std::pair<std::string, std::string>>;
    std::vector<FolderPlan> folders;
    folders.push_back(FolderPlan{1, "A", Files{{"a1", ""}, {"a2", "note"}}});
    folders.push_back(FolderPlan{2, "A1", Files{}});
    folders.push_back(FolderPlan{3, "A1a", Files{{"deep", ""}}});
    folders.push_back(FolderPlan{2, "A2", Files{}});
    folders.push_back(FolderPlan{1, "B", Files{{"b", ""}}, 0x12});
    t.disk = AddDisk(t.bytes, "Disk", Files{{"root.txt", ""}}, folders);
    return t;
}

}  // namespace kv::test::load
