// The scanner's archive half: listing an archive's members into an archive
// folder, moving unchanged archives of the replaced disk, and the description
// sources inside archives.
#include <algorithm>
#include <limits>

#include "archive/ArcLister.h"
#include "archive/TempExtraction.h"
#include "base/Errors.h"
#include "base/text/AnsiCase.h"
#include "base/text/NameCase.h"
#include "base/text/OemBox.h"
#include "base/text/TextLines.h"
#include "catalog/file/CatalogLoad.h"
#include "scan/DescImport.h"
#include "scan/ScanState.h"
#include "system/SystemCaseMap.h"

namespace kv {

namespace {

// The lister's stand-in for a comment it cannot read: never a description.
constexpr std::string_view kEncryptedComment = "Archive Comment encrypted";

// Cancel and the window stay alive inside an archive of many members.
constexpr std::uint32_t kMembersPerCheck = 256;

std::string Upper(std::string_view s) { return upperCase(s, systemCaseMap()); }

// Paths as keys: one separator, no case.
std::string Key(std::string_view path) {
    std::string k = Upper(path);
    std::replace(k.begin(), k.end(), '/', '\\');
    return k;
}

std::string FileNamePart(const std::string& path) {
    const std::size_t at = path.find_last_of("\\/");
    return at == std::string::npos ? path : path.substr(at + 1);
}

// Equal without regard to case, with no text built.
bool SameNoCase(std::string_view a, std::string_view b) {
    const CaseMap& map = systemCaseMap();
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return map.toUpper(x) == map.toUpper(y); });
}

}  // namespace

// The folder's own entry for a volume file the lister named.
const FolderEntry* DiskScanner::ListedEntry(const FolderState& st, const std::string& fileName) {
    if (!st.entries) return nullptr;
    for (const FolderEntry& e : *st.entries)
        if ((e.attributes & kAttrDirectory) == 0 && (SameNoCase(e.name, fileName) || SameNoCase(e.pathName, fileName)))
            return &e;
    return nullptr;
}

bool DiskScanner::quickMove(Node& node, FolderState& st, const FolderEntry& entry, const std::string& name) {
    Node* oldNode = st.oldNode;
    if (!oldNode) return false;
    if (!st.quickIndexBuilt) {
        if (RecordAs<TFolderRec>(oldNode->record())) LoadSubfolders(oldNode);
        for (const auto& c : oldNode->children()) st.quickIndex.try_emplace(Upper(c->text()), c.get());
        st.quickIndexBuilt = true;
    }
    auto it = st.quickIndex.find(Upper(name));
    if (it == st.quickIndex.end()) return false;
    Node* old = it->second;
    const auto* rec = RecordAs<TFolderRec>(old->record());
    // Only an archive folder: a plain folder of that name would lose its subfolders.
    if (!rec || !HasFlag(rec->flags, ItemFlags::Archive) || rec->stored.modified != entry.modified ||
        rec->stored.totalSize != FixedSize::fromBytes(static_cast<std::int64_t>(entry.size)))
        return false;
    LoadFileList(old);
    Node& fresh = node.forest().addChild(node, old->text());
    node.forest().setImages(fresh, old->image(), old->selectedImage());
    moved_.emplace_back(old, &fresh);
    (void)fresh.setRecord(old->takeRecord());
    const auto& moved = *RecordAs<TFolderRec>(fresh.record());
    st.clusters += clusterCount(entry.size);
    TDiskRec& d = disk();
    d.volume.archiveMemberCount = Saturated32(std::uint64_t{d.volume.archiveMemberCount} + moved.files.size());
    d.volume.fileCount = Saturated32(std::uint64_t{d.volume.fileCount} + 1);
    if (auto* parent = RecordAs<TFolderRec>(node.record())) parent->stored.totalSize += moved.stored.totalSize;
    return true;
}

