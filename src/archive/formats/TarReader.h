#pragma once
// The entries of a tar archive one after another, as the lister and the extractor
// both read them: GNU long names and pax records folded into the entry they precede.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "archive/ArcInput.h"

namespace kv::arc {

struct TarEntry {
    std::uint64_t pos = 0;      // of the header
    std::uint64_t dataPos = 0;
    std::uint64_t size = 0;
    char type = 0;              // the type flag
    std::string name;           // as stored ('/' separators), blanks trimmed
    std::int64_t mtime = 0;     // Unix seconds
    std::uint32_t checksum = 0;
    bool fits = true;           // the data lies inside the file

    bool IsFile() const { return type == 0 || type == '0' || type == '7'; }
    bool IsHardLink() const { return type == '1'; }
    bool IsFolder() const { return type == '5'; }
};

class TarReader {
public:
    // fail reports damage (eBadFileHeader bad header checksum, eReadError data past the end of the
    // file) and must not return.
    TarReader(ArcInput& in, std::uint64_t start, std::function<void(int)> fail);

    // The next entry of any kind but the long-name and pax records; nullopt at the
    // end (a zero block or the end of the file). Fails for an entry whose data did
    // not fit only when asked for the one after it.
    std::optional<TarEntry> Next();

private:
    ArcInput& in_;
    std::uint64_t pos_;
    std::function<void(int)> fail_;
    bool lastFits_ = true;
};

class ListSession;

// The TAR row of the format table: the walker and the method names lists show.
void WalkTar(ListSession& s);
std::string TarMethodName(std::uint16_t method, std::uint16_t flags);

}  // namespace kv::arc
