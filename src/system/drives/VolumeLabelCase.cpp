#include "system/drives/VolumeLabelCase.h"

#include "base/text/NameCase.h"

namespace kv {

namespace {
constexpr std::size_t kMaxLabel = 32;
constexpr std::size_t kMaxFileSystem = 8;
constexpr std::uint32_t kVolumeIsCompressed = 0x8000;
}  // namespace

void RecaseVolumeLabel(std::string& label, const CaseMap& caseMap) {
    LowerIfAllUpper(label, caseMap);
    if (!label.empty())
        label.front() = caseMap.toUpper(label.front());
}

void ApplyVolumeInfo(TDriveInfo& info, const std::optional<RawVolumeInfo>& raw, const CaseMap& caseMap) {
    if (!raw) {
        info.label = "(unknown)";
        info.fileSystem = "unknown";
        info.serialNumber = 0;
        info.maxNameLength = 0;
        info.compressed = false;
        return;
    }
    info.label = raw->label.substr(0, kMaxLabel);
    RecaseVolumeLabel(info.label, caseMap);
    info.fileSystem = upperCase(raw->fileSystem.substr(0, kMaxFileSystem), caseMap);
    info.serialNumber = raw->serialNumber;
    info.maxNameLength = raw->maxNameLength;
    info.compressed = (raw->fileSystemFlags & kVolumeIsCompressed) != 0;
}

}  // namespace kv
