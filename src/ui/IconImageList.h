#pragma once
// An owned image list of square icons.
#include "ui/ImageList.h"

namespace kv {

// Adding to it never throws: the icon cache goes on with what it has.
class TIconImageList : public ui::ImageList {
public:
    explicit TIconImageList(int size);

    int size() const { return size_; }

private:
    int size_;
};

}  // namespace kv
