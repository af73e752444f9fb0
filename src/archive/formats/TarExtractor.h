#pragma once
// TUnTAR copies the regular files of a tar archive out and makes its folders; links
// and device entries are never created.
#include "archive/UnSequential.h"

namespace kv::arc {

class TUnTAR : public TUnSequential {
public:
    using TUnSequential::TUnSequential;

protected:
    // Raises (after OnError) 25139 without an archive, 25138 for another kind, 25134
    // when it cannot be opened, 25108 for a header whose checksum fails and 25135
    // when the archive ends inside a member. A mask without '*' and '?' (or a
    // member-name list of one) ends the walk after the first extracted member.
    void DoExtract() override;
};

}  // namespace kv::arc
