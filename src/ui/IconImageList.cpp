#include "ui/IconImageList.h"

namespace kv {

// Made without the checked constructor: a list the system refuses stays empty
// rather than stopping the start-up.
TIconImageList::TIconImageList(int size)
    : ImageList(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 32, 32), false), size_(size) {}

}  // namespace kv
