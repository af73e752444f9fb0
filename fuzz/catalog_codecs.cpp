// Decodes catalog bytes the way the reader walks a file: header, category block,
// then each disk section with its file lists and folder records. Anything a
// decoder accepts must encode back to the very bytes it came from.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "base/BoundedReader.h"
#include "base/BufferedWriter.h"
#include "base/ByteSink.h"
#include "catalog/file/CatalogFormat.h"
#include "catalog/file/CatalogHeadCodec.h"
#include "catalog/file/DiskSectionCodec.h"
#include "catalog/file/ItemRecordCodec.h"
#include "catalog/file/SectionLayout.h"

namespace {

using namespace kv;
using Bytes = std::span<const std::uint8_t>;

template <class Encode>
void expectSameBytes(Bytes original, Encode encode) {
    MemorySink sink;
    {
        BufferedWriter out(sink, 256);
        encode(out);
        out.flush();
    }
    const auto& again = sink.bytes();
    if (again.size() != original.size() || std::memcmp(again.data(), original.data(), again.size()) != 0)
        std::abort();
}

Bytes consumed(Bytes data, std::size_t from, const BoundedReader& in) {
    return data.subspan(from, in.position() - from);
}

// One stored list, read as the loader reads it: records until its bytes are used up.
void readFileList(Bytes section, const FileListPlacement& list, std::uint64_t startBytes, std::int32_t treeOffset) {
    try {
        checkFileList(list, startBytes, treeOffset);
    } catch (const EInvalidCatalog&) {
        return;
    }
    if (list.empty()) return;
    BoundedReader in(section.subspan(static_cast<std::size_t>(list.offset), static_cast<std::size_t>(list.size)));
    try {
        while (!in.atEnd()) readFileRecord(in);
    } catch (const Error&) {
    }
}

void walkSection(BoundedReader& in, Bytes data) {
    const std::size_t sec = in.position();
    const StoredDiskStart disk = readDiskStart(in);
    expectSameBytes(consumed(data, sec, in), [&](BufferedWriter& out) {
        writeDiskStart(out, disk, (disk.flags & ItemFlags::FileBlock) != 0);
    });
    const std::uint64_t startBytes = in.position() - sec;
    checkSectionHeader(disk.header, startBytes, data.size() - sec);
    const Bytes section = data.subspan(sec, static_cast<std::size_t>(disk.header.sectionSize));
    readFileList(section, rootListOf(disk.header), startBytes, disk.header.folderTreeOffset);

    const std::size_t tree = sec + static_cast<std::size_t>(disk.header.folderTreeOffset);
    const std::size_t end = sec + section.size();
    while (in.position() < tree) {
        const std::size_t at = in.position();
        const StoredFileRecord file = readFileRecord(in);
        expectSameBytes(consumed(data, at, in), [&](BufferedWriter& out) { writeFileRecord(out, file); });
    }
    in.seek(tree);
    while (in.position() < end) {
        const std::size_t at = in.position();
        const FolderRecordHead head = readFolderRecordHead(in);
        if (head.depth % 2 == 0) {
            skipFolderRecordBody(in);
            continue;
        }
        const StoredFolderRecord folder = readFolderRecordBody(in);
        expectSameBytes(consumed(data, at, in), [&](BufferedWriter& out) {
            writeFolderRecord(out, head.flags, (head.flags & ItemFlags::FileBlock) != 0, head.depth, folder);
        });
        readFileList(section, fileListOf(folder.data), startBytes, disk.header.folderTreeOffset);
    }
    in.seek(end);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, size);
    BoundedReader in(bytes);
    try {
        readCatalogHead(in);
        const std::size_t at = in.position();
        const StoredCategories block = readCategoryBlock(in);
        // Count 255 with three empty names is written back as 0; every other form is canonical.
        const bool canonical = bytes[at] != 255 || !block.flagNames[0].empty() || !block.flagNames[1].empty() ||
                               !block.flagNames[2].empty();
        if (canonical)
            expectSameBytes(consumed(bytes, at, in), [&](BufferedWriter& out) { writeCategoryBlock(out, block); });
        while (!in.atEnd()) walkSection(in, bytes);
    } catch (const Error&) {
    }
    return 0;
}
