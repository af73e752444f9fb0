#include "archive/ArchiveContext.h"

#include "archive/ArcDates.h"
#include "system/files/TimeZoneBias.h"

namespace kv::arc {

ArchiveContext::ArchiveContext(std::unique_ptr<IFileSystem> fileSystem,
                               std::unique_ptr<IResourceStrings> resources, int biasMinutes)
    : fileSystem_(std::move(fileSystem)),
      resources_(std::move(resources)),
      biasMinutes_(NormaliseBiasMinutes(biasMinutes)) {}

std::unique_ptr<ArchiveContext> ArchiveContext::System() {
    return std::make_unique<ArchiveContext>(MakeSystemFileSystem(), MakeSystemResourceStrings(), SystemBiasMinutes());
}

}  // namespace kv::arc
