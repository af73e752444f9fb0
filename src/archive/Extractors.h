#pragma once
// The extractor component of each archive kind.
#include <memory>

#include "archive/ArchiveComponent.h"

namespace kv::arc {

// A new extractor for archives of the kind; nullptr for kinds that are listed but
// never extracted (CAB, HA, BH, PAK, ...).
std::unique_ptr<TUnBase> MakeExtractor(ArchiveContext& context, TArcType type);

}  // namespace kv::arc
