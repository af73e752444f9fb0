#include "search/engine/SearchSyncWin32.h"

#include "ui/Application.h"

namespace kv {

// A nested loop may be a message box over half-done work: wait for the top level.
SearchSyncWin32::SearchSyncWin32()
    : calls_([this] { return !held() && ui::Application::instance().modalDepth() == 0; }) {}

SearchSyncWin32::Hold::~Hold() {
    if (--sync_.holds_ == 0)
        sync_.calls_.wake();
}

}  // namespace kv
