#pragma once
// TUnLHA extracts the members of LHA/LZH archives (header levels 0-3, also inside
// self-extracting programs): stored (-lh0-), -lh1-, -lh4-, -lh5-, -lh6- and -lh7-
// members.
#include "archive/UnSequential.h"

namespace kv::arc {

class TUnLHA : public TUnSequential {
public:
    using TUnSequential::TUnSequential;

protected:
    // Folder entries (-lhd-) make their folder with stored folders and are skipped
    // otherwise; other methods raise eUnsupportedMethod. Files keep the current date.
    void Walk() override;
};

}  // namespace kv::arc
