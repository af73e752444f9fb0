#pragma once
// TUnGZIP decompresses a gzip file: its one member, or the members of a file made
// by joining gzip files, into one output file.
#include "archive/ArchiveComponent.h"

namespace kv::arc {

class TUnGZIP : public TUnBase {
public:
    explicit TUnGZIP(ArchiveContext& context) : TUnBase(context) {}

protected:
    // Raises (after OnError) 25139 without an archive, 25138 for another kind, 25134
    // when it cannot be opened, 25137 for a header that is not gzip's, 25162 for a
    // multi-part member of the old format, 25190 for an encrypted one, 25135/25108
    // for a damaged header, 26999 when nothing was extracted. The compress (1F 9D)
    // and SCO (1F A0) kinds, decoder failures and an output file that cannot be
    // opened raise without OnError. A checksum or length that does not match the
    // trailer is the warning 25117.
    void DoExtract() override;
};

}  // namespace kv::arc
