#include "scan/descassist/DescFiles.h"

#include <algorithm>

#include "base/text/AnsiCase.h"
#include "base/text/OemBox.h"
#include "base/text/Wildcard.h"
#include "catalog/model/ItemPath.h"
#include "scan/ArchiveTypes.h"
#include "system/SystemCaseMap.h"

namespace kv {

namespace {

void searchNode(Node& node, const DescFileSearch& search, const std::vector<std::string>& masks, int level,
                const std::string& prefix, std::vector<DescFileEntry>& found) {
    if (search.loadNode)
        search.loadNode(node);
    auto* owner = RecordAs<FileOwnerRecord>(node.record());
    if (!owner)
        return;
    // A member is usable only when its archive can be read back out.
    const bool inArchive = HasFlag(owner->flags, ItemFlags::Archive) && RecordAs<TFolderRec>(owner);
    const bool usable = !inArchive || IsSupportedArchive(node.text());
    if (usable) {
        for (TFileRec& file : owner->files) {
            for (std::size_t p = 0; p < masks.size(); ++p) {
                if (!MatchWildcard(file.name(), masks[p], systemCaseMap()))
                    continue;
                found.push_back({prefix + std::string(file.name()), &file, p});
                break;
            }
        }
    }
    if (!search.subfolders || level >= search.maxLevels)
        return;
    for (const auto& child : node.children()) {
        const std::string childPrefix = (prefix.empty() ? std::string(".\\") : prefix) + child->text() + "\\";
        searchNode(*child, search, masks, level + 1, childPrefix, found);
    }
}

}  // namespace

std::vector<DescFileEntry> SearchDescFiles(Node& start, const DescFileSearch& search) {
    std::vector<std::string> masks;
    for (const std::string& pattern : search.patterns)
        if (!pattern.empty()) masks.push_back(upperCase(pattern, systemCaseMap()));
    std::vector<DescFileEntry> found;
    searchNode(start, search, masks, 0, "", found);
    std::stable_sort(found.begin(), found.end(),
                     [](const DescFileEntry& a, const DescFileEntry& b) { return a.pattern < b.pattern; });
    return found;
}

DescFileLocation LocateDescFile(const TFileRec& file) {
    DescFileLocation where;
    where.name = std::string(file.name());
    Node* owner = file.node;
    // A member's owner is its archive (or a folder inside it): the archive is
    // the nearest folder with the flag whose parent is not one.
    Node* archive = nullptr;
    for (Node* n = owner; n; n = n->parent()) {
        const auto* folder = RecordAs<TFolderRec>(n->record());
        if (!folder || !HasFlag(folder->flags, ItemFlags::Archive))
            break;
        archive = n;
    }
    if (archive) {
        where.inArchive = true;
        where.archivePath = GetItemPath(archive->record(), true, true);
        where.folderPath = GetItemPath(archive->record(), false, true);
    } else {
        where.folderPath = owner ? GetItemPath(owner->record(), true, true) : std::string("\\");
    }
    if (where.folderPath == "\\")
        where.folderPath.clear();
    return where;
}

std::string DescFileText(std::string_view bytes, bool convert) {
    const bool tooLong = bytes.size() > kDescFileShowLimit;
    std::string text(bytes.substr(0, kDescFileShowLimit));
    std::replace(text.begin(), text.end(), '\0', '\xFF');
    if (convert)
        OemBoxToAscii(text);
    if (tooLong)
        text += std::string("\r\n\r\n") + kDescTooLong;
    return text;
}

}  // namespace kv
