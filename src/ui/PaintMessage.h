#pragma once
// WM_PAINT and WM_PRINTCLIENT both end in one paint routine on a DC.
#include <windows.h>

#include <functional>

namespace kv::ui {

// True when msg was one of the two and paint ran.
bool handlePaintMessage(HWND hwnd, UINT msg, WPARAM wp, const std::function<void(HDC)>& paint);

}  // namespace kv::ui
