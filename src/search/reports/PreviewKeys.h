#pragma once
// What a key does in the print preview, from where the page view stands: its
// scroll positions and which page buttons are enabled.
#include <cstdint>

namespace kv {

enum class PreviewKey : std::uint8_t { Escape, P, PageUp, PageDown, Home, End, Up, Down, Left, Right, Other };

// One scroll bar of the page view: range is the content's size, page the
// view's; the position runs from 0 to range - page.
struct ScrollAxis {
    int position = 0;
    int range = 0;
    int page = 0;
    bool visible = false;
    int maxPosition() const { return range > page ? range - page : 0; }
};

struct PreviewView {
    ScrollAxis vert, horz;
    bool canPrior = false;  // "Previous Page" and "Go to First Page" enabled
    bool canNext = false;   // "Next Page" and "Go to Last Page" enabled
};

enum class PreviewCommand : std::uint8_t { None, Close, Print, FirstPage, LastPage, PriorPageBottom, NextPage, Scroll };

struct PreviewKeyAction {
    PreviewCommand command = PreviewCommand::None;
    // The positions a Scroll moves to.
    int vert = 0, horz = 0;
    // Page keys and arrows are used up; the others go on to the focused control.
    bool consumed = false;
};

PreviewKeyAction PreviewKeyFor(PreviewKey key, bool ctrl, const PreviewView& view);

}  // namespace kv
