#include "scan/DescExport.h"

#include "base/Errors.h"
#include "base/text/AnsiCase.h"
#include "base/text/TextLines.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/ItemPath.h"
#include "catalog/model/ItemRecords.h"
#include "scan/DescriptIonFile.h"
#include "scan/FileIdDiz.h"
#include "system/SystemCaseMap.h"

namespace kv {

namespace {

constexpr std::uint32_t kHiddenArchive = 0x22;
constexpr std::uint32_t kPlain = 0x20;

bool IsArchiveFolder(const Node& node) {
    const auto* folder = RecordAs<TFolderRec>(node.record());
    return folder && HasFlag(folder->flags, ItemFlags::Archive);
}

const std::string* DescriptionOf(const Node& node) {
    if (auto* folder = RecordAs<TFolderRec>(node.record())) return &folder->description;
    if (auto* disk = RecordAs<TDiskRec>(node.record())) return &disk->description;
    return nullptr;
}

const TCatalogRec* CatalogOf(const Node& node) {
    const Node* n = &node;
    while (n->parent()) n = n->parent();
    return RecordAs<TCatalogRec>(n->record());
}

}  // namespace

void ExistingDescriptions::add(std::string_view name, std::string_view description) {
    entries_.try_emplace(upperCase(name, systemCaseMap()), std::string(name), std::string(description));
}

bool ExistingDescriptions::take(std::string_view name, std::string& description) {
    auto it = entries_.find(upperCase(name, systemCaseMap()));
    if (it == entries_.end()) return false;
    description = std::move(it->second.second);
    entries_.erase(it);
    return true;
}

LineLimits DescriptionExporter::limits() const {
    LineLimits l;
    if (options_.limitLineLength && options_.maxChars > 0) l.maxChars = static_cast<std::size_t>(options_.maxChars);
    if (options_.limitNumberLines && options_.maxLines > 0) l.maxLines = static_cast<std::size_t>(options_.maxLines);
    return l;
}

std::string DescriptionExporter::folderPath(const Node& node) const {
    const std::string root =
        options_.mediumRoot.empty() ? std::string(1, options_.driveLetter) + ":" : options_.mediumRoot;
    std::string path = root + GetItemPath(node.record(), true, true);
    while (path.size() > 2 && path.back() == '\\') path.pop_back();
    return path;
}

void DescriptionExporter::exportNode(Node& node) {
    if (IsArchiveFolder(node)) return;
    const bool isFolder = RecordAs<TFolderRec>(node.record()) != nullptr;
    if (!isFolder && !RecordAs<TDiskRec>(node.record())) return;
    LoadSubfolders(&node);
    const std::string folder = folderPath(node);
    if (options_.format == DescFileFormat::FileIdDiz)
        writeFileIdDiz(node, folder);
    else
        writeFolderDescFile(node, folder);
    if (!options_.subfolders) return;
    for (std::size_t i = 0; i < node.children().size(); ++i) exportNode(*node.child(i));
}

void DescriptionExporter::readExisting(const std::string& target) {
    existing_.clear();
    if (!files_.Exists(target)) return;
    try {
        auto source = files_.OpenRead(target);
        DescLineReader lines(*source);
        std::string name, description;
        if (options_.format == DescFileFormat::DescriptIon) {
            while (!lines.atEnd())
                if (ReadDescriptLine(lines, name, description) && !name.empty())
                    existing_.add(name, TrimLines(description));
        } else {
            FilesBbsReader reader(lines);
            while (reader.next(name, description)) {
                std::string text = TrimLines(description);
                if (!name.empty() && !text.empty()) existing_.add(name, text);
            }
        }
    } catch (const Error&) {
        // What was read so far is kept; reading stops at the first error.
    }
}

void DescriptionExporter::writeEntry(std::string& out, std::string_view name, std::string description) {
    std::string kept;
    if (existing_.take(name, kept) && options_.keepExisting) description = std::move(kept);
    appendEntry(out, name, description);
}

void DescriptionExporter::appendEntry(std::string& out, std::string_view name, std::string_view description) const {
    if (description.empty()) return;
    if (options_.format == DescFileFormat::DescriptIon) {
        out += FormatDescriptEntry(name, description);
        out += "\r\n";
        return;
    }
    for (const std::string& line : FormatFilesBbsEntry(name, description, limits())) {
        out += line;
        out += "\r\n";
    }
}

void DescriptionExporter::writeFolderDescFile(Node& node, const std::string& folder) {
    const bool descriptIon = options_.format == DescFileFormat::DescriptIon;
    const std::string target = JoinPath(folder, descriptIon ? "Descript.ion" : "Files.bbs");
    readExisting(target);

    std::string out;
    for (const auto& child : node.children()) {
        if (const auto* sub = RecordAs<TFolderRec>(child->record()); sub && !sub->description.empty())
            writeEntry(out, child->text(), sub->description);
    }
    auto* owner = RecordAs<FileOwnerRecord>(node.record());
    const TCatalogRec* catalog = CatalogOf(node);
    const bool currentFormat = catalog && catalog->currentFormat;
    if (owner && (!currentFormat || HasFlag(owner->flags, ItemFlags::HasDescriptions))) {
        LoadFileList(&node);
        for (const TFileRec& file : owner->files)
            if (!file.description.empty()) writeEntry(out, file.name(), file.description.str());
    }
    existing_.forEach([&](const std::string& name, const std::string& description) {
        appendEntry(out, name, description);
    });
    existing_.clear();
    replaceFile(folder, target, out, descriptIon);
}

void DescriptionExporter::writeFileIdDiz(Node& node, const std::string& folder) {
    const std::string* description = DescriptionOf(node);
    if (!description || description->empty()) return;
    const std::string target = JoinPath(folder, "File_id.diz");
    if (options_.keepExisting && files_.Exists(target)) return;
    replaceFile(folder, target, FormatFileIdDiz(*description, limits()), false);
}

void DescriptionExporter::replaceFile(const std::string& folder, const std::string& target, const std::string& text,
                                      bool hidden) {
    const bool had = files_.Exists(target);
    const std::uint32_t oldAttributes = had ? files_.FileAttributes(target) : 0;
    if (text.empty()) {
        if (had) {
            files_.SetAttributes(target, kPlain);
            files_.Erase(target);
        }
        return;
    }
    std::string temp;
    try {
        temp = files_.CreateTempFile(folder, "kvd");
    } catch (const EIoError&) {
        return;  // not writable here (a CD-ROM, an archive folder): passed over
    }
    try {
        auto sink = files_.OpenOutput(temp);
        sink->write(text.data(), text.size());
        sink->close();
    } catch (...) {
        files_.Remove(temp);
        throw;
    }
    // Windows refuses to replace a hidden, system or read-only file.
    if (had) files_.SetAttributes(target, kPlain);
    if (files_.MoveReplace(temp, target) != FsStatus::Ok) {
        files_.Remove(temp);
        if (had) files_.SetAttributes(target, oldAttributes);
        throw EIoError("Cannot replace \"" + target + "\"");
    }
    if (hidden) files_.SetAttributes(target, kHiddenArchive);
}

}  // namespace kv
