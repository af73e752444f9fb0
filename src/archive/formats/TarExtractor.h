#pragma once
// TUnTAR copies the regular files of a tar archive out and makes its folders; links
// and device entries are never created. A hard link asked for is eNothingToDo: raised
// when nothing else was extracted, else a warning.
#include "archive/UnSequential.h"

namespace kv::arc {

class TUnTAR : public TUnSequential {
public:
    using TUnSequential::TUnSequential;

protected:
    // Raises (after OnError) eInvalidFileName without an archive, eWrongArchiveType for another kind, eOpenError
    // when it cannot be opened, eBadFileHeader for a header whose checksum fails and eReadError
    // when the archive ends inside a member (the partial file is removed). A mask without '*' and '?' (or a
    // member-name list of one) ends the walk after the first extracted member.
    void DoExtract() override;
};

}  // namespace kv::arc
