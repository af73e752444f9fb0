#pragma once
// The program-wide image lists and the shared module's start-up and exit work.
#include "ui/IconImageList.h"

namespace kv {

// Made by InitSharedObjects, freed by FinalizeSharedObjects; using them
// outside that span is a programming error.
TIconImageList& SmallImages();  // 16 x 16
TIconImageList& LargeImages();  // 32 x 32
// State images of scope trees: 0 and 1 an empty box, 2 checked, 3 greyed checked.
TIconImageList& CheckImages();

namespace CheckImage {
inline constexpr int Unchecked = 1;
inline constexpr int Checked = 2;
inline constexpr int Grayed = 3;
}  // namespace CheckImage

void InitSharedObjects();
// Between InitSharedObjects and FinalizeSharedObjects.
bool SharedObjectsReady();
// Exit work that needs the shared objects (the clean-up of extracted files)
// runs before this, in the program's exit code.
void FinalizeSharedObjects();

// Whole windows, not outlines, move while the user drags them.
bool GetDragFullWindows();

// Shared objects for the span of a scope: the program's main and tests.
class SharedObjectsScope {
public:
    SharedObjectsScope() { InitSharedObjects(); }
    ~SharedObjectsScope() { FinalizeSharedObjects(); }
    SharedObjectsScope(const SharedObjectsScope&) = delete;
    SharedObjectsScope& operator=(const SharedObjectsScope&) = delete;
};

}  // namespace kv