bool DiskScanner::scanArchive(Node& node, FolderState& st, const FolderEntry& entry, const std::string& name,
                              const std::string& archivePath) {
    const std::string key = Key(archivePath);
    if (st.scannedArchives.count(key)) {
        // A later part of a set already listed: counted with the set.
        TDiskRec& d = disk();
        d.volume.fileCount = Saturated32(std::uint64_t{d.volume.fileCount} + 1);
        st.clusters += clusterCount(entry.size);
        if (auto* parent = RecordAs<TFolderRec>(node.record()))
            parent->stored.totalSize += FixedSize::fromBytes(static_cast<std::int64_t>(entry.size));
        return true;
    }
    services_.progress.SetDirLabel(archivePath);
    if (options_.archiveQuickScan && options_.browseArchives && quickMove(node, st, entry, name)) return true;

    const int type = GetArchiveType(name);
    const ArchiveTypeRow* row = ArchiveTypeInfo(type);
    ArchiveState a;
    a.parent = &node;
    a.entry = &entry;
    a.path = archivePath;
    a.importComment = row && row->hasComment && options_.importComment;
    if (archivePath.size() >= 2 && archivePath[1] == ':') a.drive = Upper(archivePath.substr(0, 2));

    bool failed = false;
    lister_->OnError = nullptr;
    lister_->OnRead = [&](arc::ArchiveReader&, std::uint64_t, int) { listMember(a, st); };
    try {
        // The folder listing already gave the date and attributes: the open is the only query.
        lister_->SetArchiveFile(archivePath, entry);
        lister_->SetFileSpec("*.*");
        a.keepCase = lister_->ArcType() == arc::atTAR || lister_->ArcType() == arc::atGZip;
        a.cab = lister_->ArcType() == arc::atCAB;
        lister_->Activate();
    } catch (const EAbort&) {
        failed = true;
    } catch (const std::exception&) {
        failed = true;
    }
    lister_->OnRead = nullptr;
    if (failed || a.memberCount == 0) {
        // Every node of a failed set goes, and its volumes are files again.
        for (Node* n : a.volumeNodes) {
            if (const auto* rec = RecordAs<FileOwnerRecord>(n->record())) carry_.forget(*rec);
            node.forest().remove(*n);
        }
        for (const std::string& k : a.volumeKeys) st.scannedArchives.erase(k);
        a.volumeKeys.clear();
        a.volumeNodes.clear();
        a.archiveNode = nullptr;
    }
    checkAbort();
    services_.progress.SetDirLabel(archivePath.substr(0, archivePath.find_last_of("\\/")));
    const bool listed = !failed && a.memberCount > 0;
    if (listed) {
        TDiskRec& d = disk();
        d.volume.fileCount = Saturated32(std::uint64_t{d.volume.fileCount} + 1);
        d.volume.archiveMemberCount = Saturated32(std::uint64_t{d.volume.archiveMemberCount} + a.memberCount);
        for (Node* n : a.volumeNodes) {
            auto* rec = RecordAs<TFolderRec>(n->record());
            rec->stored.fileCount = Saturated32(rec->files.size());
            if (n == a.volumeNodes.front()) {
                st.clusters += clusterCount(static_cast<std::uint64_t>(rec->stored.totalSize.bytes()));
                if (auto* parent = RecordAs<TFolderRec>(node.record())) parent->stored.totalSize += rec->stored.totalSize;
            }
        }
    }
    if (IsArchiveTypeEnabled(options_.archiveEnabled, type) && IsSupportedArchive(name)) {
        try {
            archiveDescSources(st, a, archivePath, type);
        } catch (const EAbort&) {
            throw;
        } catch (const std::exception&) {
            // A description source that fails is passed over.
        }
    }
    return listed;
}

