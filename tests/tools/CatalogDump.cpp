#include "CatalogDump.h"

#include <algorithm>
#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "base/BoundedReader.h"
#include "catalog/file/CatalogHeadCodec.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/Forest.h"

namespace kv::tools {

namespace {

// Collects the reader's reports instead of showing them.
class CollectingPrompt final : public ui::UserPrompt {
public:
    ui::PromptAnswer ask(const ui::PromptRequest& request) override {
        messages += request.text + "\n";
        return ui::PromptAnswer::Ok;
    }
    std::string messages;
};

std::string Escaped(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            s += hex;
        } else {
            s += static_cast<char>(c);
        }
    }
    return s;
}

std::string Quoted(std::string_view text) { return "\"" + Escaped(text) + "\""; }

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

// Outside the record: the version characters and whether the category block has a count byte.
struct RawHead {
    std::string version;
    bool hasFlagNames = false;
};

RawHead PeekHead(TReadAheadStream& stream) {
    RawHead raw;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min<std::uint64_t>(stream.Size(), 16384)));
    stream.Seek(0);
    bytes.resize(stream.Read(bytes.data(), bytes.size()));
    try {
        BoundedReader in(bytes);
        StoredCatalogHead head = readCatalogHead(in);
        raw.version = std::string(head.version.text());
        raw.hasFlagNames = in.u8() != 0;
    } catch (const Error&) {
    }
    return raw;
}

std::uint8_t DumpFlags(std::uint8_t flags) { return flags & 0x9F; }

void DumpFiles(const FileOwnerRecord& owner, const std::string& path, std::string& out) {
    for (const TFileRec& f : owner.files) {
        const StoredFile& s = f.stored;
        out += "FILE path=\"" + path + "\\" + Escaped(f.name()) + "\"";
        out += Format(" attr=0x%02X created=0x%08" PRIX32 " modified=0x%08" PRIX32 " accessed=0x%08" PRIX32
                      " size=%" PRIu32 " cat=0x%02X",
                      s.attributes, s.created, s.modified, s.accessed, s.size, s.category);
        out += " desc=" + Quoted(f.description.view()) + "\n";
    }
}

void DumpFolder(Node& node, const std::string& parentPath, std::string& out, ui::UserPrompt& prompt) {
    LoadFileList(&node, &prompt);
    const auto& rec = *static_cast<const TFolderRec*>(node.record());
    const std::string path = parentPath + "\\" + Escaped(node.text());
    const StoredFolder& s = rec.stored;
    out += "FOLDER path=\"" + path + "\"";
    out += Format(" flags=0x%02X attr=0x%02X created=0x%08" PRIX32 " modified=0x%08" PRIX32
                  " accessed=0x%08" PRIX32 " total=%" PRId64 " res=%u cat=0x%02X",
                  DumpFlags(rec.flags), s.attributes, s.created, s.modified, s.accessed, s.totalSize.raw,
                  s.reserved, s.category);
    out += " desc=" + Quoted(rec.description) + "\n";
    DumpFiles(rec, path, out);
    LoadSubfolders(&node, false, false, &prompt);
    for (const auto& child : node.children()) DumpFolder(*child, path, out, prompt);
}

void DumpDisk(Node& node, std::string& out, ui::UserPrompt& prompt) {
    LoadSubfolders(&node, false, false, &prompt);
    LoadFileList(&node, &prompt);
    const auto& d = *static_cast<const TDiskRec*>(node.record());
    const VolumeData& v = d.volume;
    out += "DISK name=" + Quoted(node.text());
    out += Format(" flags=0x%02X media=%u skip=%u res=%u bps=%" PRIu32 " spc=%" PRIu32 " maxname=%" PRIu32
                  " files=%" PRIu32 " members=%" PRIu32 " folders=%u clusters=%" PRIu32 " free=%" PRIu32,
                  DumpFlags(d.flags), v.mediaType, v.skipFlags, v.reserved[0] | (v.reserved[1] << 8),
                  v.bytesPerSector, v.sectorsPerCluster, v.maxNameLength, v.fileCount, v.archiveMemberCount,
                  v.folderCount, v.totalClusters, v.freeClusters);
    out += Format(" date=%.17g serial=0x%08" PRIX32 " res2=%u", v.catalogued, v.serialNumber, v.reserved2);
    out += " label=" + Quoted(d.label) + " fs=" + Quoted(d.fileSystem) + " vpath=" + Quoted(d.virtualPath);
    out += Format(" other=%" PRIu32, d.otherClusters);
    out += " desc=" + Quoted(d.description) + "\n";
    DumpFiles(d, "", out);
    for (const auto& child : node.children()) DumpFolder(*child, "", out, prompt);
}

}  // namespace

std::string DumpCatalog(ReaderPtr reader, std::string& out) {
    CollectingPrompt prompt;
    const RawHead raw = PeekHead(*reader);
    Forest forest;
    try {
        Node* catalogNode = ReadCatalog(forest, std::move(reader));
        const auto& c = *static_cast<const TCatalogRec*>(catalogNode->record());
        out += "CATALOG version=" + raw.version + " name=" + Quoted(catalogNode->text()) +
               " desc=" + Quoted(c.description) + "\n";
        for (const CategoryEntry& e : c.categories)
            out += Format("CATEGORY code=%u name=", e.code) + Quoted(e.name) + "\n";
        if (raw.hasFlagNames)
            out += "FLAGS 1=" + Quoted(c.flagNames[0]) + " 2=" + Quoted(c.flagNames[1]) +
                   " 3=" + Quoted(c.flagNames[2]) + "\n";
        for (const auto& disk : catalogNode->children()) DumpDisk(*disk, out, prompt);
    } catch (const Error& e) {
        prompt.messages += std::string(e.what()) + "\n";
    }
    return prompt.messages;
}

}  // namespace kv::tools
