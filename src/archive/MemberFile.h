#pragma once
// The file one extracted member is written to. While it is open the context's sink
// writes into it; a member whose decoding failed is removed again, so no half
// member is left behind. In memory and stream modes nothing is created.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "archive/ArchiveContext.h"

namespace kv::arc {

// The attribute bits an extracted file may get: read-only, hidden, system, archive.
constexpr std::uint32_t kMemberAttributeMask = 0x27;

class MemberFile {
public:
    // Creates the folder chain and the file; E_RAISE(eOpenError) when either fails.
    MemberFile(ArchiveContext& context, std::string path);
    ~MemberFile();
    MemberFile(const MemberFile&) = delete;
    MemberFile& operator=(const MemberFile&) = delete;

    // Closes the file, then sets the DOS date and the attributes (masked) that are given.
    // E_RAISE(eCloseError) when the file cannot be closed whole; it is removed then.
    void Finish(std::optional<std::uint32_t> dosStamp, std::optional<std::uint32_t> attributes);

private:
    ArchiveContext& context_;
    std::string path_;
    std::unique_ptr<ByteSink> file_;
    bool finished_ = false;
};

}  // namespace kv::arc