void DiskScanner::listMember(ArchiveState& a, FolderState& st) {
    arc::TArcLister& lister = *lister_;
    const arc::ArcMember& m = lister.Current;
    if (a.importComment) {
        a.comment = lister.ArchiveComment;
        if (a.comment.rfind(kEncryptedComment, 0) == 0) a.comment.clear();
        a.importComment = false;
    }
    if (++a.seen % kMembersPerCheck == 0) {
        pump();
        checkAbort();
    }
    if (!options_.browseArchives) return;
    if (std::any_of(m.FileName.begin(), m.FileName.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }))
        return;
    // Folder entries: Windows sets 0x10 among other bits, Info-ZIP on Unix
    // keeps the mode in the high half, and some only end the name in "\".
    if ((m.ExternalAttr & 0x10) || m.FileName.empty() || m.FileName.back() == '\\') return;

    // The stored name is the one text made per member.
    std::string name = m.FileName;
    if (!a.drive.empty() && name.size() >= 2 && name[1] == ':' && SameNoCase(std::string_view(name).substr(0, 2), a.drive))
        name.erase(0, 2);
    if (!a.keepCase) LowerIfAllUpper(name, systemCaseMap());
    const bool topLevel = name.find('\\') == std::string::npos;
    if (topLevel) {
        if (SameNoCase(name, "FILE_ID.DIZ")) a.dizMember = m.FileName;
        if (options_.archiveDescOnly) return;
        if (SameNoCase(name, "FILES.BBS")) a.bbsMember = m.FileName;
        if (SameNoCase(name, "DESCRIPT.ION")) a.descriptMember = m.FileName;
    } else if (options_.archiveDescOnly) {
        return;
    }

    // Only a move to another volume of the set can need a new node.
    const std::string& volumeFile = lister.CurrentVolumeFile.empty() ? a.path : lister.CurrentVolumeFile;
    if (!a.archiveNode || volumeFile != a.volumeFile) {
        a.volumeFile = volumeFile;
        std::string volumeName = FileNamePart(volumeFile);
        LowerIfAllUpper(volumeName, systemCaseMap());
        if (!a.archiveNode || !SameNoCase(a.archiveNode->text(), volumeName)) addVolumeNode(a, st, volumeName);
    }
    ++a.memberCount;

    auto* folder = RecordAs<TFolderRec>(a.archiveNode->record());
    if (a.cab && a.previousVolumeNode) {
        if (a.previousNames.count(name)) return;
        a.previousVolumeNode = nullptr;
        a.previousNames.clear();
    }
    TFileRec& file = folder->addFile(MakeFileRec(name));
    SetFlag(file.flags, ItemFlags::Archive, true);
    file.stored.attributes = static_cast<std::uint8_t>(m.ExternalAttr);
    file.stored.size = Saturated32(m.UnpackedSize64);
    file.stored.modified = m.DosDate;
    file.stored.created = m.FileCRC;
    file.stored.accessed = Saturated32(m.PackedSize64);
    if (!m.FileComment.empty()) {
        std::string text = TrimLines(m.FileComment);
        OemBoxToAscii(text);
        SetItemDescription(file, text);
    }
    carry_.apply(file);
}

void DiskScanner::addVolumeNode(ArchiveState& a, FolderState& st, std::string volumeName) {
    const std::string& volume = a.volumeFile;
    // A later volume as the listing spells it (the lister makes up its name's case).
    const FolderEntry* listed = a.volumeNodes.empty() ? a.entry : ListedEntry(st, volumeName);
    if (listed) {
        volumeName = listed->name;
        LowerIfAllUpper(volumeName, systemCaseMap());
    }
    Forest& forest = a.parent->forest();
    if (a.archiveNode) {
        a.previousVolumeNode = a.archiveNode;
        // Members continued from the previous cabinet are known by name.
        a.previousNames.clear();
        if (const auto* prev = RecordAs<TFolderRec>(a.archiveNode->record()))
            for (const TFileRec& f : prev->files) a.previousNames.emplace(f.name());
    }
    Node& n = forest.addChild(*a.parent, volumeName);
    auto rec = std::make_unique<TFolderRec>();
    SetFlag(rec->flags, ItemFlags::Archive, true);
    if (listed) {
        rec->stored.attributes = static_cast<std::uint8_t>(listed->attributes);
        rec->stored.totalSize = FixedSize::fromBytes(static_cast<std::int64_t>(listed->size));
        rec->stored.created = listed->created;
        rec->stored.modified = listed->modified;
        rec->stored.accessed = listed->accessed;
    } else {
        IFileSystem& files = services_.files;
        rec->stored.attributes = static_cast<std::uint8_t>(files.FileAttributes(volume));
        rec->stored.totalSize = FixedSize::fromBytes(static_cast<std::int64_t>(files.FileSize(volume).value_or(0)));
        rec->stored.modified = files.FileDosDate(volume).value_or(0);
    }
    TFolderRec& folder = *rec;
    (void)n.setRecord(std::move(rec));
    carry_.apply(folder, volumeName);
    a.archiveNode = &n;
    a.volumeNodes.push_back(&n);
    // Known by the set's own list of keys, not by a search of every archive of the folder.
    a.volumeKeys.push_back(Key(volume));
    st.scannedArchives.insert(a.volumeKeys.back());
}

