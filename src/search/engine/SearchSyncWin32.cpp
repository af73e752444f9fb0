#include "search/engine/SearchSyncWin32.h"

namespace kv {

SearchSyncWin32::SearchSyncWin32()
    : calls_([this] { return ui::Application::instance().atSafePoint(calls_.hwnd()); }) {}

}  // namespace kv
