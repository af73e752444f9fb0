#pragma once
// The modal loop every drag of the window layer runs: the mouse captured by
// one window, each message handed to the caller's rules, and the same exits
// for all: a lost capture, the window destroyed, a quit message or a failed
// read end the drag as cancelled.
#include <windows.h>

#include <functional>

namespace kv::ui {

// The next message of a drag's own loop; false ends the loop: a quit
// message (posted again for the loop outside) or a failed read.
bool nextDragMessage(MSG& msg);

// What the caller's rules make of one message.
enum class DragStep {
    Dispatch,  // not the drag's: delivered as usual
    Swallow,   // the drag's, or kept from the windows while it runs
    Finish,    // ends the drag, applied
    Cancel,    // ends the drag, nothing applied
};

// Captures the mouse for window and runs the loop until a step finishes or
// cancels it; true when finished. A message read after the capture went
// elsewhere is dispatched, never lost. The capture is released at the end
// when the window still holds it.
bool RunDragLoop(HWND window, const std::function<DragStep(const MSG&)>& step);

// The point of a mouse message on the screen.
POINT dragMessagePoint(const MSG& msg);

}  // namespace kv::ui
