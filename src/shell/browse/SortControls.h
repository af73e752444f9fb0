#pragma once
// The texts and pictures of the sort controls (toolbar buttons, the "Arrange
// by" menu) for the disk list and the file list.
#include <optional>
#include <string>
#include <string_view>

namespace kv {

enum class SortListMode : unsigned char { DiskList, FileList };

struct SortButtonLook {
    std::string_view picture;
    std::string_view hint;
};

// The second and the fourth toolbar buttons change with the list; the first
// ("Sort by Name") and the third ("Sort by Size") stay.
SortButtonLook SortButton2(SortListMode mode);
SortButtonLook SortButton4(SortListMode mode);
// The look of the button of a column 0..3; an empty picture keeps the button's own.
SortButtonLook SortButtonLookOf(SortListMode mode, int column);

// The toolbar's sort buttons carry the Tags 26..29 (columns 0..3), the
// direction toggle 30.
inline constexpr int kSortButtonFirstTag = 26;
inline constexpr int kReverseSortTag = 30;
std::optional<int> SortButtonColumn(int tag);

// "Arrange by " + the column's caption; nothing for a column the list lacks
// (the eighth item shows only for the file list).
std::optional<std::string> ArrangeByCaption(SortListMode mode, int column);

// Remembers the mode the controls show, so they change only when it does.
class SortControlsState {
public:
    // True when the controls must be set for `mode`.
    bool update(SortListMode mode);

private:
    std::optional<SortListMode> shown_;
};

}  // namespace kv
