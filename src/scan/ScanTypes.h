#pragma once
// What a disk scan is told (the dialog's options), what it reports to (the
// progress window) and what it works through (files, archives).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "scan/ArchiveTypes.h"
#include "scan/DescSources.h"
#include "system/files/FileSystem.h"

namespace kv {

namespace arc {
class ArchiveContext;
class TempExtraction;
}  // namespace arc

class Node;
class TDiskRec;

struct ScanOptions {
    bool ignoreHiddenFiles = true;
    bool ignoreHiddenFolders = true;
    bool ignoreRecycle = true;
    // Archives of enabled types become folders of their members.
    bool browseArchives = true;
    // Unchanged archives of the replaced disk are moved over without listing.
    bool archiveQuickScan = false;
    // Description files inside archives describe the archive file; no members are kept.
    bool archiveDescOnly = false;
    bool importDiz = true;
    bool importBbs = true;
    bool import4Dos = true;
    bool importComment = true;
    // The user's source order: the settings dialog's items.
    std::vector<std::string> descOrder = DefaultImportDescItems();
    // Lines a description of FILES.BBS or DESCRIPT.ION may keep; 0 = all.
    std::size_t descTruncLines = 0;
    ArchiveSwitches archiveEnabled = DefaultArchiveSwitches();
    // Carry descriptions, categories and flags over ("Copy descriptions in catalog from:").
    bool carryOver = true;
    // ... from every disk of the catalog instead of the replaced disk only.
    bool carryFromAllDisks = false;
};

// The scan's progress window. The engine calls PumpMessages at most once per
// pump interval; an implementation lets pending messages run and never the idle work.
class IScanProgress {
public:
    virtual ~IScanProgress() = default;
    virtual void SetTopLabel(const std::string&) {}
    virtual void SetBottomLabel(const std::string&) {}
    virtual void SetDirLabel(const std::string&) {}
    virtual void SetDescFound(const std::string&) {}
    virtual void ShowProgressBar() {}
    virtual void SetProgress(int /* percent */) {}
    virtual void PumpMessages() {}
};

struct ScanServices {
    ScanServices(IFileSystem& f, IScanProgress& p) : files(f), progress(p) {}

    IFileSystem& files;
    IScanProgress& progress;
    // None: archives are recorded as ordinary files.
    arc::ArchiveContext* archives = nullptr;
    // None: description files inside archives are not read.
    arc::TempExtraction* extraction = nullptr;
    // The folder description files from archives are extracted to: one of this
    // scan's own (the program makes it below the temporary folder), so no
    // stale file of the same name is ever read.
    std::string extractDir;
    // Milliseconds from any fixed start; empty: the steady clock.
    std::function<std::uint64_t()> clockMs;
    std::uint32_t pumpIntervalMs = 40;
    // Called before each directory entry with its full path (tests cancel here).
    std::function<void(const std::string& path)> onEntry;
};

struct ScanRequest {
    Node* catalog = nullptr;
    // As typed; empty gives "Disk X:".
    std::string diskName;
    char letter = 'C';
    // Empty, or a folder of the drive beginning and ending with "\".
    std::string virtualRoot;
    // Where the drive's root is reached instead of "X:" (mapped folders, tests).
    std::string mediumRoot;
    // The disk being replaced; none when adding.
    Node* updatedDisk = nullptr;
    // Fills a fresh disk record with the drive's volume data.
    std::function<void(TDiskRec&)> initDiskRecord;
    // Gives the medium a new serial before the volume is read; runs inside the
    // scan's transaction, so its failure ends the scan like any other.
    std::function<void()> changeSerial;
};

}  // namespace kv
