#pragma once
// Scripting the program's modal windows: each step runs once its window shows
// (and closes it), also while an earlier step's window holds a modal loop.
#include <windows.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "tests/support/TestInput.h"

namespace kv::test {

using WindowStep = std::pair<std::function<HWND()>, std::function<void()>>;

// Runs start with the steps armed; returns how many steps ran.
inline std::size_t WithWindows(std::vector<WindowStep> steps, const std::function<void()>& start) {
    std::size_t next = 0;
    std::vector<std::unique_ptr<uitest::TimerAction>> timers;
    std::function<void()> poll = [&] {
        if (next >= steps.size()) return;
        // Armed first: the step may open a window with a loop of its own.
        timers.push_back(std::make_unique<uitest::TimerAction>(30, poll));
        HWND h = steps[next].first();
        if (h && IsWindowVisible(h) && IsWindowEnabled(h)) steps[next++].second();
    };
    timers.push_back(std::make_unique<uitest::TimerAction>(30, poll));
    start();
    return next;
}

}  // namespace kv::test
