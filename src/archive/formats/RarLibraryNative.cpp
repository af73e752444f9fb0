#include "archive/formats/RarLibrary.h"

namespace kv::arc {

// Native builds have no RAR library; tests hand the extractor their own functions.
std::shared_ptr<const RarFunctions> LoadRarLibrary() { return nullptr; }

}  // namespace kv::arc
