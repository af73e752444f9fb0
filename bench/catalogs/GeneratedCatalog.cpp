#include "bench/catalogs/GeneratedCatalog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "base/ByteSink.h"
#include "base/CatalogDate.h"
#include "base/DosDateTime.h"
#include "catalog/file/CatalogWrite.h"
#include "catalog/model/ItemRecords.h"

namespace kv::bench {
namespace {

// splitmix64: small, fast and the same on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(next() % n); }

private:
    std::uint64_t state_;
};

constexpr std::string_view kWords[] = {"Photo", "report", "Letter", "setup", "Track", "invoice", "readme",
                                       "Backup", "notes",  "Scan",   "draft", "Movie", "budget",  "IMG"};
constexpr std::string_view kExtensions[] = {".jpg", ".txt", ".exe", ".doc", ".mp3", ".pdf", ".c", ".TXT", ""};
constexpr std::string_view kDescriptions[] = {"holiday pictures, summer", "tax papers 1998", "old drivers",
                                              "music from the summer party", "scanned letters", "keep this"};

std::uint32_t RandomDosDate(Random& random) {
    DateTime t{1995 + static_cast<int>(random.below(18)), 1 + static_cast<int>(random.below(12)),
               1 + static_cast<int>(random.below(28)), static_cast<int>(random.below(24)),
               static_cast<int>(random.below(60)), static_cast<int>(random.below(60))};
    return encodeDosDateTime(t);
}

// Mostly small files, some large ones, a few empty ones.
std::uint32_t RandomSize(Random& random) {
    switch (random.below(8)) {
    case 0: return 0;
    case 1: case 2: case 3: return random.below(4096);
    case 4: case 5: return random.below(1u << 20);
    case 6: return random.below(64u << 20);
    default: return random.below(2000u << 20);
    }
}

class Builder {
public:
    Builder(Forest& forest, const CatalogShape& shape) : forest_(forest), shape_(shape), random_(shape.seed) {}

    void addFiles(FileOwnerRecord& owner, std::uint32_t count) {
        bool described = false;
        for (std::uint32_t i = 0; i < count; ++i, ++fileNumber_) {
            std::string name(kWords[random_.below(std::size(kWords))]);
            name += ' ';
            name += std::to_string(fileNumber_);
            name += kExtensions[random_.below(std::size(kExtensions))];
            TFileRec& f = owner.addFileFromFile(name);
            f.stored.attributes = random_.below(10) == 0 ? 0x21 : 0x20;
            f.stored.modified = RandomDosDate(random_);
            f.stored.created = std::min(f.stored.modified, RandomDosDate(random_));
            f.stored.accessed = f.stored.modified & 0xFFFF0000u;
            f.stored.size = RandomSize(random_);
            if (fileNumber_ % kDescriptionEvery == 0) {
                f.description.assign(kDescriptions[(fileNumber_ / kDescriptionEvery) % std::size(kDescriptions)]);
                described = true;
            }
        }
        if (described)
            owner.flags |= ItemFlags::HasDescriptions;
    }

    Node& folder(Node& parent, std::string name, std::uint32_t files) {
        Node& node = forest_.addChild(parent, std::move(name));
        auto rec = std::make_unique<TFolderRec>();
        rec->stored.attributes = 0x10;
        rec->stored.modified = rec->stored.created = rec->stored.accessed = RandomDosDate(random_);
        addFiles(*rec, files);
        (void)node.setRecord(std::move(rec));
        return node;
    }

    std::uint32_t share(std::uint32_t slot) const { return remaining_ / slots_ + (slot < remaining_ % slots_ ? 1 : 0); }

