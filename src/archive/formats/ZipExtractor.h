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
    // Raises (after OnError) eInvalidFileName without an archive, eWrongArchiveType for another kind, eOpenError
    // when it cannot be opened, eUnknownFileType without an end record, eHeaderId without a central
    // directory, eReadError when headers are cut short, eInconsistentLocalHeader when two entries claim the
    // same bytes (then nothing is extracted), eNothingToDo when nothing was extracted.
    // Warnings: eInconsistentLocalHeader bad local header, eCrcFailed checksum, eInvalidFileName a name that would
    // leave the extraction folder, eNoOnPassword/eInvalidPassword/ePasswordFailed passwords. Decoder failures,
    // eUnsupportedMethod and failures to open or write an output file raise without OnError.
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