std::string DiskScanner::extractDescFile(int type, const std::string& archivePath, const std::string& member) {
    arc::TempExtraction* x = services_.extraction;
    if (!x || member.empty() || services_.extractDir.empty()) return {};
    const std::size_t before = x->ExtractedFiles.size();
    // Quietly, size-limited, and exactly the member by its stored name: a copy
    // of that name in a stored folder is not taken for it.
    struct Restore {
        arc::TempExtraction& t;
        bool quiet;
        std::uint64_t limit;
        ~Restore() {
            t.QuietCrcCheck = quiet;
            t.MaxMemberSize = limit;
        }
    } restore{*x, x->QuietCrcCheck, x->MaxMemberSize};
    x->QuietCrcCheck = true;
    x->MaxMemberSize = x->DescFileLimit;
    const std::vector<std::string> names{member};
    const bool ok = x->ExtractArchiveFiles(type, archivePath, services_.extractDir, "*.*", &names, true, false, false);
    std::vector<std::string> written(x->ExtractedFiles.begin() + static_cast<std::ptrdiff_t>(before), x->ExtractedFiles.end());
    x->ExtractedFiles.resize(before);
    std::string text;
    // Only the copy this extraction wrote is read: a stale file of that name is not.
    if (ok && written.size() == 1) text = written.front();
    for (const std::string& f : written)
        if (f != text) services_.files.Remove(f);
    return text;
}

void DiskScanner::archiveDescSources(FolderState& st, ArchiveState& a, const std::string& archivePath, int type) {
    Node* archiveNode = a.volumeNodes.empty() ? nullptr : a.volumeNodes.front();
    auto* folder = archiveNode ? RecordAs<TFolderRec>(archiveNode->record()) : nullptr;
    bool dizTextApplied = false;
    for (int pos = 0; pos < kDescSourceCount; ++pos) {
        switch (DescSourceAt(options_.descOrder, pos)) {
        case DescSourceCode::FileIdDiz:
            if (options_.importDiz && !a.dizMember.empty()) {
                const std::string copy = extractDescFile(type, archivePath, a.dizMember);
                if (copy.empty()) break;
                const std::string text = ImportFileIdDiz(services_.files, copy);
                services_.files.Remove(copy);
                if (!text.empty()) {
                    if (options_.archiveDescOnly || !folder)
                        st.pendingDescription = text;
                    else if (!carry_.carried(*folder))
                        folder->description = text;
                    dizTextApplied = true;
                }
                st.subDizApplied = true;
            }
            break;
        case DescSourceCode::FilesBbs:
        case DescSourceCode::DescriptIon: {
            const bool bbs = DescSourceAt(options_.descOrder, pos) == DescSourceCode::FilesBbs;
            const std::string& member = bbs ? a.bbsMember : a.descriptMember;
            if (!folder || member.empty() || !(bbs ? options_.importBbs : options_.import4Dos)) break;
            const std::string copy = extractDescFile(type, archivePath, member);
            if (copy.empty()) break;
            const DescTarget target{*archiveNode, *folder, &carry_};
            if (bbs)
                ImportFilesBbs(services_.files, target, copy, false, options_.descTruncLines);
            else
                ImportDescriptIon(services_.files, target, copy, false, options_.descTruncLines);
            services_.files.Remove(copy);
            break;
        }
        case DescSourceCode::ArchiveComment:
            if (options_.importComment && !a.comment.empty() && folder) {
                ApplyArchiveComment(*folder, a.comment, st.subDizApplied && !dizTextApplied && !carry_.carried(*folder));
                st.subDizApplied = true;
            }
            break;
        default:
            break;
        }
    }
}

}  // namespace kv
