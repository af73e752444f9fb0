#include "shell/browse/SortControls.h"

namespace kv {

namespace {

constexpr std::string_view kDiskCaptions[] = {"&Disk Name", "&Media Type", "&Volume Label", "&Capacity",
                                              "&Free Space", "&Update Date", "Descri&ptions"};
constexpr std::string_view kFileCaptions[] = {"&Filename", "&Extension", "&Size", "&Date",
                                              "&Time", "&Attributes", "Descri&ptions", "&Categories"};

}  // namespace

SortButtonLook SortButton2(SortListMode mode) {
    return mode == SortListMode::FileList ? SortButtonLook{"SORTPICT2A", "Sort by Extension"}
                                          : SortButtonLook{"SORTPICT2B", "Sort by Media Type"};
}

SortButtonLook SortButton4(SortListMode mode) {
    return mode == SortListMode::FileList ? SortButtonLook{"SORTPICT4A", "Sort by Date"}
                                          : SortButtonLook{"SORTPICT4B", "Sort by Free Space"};
}

SortButtonLook SortButtonLookOf(SortListMode mode, int column) {
    switch (column) {
    case 0: return {"", "Sort by Name"};
    case 1: return SortButton2(mode);
    case 2: return {"", "Sort by Size"};
    case 3: return SortButton4(mode);
    }
    return {};
}

std::optional<int> SortButtonColumn(int tag) {
    if (tag < kSortButtonFirstTag || tag >= kReverseSortTag)
        return std::nullopt;
    return tag - kSortButtonFirstTag;
}

std::optional<std::string> ArrangeByCaption(SortListMode mode, int column) {
    const bool files = mode == SortListMode::FileList;
    const int count = files ? 8 : 7;
    if (column < 0 || column >= count)
        return std::nullopt;
    return "Arrange by " + std::string((files ? kFileCaptions : kDiskCaptions)[column]);
}

bool SortControlsState::update(SortListMode mode) {
    if (shown_ == mode)
        return false;
    shown_ = mode;
    return true;
}

}  // namespace kv
