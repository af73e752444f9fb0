#pragma once
// TUnARC extracts the members of ARC archives (also inside self-extracting
// programs): stored, packed, squeezed, crunched and squashed. PAK archives are
// listed but not extracted.
#include "archive/UnSequential.h"

namespace kv::arc {

class TUnARC : public TUnSequential {
public:
    using TUnSequential::TUnSequential;

protected:
    // A member outside FileSpec, or one OnBegin declines, is a warning (eSkippedFile) and
    // the walk goes on, so one member can be taken from anywhere in the archive. An
    // output file that cannot be made is eWriteError; a bad checksum is eCrcFailed, raised
    // (the file goes).
    void Walk() override;
};

}  // namespace kv::arc
