#pragma once
// The state every archive component of one set shares: the platform seams, the
// output sink and the running checksums. One context means one archive operation
// at a time; whoever owns the components owns the context.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "system/files/FileSystem.h"
#include "archive/ArcType.h"
#include "archive/OutputSink.h"

namespace kv::arc {

class ArchiveContext {
public:
    // The bias is read once here (UTC = local + bias; magnitudes below 13 are hours).
    ArchiveContext(std::unique_ptr<IFileSystem> fileSystem, int biasMinutes);
    // The machine's file system and time zone.
    static std::unique_ptr<ArchiveContext> System();

    IFileSystem& FileSystem() { return *fileSystem_; }
    int BiasMinutes() const { return biasMinutes_; }

    OutputSink Sink;
    int ProgressStep = 10;
    int LastPercent = -1;
    TSetDate SetDateTo = OrigDate;
    // While an extraction runs: the stored paths of the members wanted, or empty
    // to select by FileSpec.
    std::vector<std::string> MemberNames;

private:
    std::unique_ptr<IFileSystem> fileSystem_;
    int biasMinutes_;
};

}  // namespace kv::arc
