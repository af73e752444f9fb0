#pragma once
// TUnARJ extracts the members of ARJ archives, also multi-volume sets (DATA.ARJ,
// DATA.A01, ...) and archives inside self-extracting programs: methods 0-4.
#include <memory>

#include "archive/formats/ArjHeader.h"
#include "archive/UnSequential.h"

namespace kv::arc {

class TUnARJ : public TUnSequential {
public:
    using TUnSequential::TUnSequential;

protected:
    // Folder entries make their folder with stored folders, volume labels are
    // skipped; a member named without '*' or '?' ends the walk once extracted.
    void Walk() override;

private:
    // The part of a continued member in the next volume, which becomes the input.
    ArjHeader NextPart(int& counter);
    // Skips a member that continues in the following volumes.
    void SkipParts(const ArjHeader& h, int& counter);

    std::unique_ptr<ArcInput> in_;
    std::uint64_t pos_ = 0;  // of the next header
};

}  // namespace kv::arc
