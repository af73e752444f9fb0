#pragma once
// Real folder trees for the scan tests, a stored ZIP writer, and a catalog
// in memory that can be written and read back.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "base/ByteSink.h"
#include "base/ByteSource.h"
#include "base/ReadAhead.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/file/CatalogWrite.h"
#include "catalog/model/Forest.h"
#include "catalog/model/ItemRecords.h"
#include "tests/support/TempDir.h"

namespace kv::test {

namespace fs = std::filesystem;

inline void PutFile(const fs::path& path, const std::string& bytes,
                    fs::file_time_type when = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400)) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    fs::last_write_time(path, when);
}

inline std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A ZIP of stored members (name, content), all dated 2001-02-03 04:05:06.
inline std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& members,
                             const std::string& comment = "") {
    std::string out, central;
    auto le16 = [](std::string& s, std::uint32_t v) { s += char(v & 0xFF); s += char((v >> 8) & 0xFF); };
    auto le32 = [&](std::string& s, std::uint32_t v) { le16(s, v & 0xFFFF); le16(s, v >> 16); };
    const std::uint32_t time = (4 << 11) | (5 << 5) | 3, date = ((2001 - 1980) << 9) | (2 << 5) | 3;
    for (const auto& [name, data] : members) {
        const std::uint32_t offset = static_cast<std::uint32_t>(out.size());
        le32(out, 0x04034b50); le16(out, 10); le16(out, 0); le16(out, 0); le16(out, time); le16(out, date);
        le32(out, Crc32(data)); le32(out, data.size()); le32(out, data.size());
        le16(out, name.size()); le16(out, 0);
        out += name + data;
        le32(central, 0x02014b50); le16(central, 20); le16(central, 10); le16(central, 0); le16(central, 0);
        le16(central, time); le16(central, date); le32(central, Crc32(data)); le32(central, data.size());
        le32(central, data.size()); le16(central, name.size()); le16(central, 0); le16(central, 0);
        le16(central, 0); le16(central, 0); le32(central, 0x20); le32(central, offset);
        central += name;
    }
    const std::uint32_t at = static_cast<std::uint32_t>(out.size());
    out += central;
    le32(out, 0x06054b50); le16(out, 0); le16(out, 0); le16(out, members.size()); le16(out, members.size());
    le32(out, central.size()); le32(out, at); le16(out, comment.size());
    return out + comment;
}

// One line per disk, folder and file below a node, in name order: what a scan
// produced, compared whole.
inline void DumpNode(const Node& node, const std::string& path, std::string& out) {
    auto line = [&](const std::string& kind, const std::string& p, unsigned flags, unsigned attr, std::uint64_t size,
                    std::uint32_t modified, unsigned category, const std::string& desc) {
        out += kind + " " + p + " flags=" + std::to_string(flags) + " attr=" + std::to_string(attr) +
               " size=" + std::to_string(size) + " mod=" + std::to_string(modified) +
               " cat=" + std::to_string(category) + " desc=" + desc + "\n";
    };
    if (const auto* d = RecordAs<TDiskRec>(node.record())) {
        const VolumeData& v = d->volume;
        out += "DISK " + node.text() + " flags=" + std::to_string(d->flags) + " files=" + std::to_string(v.fileCount) +
               " members=" + std::to_string(v.archiveMemberCount) + " folders=" + std::to_string(v.folderCount) +
               " skip=" + std::to_string(v.skipFlags) + " total=" + std::to_string(v.totalClusters) +
               " free=" + std::to_string(v.freeClusters) + " other=" + std::to_string(d->otherClusters) +
               " desc=" + d->description + "\n";
    } else if (const auto* f = RecordAs<TFolderRec>(node.record())) {
        line("FOLDER", path, f->flags, f->stored.attributes, static_cast<std::uint64_t>(f->stored.totalSize.raw),
             f->stored.modified, f->stored.category | (f->stored.reserved << 8), f->description);
    }
    if (const auto* owner = RecordAs<FileOwnerRecord>(node.record())) {
        LoadFileList(const_cast<Node*>(&node));
        std::vector<std::string> lines;
        for (const TFileRec& file : owner->files) {
            std::string one;
            std::swap(one, out);
            line("FILE", path + "\\" + std::string(file.name()), file.flags, file.stored.attributes, file.stored.size,
                 file.stored.modified, file.stored.category, file.description.str());
            std::swap(one, out);
            lines.push_back(one);
        }
        std::sort(lines.begin(), lines.end());
        for (const auto& l : lines) out += l;
    }
    LoadSubfolders(const_cast<Node*>(&node));
    for (const auto& child : node.children()) DumpNode(*child, path + "\\" + child->text(), out);
}

inline std::string Dump(const Node& disk) {
    std::string out;
    DumpNode(disk, "", out);
    return out;
}

inline std::vector<std::uint8_t> Encode(Node& catalog) {
    MemorySink sink;
    EncodeCatalog(catalog, sink);
    return sink.take();
}

inline Node& Reopen(Forest& forest, std::vector<std::uint8_t> bytes) {
    return *ReadCatalog(forest, MakeReader(std::make_unique<TReadAheadStream>(
                                    std::make_unique<MemorySource>(std::move(bytes)), "scan.ctf")));
}

inline Node& NewCatalog(Forest& forest) {
    Node& cat = forest.addRoot("Cat");
    (void)cat.setRecord(std::make_unique<TCatalogRec>());
    return cat;
}

inline Node* DiskNamed(Node& catalog, const std::string& name) {
    for (const auto& d : catalog.children())
        if (d->text() == name) return d.get();
    return nullptr;
}

}  // namespace kv::test
