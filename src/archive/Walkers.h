#pragma once
// The walker of each format, one file each (Walk*.cpp).
#include "archive/MemberWalker.h"

namespace kv::arc {

const MemberWalker& ArcWalker();  // ARC and PAK
const MemberWalker& ArjWalker();
const MemberWalker& BhWalker();
const MemberWalker& CabWalker();
const MemberWalker& GzipWalker();
const MemberWalker& HaWalker();
const MemberWalker& LhaWalker();
const MemberWalker& RarWalker();
const MemberWalker& TarWalker();
const MemberWalker& ZipWalker();
const MemberWalker& ZooWalker();

}  // namespace kv::arc
