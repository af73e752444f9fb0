#pragma once
// The toolbar customiser of the settings dialog without its window: the
// entries of the "CustomToolbar" layout (used buttons and separators, the
// "Unused Buttons" marker, the unused buttons), what each button of the page
// may do for the selected entry, and the edits, which never leave a separator
// first, last before the marker, next to another or among the unused buttons.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kv {

struct CustomizerButtons {
    enum class Function : std::uint8_t { None, Remove, Add };
    bool up = false;
    bool down = false;
    bool addSeparator = false;
    Function function = Function::None;  // None: the button is disabled
};

class ToolbarCustomizer {
public:
    // A layout without a marker gets one at its end.
    explicit ToolbarCustomizer(std::span<const std::uint8_t> layout);

    const std::vector<std::uint8_t>& entries() const { return entries_; }
    std::size_t marker() const { return marker_; }
    bool isSeparator(int index) const;

    CustomizerButtons buttonsFor(int selected) const;

    // Each edit returns the index to select afterwards, or -1 when it was refused.
    int addSeparator(int selected);
    int remove(int selected);
    // delta -1 up, 1 down.
    int move(int selected, int delta);

    // "Add" on an unused button: the button waits for its place. Returns the
    // entry to select meanwhile (the last used one).
    int startInsert(int selected);
    bool inserting() const { return pending_ >= 0; }
    int pending() const { return pending_; }
    // The pending button goes to index (at most the marker's index).
    int insertAt(int index);
    void cancelInsert() { pending_ = -1; }

private:
    // Drops misplaced separators; returns where `follow` ended up.
    int clean(int follow);
    void findMarker();

    std::vector<std::uint8_t> entries_;
    std::size_t marker_ = 0;
    int pending_ = -1;
};

}  // namespace kv