    Node& build(const std::string& name) {
        const CatalogShape& s = shape_;
        if (s.disks == 0 || s.folders < 2 || std::uint64_t{s.bigFolderFiles} + s.smallFolderFiles > s.files)
            throw std::invalid_argument("the catalog shape cannot hold its two special folders");
        remaining_ = s.files - s.bigFolderFiles - s.smallFolderFiles;
        const std::uint32_t ordinary = s.folders - 2;
        slots_ = ordinary + s.disks;

        Node& catalog = forest_.addRoot(name);
        auto catalogRec = std::make_unique<TCatalogRec>();
        catalogRec->description = "Generated for the benchmarks";
        (void)catalog.setRecord(std::move(catalogRec));
        std::uint32_t slot = 0;
        std::uint32_t folderNumber = 0;
        for (std::uint32_t d = 0; d < s.disks; ++d) {
            Node& disk = forest_.addChild(catalog, "Disk " + std::to_string(d + 1));
            auto diskRec = std::make_unique<TDiskRec>();
            TDiskRec& dr = *diskRec;
            (void)disk.setRecord(std::move(diskRec));
            dr.label = "DISK" + std::to_string(d + 1);
            dr.fileSystem = "FAT32";
            dr.volume.mediaType = 5;
            dr.volume.bytesPerSector = 512;
            dr.volume.sectorsPerCluster = 64;
            dr.volume.maxNameLength = 255;
            dr.volume.totalClusters = 4000000;
            dr.volume.freeClusters = random_.below(4000000);
            dr.volume.catalogued = toCatalogDate(DateTime{2011, 1 + static_cast<int>(d % 12), 15, 12, 0, 0});
            dr.volume.serialNumber = static_cast<std::uint32_t>(random_.next());
            const std::uint64_t before = fileNumber_;
            addFiles(dr, share(slot++));

            const std::uint32_t own = ordinary / s.disks + (d < ordinary % s.disks ? 1 : 0);
            const auto tops = own == 0 ? 0u : static_cast<std::uint32_t>(std::ceil(std::sqrt(double(own))));
            std::vector<Node*> topNodes;
            for (std::uint32_t k = 0; k < own; ++k, ++folderNumber) {
                char text[32];
                std::snprintf(text, sizeof text, k < tops ? "Folder %04u" : "Sub %04u", folderNumber);
                Node& parent = k < tops ? disk : *topNodes[(k - tops) % tops];
                Node& f = folder(parent, text, share(slot++));
                if (k < tops)
                    topNodes.push_back(&f);
            }
            if (d == 0) {
                folder(disk, kBigFolderName, s.bigFolderFiles);
                folder(disk, kSmallFolderName, s.smallFolderFiles);
            }
            const std::uint32_t diskFolders = own + (d == 0 ? 2 : 0);
            dr.volume.folderCount = static_cast<std::uint16_t>(std::min<std::uint32_t>(diskFolders, 65535));
            dr.volume.fileCount = static_cast<std::uint32_t>(fileNumber_ - before);
            for (const auto& child : disk.children())
                SumSizes(*child);
        }
        return catalog;
    }

private:
    // The folder's stored total covers its files and every folder below it.
    static FixedSize SumSizes(Node& node) {
        auto* rec = RecordAs<TFolderRec>(node.record());
        FixedSize total;
        for (const auto& child : node.children())
            total += SumSizes(*child);
        for (const TFileRec* f = rec->files.first(); f; f = f->next())
            total += FixedSize::fromBytes(f->stored.size);
        rec->stored.totalSize = total;
        return total;
    }

    Forest& forest_;
    const CatalogShape& shape_;
    Random random_;
    std::uint64_t fileNumber_ = 0;
    std::uint32_t remaining_ = 0;
    std::uint32_t slots_ = 1;
};

}  // namespace

Node& BuildCatalog(Forest& forest, const std::string& name, const CatalogShape& shape) {
    return Builder(forest, shape).build(name);
}

std::uint64_t WriteGeneratedCatalog(const std::string& path, const std::string& name, const CatalogShape& shape) {
    Forest forest;
    Node& catalog = BuildCatalog(forest, name, shape);
    FileSink sink(path);
    EncodeCatalog(catalog, sink);
    sink.close();
    return shape.files;
}

}  // namespace kv::bench
