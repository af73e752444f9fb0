#pragma once
// TUnZIP extracts the members of a ZIP archive (also one inside a self-extractor)
// that the mask or the member-name list selects, following the central directory
// and reading each member from its local header.
#include <optional>
#include <span>
#include <string>

#include "archive/ArchiveComponent.h"
#include "archive/decoders/ZipCipher.h"

namespace kv::arc {

struct ZipCentralEntry;

class TUnZIP : public TUnBase {
public:
    explicit TUnZIP(ArchiveContext& context) : TUnBase(context) {}

protected:
    // Raises (after OnError) 25139 without an archive, 25138 for another kind, 25134
    // when it cannot be opened, 25202 without an end record, 25137 without a central
    // directory, 25135 when headers are cut short, 25145 when two entries claim the
    // same bytes (then nothing is extracted), 26999 when nothing was extracted.
    // Warnings: 25145 bad local header, 25117 checksum, 25139 a name that would
    // leave the extraction folder, 25172/26517/26522 passwords. Decoder failures,
    // 25200 and failures to open or write an output file raise without OnError.
    void DoExtract() override;

private:
    void walk(class ArcInput& in);
    std::optional<ZipCipher> findPassword(std::span<const std::uint8_t, ZipCipher::kHeaderSize> header,
                                          const ZipCentralEntry& central, std::uint16_t localFlags,
                                          std::uint16_t localTime, std::uint32_t localCrc,
                                          const std::string& target);

    std::string password_;  // the one that fitted last; tried first
    bool nothingExtracted_ = true;
};

}  // namespace kv::arc
