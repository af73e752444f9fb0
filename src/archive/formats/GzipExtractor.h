#pragma once
// TUnGZIP decompresses a gzip file: its one member, or the members of a file made
// by joining gzip files, into one output file.
#include "archive/ArchiveComponent.h"

namespace kv::arc {

class TUnGZIP : public TUnBase {
public:
    explicit TUnGZIP(ArchiveContext& context) : TUnBase(context) {}

protected:
    // Raises (after OnError) eInvalidFileName without an archive, eWrongArchiveType for another kind, eOpenError
    // when it cannot be opened, eHeaderId for a header that is not gzip's, eMultiPartGzip for a
    // multi-part member of the old format, ePasswordProtected for an encrypted one, eReadError/eBadFileHeader
    // for a damaged header, eNothingToDo when nothing was extracted. The compress (1F 9D)
    // and SCO (1F A0) kinds, decoder failures and an output file that cannot be
    // opened raise without OnError. A checksum or length that does not match the
    // trailer is the warning eCrcFailed.
    void DoExtract() override;
};

}  // namespace kv::arc
