#include "archive/Extractors.h"

#include "archive/formats/ArcFormatExtractor.h"
#include "archive/formats/ArjExtractor.h"
#include "archive/formats/GzipExtractor.h"
#include "archive/formats/LhaExtractor.h"
#include "archive/formats/RarExtractor.h"
#include "archive/formats/TarExtractor.h"
#include "archive/formats/ZooExtractor.h"
#include "archive/formats/ZipExtractor.h"

namespace kv::arc {

std::unique_ptr<TUnBase> MakeExtractor(ArchiveContext& context, TArcType type) {
    switch (type) {
        case atZIP:
        case atZipExe:
        case atZip250:
        case atZip250Exe: return std::make_unique<TUnZIP>(context);
        case atGZip: return std::make_unique<TUnGZIP>(context);
        case atTAR: return std::make_unique<TUnTAR>(context);
        case atLHA:
        case atLhaExe:
        case atLZH:
        case atLzhExe: return std::make_unique<TUnLHA>(context);
        case atARJ:
        case atArjExe: return std::make_unique<TUnARJ>(context);
        case atARC:
        case atArcExe: return std::make_unique<TUnARC>(context);
        case atZOO: return std::make_unique<TUnZOO>(context);
        case atRAR:
        case atRarExe: return std::make_unique<TUnRAR>(context);
        default: return nullptr;
    }
}

}  // namespace kv::arc
