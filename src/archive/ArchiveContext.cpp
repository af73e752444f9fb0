#include "archive/ArchiveContext.h"

#include "archive/ArcDates.h"
#include "system/files/TimeZoneBias.h"

namespace kv::arc {

ArchiveContext::ArchiveContext(std::unique_ptr<IFileSystem> fileSystem, int biasMinutes)
    : fileSystem_(std::move(fileSystem)),
      biasMinutes_(NormaliseBiasMinutes(biasMinutes)) {}

std::unique_ptr<ArchiveContext> ArchiveContext::System() {
    return std::make_unique<ArchiveContext>(MakeSystemFileSystem(), SystemBiasMinutes());
}

}  // namespace kv::arc
