// ".CRP" custom report layouts: any text applies to a catalog tree without a
// fault, and the layout saved afterwards loads back to the same layout.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "catalog/model/Forest.h"
#include "search/reports/CustomLayout.h"

namespace {

kv::Node& Add(kv::Forest& forest, kv::Node& parent, const char* name, std::unique_ptr<kv::ItemRecord> rec) {
    kv::Node& node = forest.addChild(parent, name);
    (void)node.setRecord(std::move(rec));
    return node;
}

std::unique_ptr<kv::TDiskRec> Disk(std::uint32_t serial) {
    auto disk = std::make_unique<kv::TDiskRec>();
    disk->volume.serialNumber = serial;
    disk->volume.bytesPerSector = 512;
    disk->volume.sectorsPerCluster = 4;
    disk->volume.totalClusters = 2847;
    disk->addFileFromFile("root.txt");
    return disk;
}

std::unique_ptr<kv::TFolderRec> Folder(bool files) {
    auto folder = std::make_unique<kv::TFolderRec>();
    if (files)
        folder->addFileFromFile("a.txt");
    return folder;
}

// Two catalogs, each with two disks that are copies of one medium; folders
// three deep. The catalogs hold different media: a layout names disks, not
// catalogs, so a medium in both would not round-trip.
kv::Forest& Catalogs() {
    static kv::Forest* forest = [] {
        auto* f = new kv::Forest;
        std::uint32_t serial = 0x950CDE9A;
        for (const char* name : {"Home", "Work"}) {
            kv::Node& catalog = f->addRoot(name);
            ++serial;
            (void)catalog.setRecord(std::make_unique<kv::TCatalogRec>());
            kv::Node& cd = Add(*f, catalog, "CD", Disk(serial));
            Add(*f, catalog, "CD copy", Disk(serial));
            kv::Node& photos = Add(*f, cd, "Photos, 2004", Folder(true));
            kv::Node& raw = Add(*f, photos, "Raw", Folder(false));
            Add(*f, raw, "Deep", Folder(true));
            Add(*f, cd, "Setup", Folder(false));
        }
        return f;
    }();
    return *forest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kv::ReadLayoutLine(text);
    kv::CustomTree tree{kv::CatalogLoaders{}};
    tree.BuildReportTree(Catalogs());
    kv::ApplyLayoutText(tree, text);
    const std::string saved = kv::SaveLayoutText(tree);
    kv::CustomTree again{kv::CatalogLoaders{}};
    again.BuildReportTree(Catalogs());
    if (kv::ApplyLayoutText(again, saved).notFound || kv::SaveLayoutText(again) != saved)
        std::abort();
    return 0;
}
