#pragma once
// One description of a catalog that gives both its reference bytes (pushed by
// CatalogBytes, independent of the program's writer) and the same catalog
// built in memory as a scan would make it. Saving the model must give the bytes.
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "CatalogBytes.h"
#include "catalog/model/Forest.h"

namespace kv::test {

struct FilePlan {
    std::string name;
    StoredFile data;
    std::string description;
};

struct FolderPlan {
    std::string name;
    std::uint8_t flags = ItemFlags::Folder;
    StoredFolder data;  // the list words are computed
    std::string description;
    std::vector<FilePlan> files;
    std::vector<FolderPlan> children;
};

struct DiskPlan {
    CatalogBytes::Disk start;
    std::uint8_t flags = ItemFlags::NewDisk;
    std::vector<FilePlan> files;
    std::vector<FolderPlan> folders;
};

struct CatalogPlan {
    std::string name;
    std::string description;
    std::vector<CatalogBytes::Category> categories;
    std::array<std::string, 3> flagNames;
    std::vector<DiskPlan> disks;
};

// The reference bytes. No cuts: texts must fit their limits.
inline std::vector<std::uint8_t> BytesOf(const CatalogPlan& plan) {
    using W = CatalogBytes::Word;
    CatalogBytes b;
    b.head(plan.name, plan.description).categoryBlock(plan.categories, plan.flagNames);
    for (const DiskPlan& disk : plan.disks) {
        const std::size_t sec = b.beginDisk(disk.flags);
        b.diskStart(disk.start);

        struct Placed { std::int32_t offset = -1, size = -1; std::uint32_t count = 0, descriptions = 0; };
        auto writeList = [&](const std::vector<FilePlan>& files) {
            Placed p;
            if (files.empty()) return p;
            p.offset = b.offset(sec);
            for (const FilePlan& f : files) {
                b.fileRecord(f.name, f.data, f.description);
                p.descriptions += static_cast<std::uint32_t>(2 + f.description.size());
            }
            p.size = b.offset(sec) - p.offset;
            p.count = static_cast<std::uint32_t>(files.size());
            return p;
        };
        const Placed root = writeList(disk.files);
        std::vector<Placed> lists;
        auto pass1 = [&](auto& self, const std::vector<FolderPlan>& folders) -> void {
            for (const FolderPlan& f : folders) {
                lists.push_back(writeList(f.files));
                self(self, f.children);
            }
        };
        pass1(pass1, disk.folders);
        const std::int32_t tree = b.offset(sec);
        std::size_t i = 0;
        auto pass2 = [&](auto& self, const std::vector<FolderPlan>& folders, std::uint8_t depth) -> void {
            for (const FolderPlan& f : folders) {
                StoredFolder d = f.data;
                const Placed& p = lists[i++];
                d.fileListOffset = p.offset;
                d.fileListSize = p.size;
                d.fileCount = p.count;
                d.descriptionBytes = p.descriptions;
                b.folderRecord(f.flags, depth, f.name, d, f.description);
                self(self, f.children, static_cast<std::uint8_t>(depth + 1));
            }
        };
        pass2(pass2, disk.folders, 1);
        b.word(sec, W::SectionSize, b.offset(sec)).word(sec, W::FolderTreeOffset, tree);
        b.word(sec, W::RootListOffset, root.offset).word(sec, W::RootListSize, root.size);
        b.word(sec, W::RootFileCount, static_cast<std::int32_t>(root.count));
        b.word(sec, W::RootDescriptionBytes, static_cast<std::int32_t>(root.descriptions));
    }
    return b.bytes();
}

// The catalog built in memory: every disk new (changed, never saved), every list made by a scan.
inline Node& ModelOf(Forest& forest, const CatalogPlan& plan) {
    Node& catalog = forest.addRoot(plan.name);
    auto cat = std::make_unique<TCatalogRec>();
    cat->description = plan.description;
    for (const auto& c : plan.categories) cat->categories.push_back({c.name, c.code});
    cat->flagNames = plan.flagNames;
    cat->modified = true;
    (void)catalog.setRecord(std::move(cat));

    auto addFiles = [](FileOwnerRecord& owner, const std::vector<FilePlan>& files) {
        for (const FilePlan& f : files) {
            TFileRec& rec = owner.addFile(MakeFileRec(f.name));
            rec.stored = f.data;
            rec.description.assign(f.description);
        }
    };
    for (const DiskPlan& d : plan.disks) {
        Node& diskNode = forest.addChild(catalog, d.start.name);
        auto disk = std::make_unique<TDiskRec>();
        TDiskRec& rec = *disk;
        (void)diskNode.setRecord(std::move(disk));
        rec.flags = d.flags;
        rec.volume = d.start.volume;
        rec.label = d.start.label;
        rec.fileSystem = d.start.fileSystem;
        rec.virtualPath = d.start.virtualPath;
        rec.otherClusters = d.start.otherClusters;
        rec.description = d.start.description;
        addFiles(rec, d.files);
        auto addFolders = [&](auto& self, Node& parent, const std::vector<FolderPlan>& folders) -> void {
            for (const FolderPlan& f : folders) {
                Node& n = forest.addChild(parent, f.name);
                auto folder = std::make_unique<TFolderRec>();
                TFolderRec& fr = *folder;
                (void)n.setRecord(std::move(folder));
                fr.flags = f.flags;
                fr.stored = f.data;
                fr.description = f.description;
                addFiles(fr, f.files);
                self(self, n, f.children);
            }
        };
        addFolders(addFolders, diskNode, d.folders);
    }
    return catalog;
}

inline // The flags a reader leaves on owners whose lists it loaded: 0x40 (a block read
// from the file) with files, 0x08 when one of them has a description.
CatalogPlan AsLoaded(CatalogPlan c) {
    auto flagsFor = [](std::uint8_t& flags, const std::vector<FilePlan>& files) {
        if (!files.empty()) flags |= ItemFlags::FileBlock;
        for (const FilePlan& f : files)
            if (!f.description.empty()) flags |= ItemFlags::HasDescriptions;
    };
    auto mark = [&](auto& self, std::vector<FolderPlan>& folders) -> void {
        for (FolderPlan& f : folders) {
            flagsFor(f.flags, f.files);
            self(self, f.children);
        }
    };
    for (DiskPlan& d : c.disks) {
        flagsFor(d.flags, d.files);
        mark(mark, d.folders);
    }
    return c;
}

// A random catalog for round trips: a few disks, folders up to `maxDepth` deep,
// names, descriptions, virtual disks, empty lists and folders without files.
inline CatalogPlan RandomCatalog(std::uint32_t seed, int maxDepth = 4) {
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto text = [&](int maxLen) {
        std::string s(static_cast<std::size_t>(pick(0, maxLen)), ' ');
        for (char& c : s) c = static_cast<char>(pick(0x20, 0xFE));
        return s;
    };
    auto files = [&](int max) {
        std::vector<FilePlan> v(static_cast<std::size_t>(pick(0, max)));
        for (FilePlan& f : v) {
            f.name = text(12) + "." + text(3);
            f.data = {static_cast<std::uint8_t>(pick(0, 255)), static_cast<std::uint32_t>(rng()),
                      static_cast<std::uint32_t>(rng()), static_cast<std::uint32_t>(rng()),
                      static_cast<std::uint32_t>(rng()), static_cast<std::uint8_t>(pick(0, 255))};
            if (pick(0, 3) == 0) f.description = text(40);
        }
        return v;
    };
    CatalogPlan c;
    c.name = text(20);
    c.description = text(30);
    for (int i = pick(0, 3); i > 0; --i) c.categories.push_back({text(10), static_cast<std::uint8_t>(pick(1, 31))});
    if (pick(0, 1)) c.flagNames[static_cast<std::size_t>(pick(0, 2))] = text(8);
    auto folders = [&](auto& self, int depth) -> std::vector<FolderPlan> {
        std::vector<FolderPlan> v;
        if (depth > maxDepth) return v;
        for (int i = pick(0, 3); i > 0; --i) {
            FolderPlan f;
            f.name = text(15);
            f.flags = static_cast<std::uint8_t>(ItemFlags::Folder | (pick(0, 1) ? ItemFlags::Archive : 0) |
                                                (pick(0, 1) ? ItemFlags::HasDescriptions : 0));
            f.data.totalSize = FixedSize::fromRaw(static_cast<std::int64_t>(rng()) * 10000);
            f.data.attributes = static_cast<std::uint8_t>(pick(0, 255));
            f.data.created = static_cast<std::uint32_t>(rng());
            f.data.modified = static_cast<std::uint32_t>(rng());
            f.data.accessed = static_cast<std::uint32_t>(rng());
            f.data.reserved = static_cast<std::uint8_t>(pick(0, 1));
            f.data.category = static_cast<std::uint8_t>(pick(0, 255));
            if (pick(0, 2) == 0) f.description = text(50);
            f.files = files(4);
            f.children = self(self, depth + 1);
            v.push_back(std::move(f));
        }
        return v;
    };
    for (int i = pick(0, 3); i > 0; --i) {
        DiskPlan d;
        d.start.name = text(12);
        d.start.volume.mediaType = static_cast<std::uint8_t>(pick(0, 15));
        d.start.volume.bytesPerSector = 512;
        d.start.volume.sectorsPerCluster = static_cast<std::uint32_t>(pick(1, 64));
        d.start.volume.totalClusters = static_cast<std::uint32_t>(rng());
        d.start.volume.fileCount = static_cast<std::uint32_t>(pick(0, 1000));
        d.start.volume.folderCount = static_cast<std::uint16_t>(pick(0, 1000));
        d.start.volume.catalogued = 40000.25 + pick(0, 9999);
        d.start.volume.serialNumber = static_cast<std::uint32_t>(rng());
        d.start.label = text(11);
        d.start.fileSystem = "FAT32";
        d.start.description = pick(0, 1) ? text(60) : "";
        d.flags = ItemFlags::NewDisk;
        if (pick(0, 3) == 0) {
            d.flags |= ItemFlags::VirtualDisk;
            d.start.isVirtual = true;
            d.start.virtualPath = "\\" + text(10) + "\\";
            d.start.otherClusters = static_cast<std::uint32_t>(pick(0, 5000));
        }
        d.files = files(5);
        d.folders = folders(folders, 1);
        c.disks.push_back(std::move(d));
    }
    return c;
}

}  // namespace kv::test
