#pragma once
// TArcLister lists the members of an archive without extracting anything: for every
// member whose name matches FileSpec it fills the current-member record and fires
// OnRead.
#include <cstdint>
#include <string>

#include "archive/ArchiveComponent.h"

namespace kv::arc {

class TArcLister : public ArchiveReader {
public:
    explicit TArcLister(ArchiveContext& context) : ArchiveReader(context) {}

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TOnRead OnRead;
    TNotifyEvent OnReadBegin;
    TNotifyEvent OnReadEnd;
    TOnTotals OnTotals;

    // Lists ArchiveFile (nothing when it is empty). Failures raise E_RAISE after
    // OnError: eNoOnRead without OnRead, eUnknownFileType for an unknown kind, eHeaderId for a file
    // error, eReadError for a file that cannot be read or ends inside a header, eBadFileHeader
    // for headers that lead nowhere (a walk that does not move forward), eUnsupportedVersion for
    // RAR 5. What was listed before a failure stands.
    bool Activate();

    // Valid during the listing (OnRead, OnTotals).
    std::string ArchiveComment;
    // The volume or cabinet file the walk is reading.
    std::string CurrentVolumeFile;
    std::uint64_t TotalPacked = 0;
    std::uint64_t TotalUnpacked = 0;
    std::uint8_t TotalRatio = 0;
    int FilesListed = 0;

private:
    friend class ListerSession;
};

}  // namespace kv::arc
