#pragma once
// The walk's state per folder and per archive, shared by the scanner's files.
#include <cstdint>
#include <limits>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "scan/DiskScanner.h"

namespace kv {

// Counts are summed in 64 bits and stored in the 32 the catalog has.
inline std::uint32_t Saturated32(std::uint64_t v) {
    return v > std::numeric_limits<std::uint32_t>::max() ? std::numeric_limits<std::uint32_t>::max()
                                                         : static_cast<std::uint32_t>(v);
}

struct DiskScanner::FolderState {
    Node* oldNode = nullptr;
    // The folder's listing: later volumes of a set are named and dated from it.
    const std::vector<FolderEntry>* entries = nullptr;
    std::uint64_t clusters = 0;
    bool foundBbs = false;
    bool foundDescript = false;
    bool foundDiz = false;
    // A subfolder or an archive here took its own FILE_ID.DIZ or comment: a
    // later FILES.BBS or DESCRIPT.ION may overwrite.
    bool subDizApplied = false;
    // Archive paths already listed (upper case, one separator).
    std::unordered_set<std::string> scannedArchives;
    // The old folder's children by upper-cased name, made on first use by the quick scan.
    bool quickIndexBuilt = false;
    std::unordered_map<std::string, Node*> quickIndex;
    // What a FILE_ID.DIZ inside an archive gives its file record.
    std::string pendingDescription;
};

struct DiskScanner::ArchiveState {
    Node* parent = nullptr;          // the folder or disk holding the archive
    Node* archiveNode = nullptr;     // the current volume's folder node
    Node* previousVolumeNode = nullptr;
    std::vector<Node*> volumeNodes;  // every node of this set, in order
    std::vector<std::string> volumeKeys;  // their paths in scannedArchives
    const FolderEntry* entry = nullptr;
    std::string path;
    std::string drive;               // "X:" of the archive, upper case; empty when none
    bool keepCase = false;
    bool cab = false;
    bool importComment = false;
    std::string comment;
    std::string dizMember, bbsMember, descriptMember;  // stored names at the top level
    std::uint32_t memberCount = 0;  // members recorded
    std::uint32_t seen = 0;         // members the lister reported
    std::string volumeFile;         // the volume the current node stands for, as the lister names it
    std::unordered_set<std::string> previousNames;  // members of the previous cabinet
};

}  // namespace kv
