#pragma once
// TUnZOO extracts the members of ZOO archives: stored, LZD and -lh5- members.
#include "archive/UnSequential.h"

namespace kv::arc {

class TUnZOO : public TUnSequential {
public:
    using TUnSequential::TUnSequential;

protected:
    // Deleted entries are passed over; an entry whose successor does not lie
    // after it ends the walk with eBadFileHeader.
    void Walk() override;
};

}  // namespace kv::arc
