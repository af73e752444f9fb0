#pragma once
// A RAR library loaded at run time: ours or any compatible "unrar.dll".
#include <memory>

#include "archive/formats/RarApi.h"

namespace kv::arc {

struct RarFunctions {
    RAROpenArchiveFn OpenArchive = nullptr;
    RARCloseArchiveFn CloseArchive = nullptr;
    RARReadHeaderFn ReadHeader = nullptr;
    RARProcessFileFn ProcessFile = nullptr;
    RARSetChangeVolProcFn SetChangeVolProc = nullptr;
    RARSetProcessDataProcFn SetProcessDataProc = nullptr;
};

// "unrar.dll" by the system's search order; nullptr when it is missing or lacks one
// of the functions. The library stays loaded while the pointer lives.
std::shared_ptr<const RarFunctions> LoadRarLibrary();

}  // namespace kv::arc
