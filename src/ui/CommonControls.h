#pragma once
// Loads the common-controls classes once, before the first one is created.
namespace kv::ui {
void ensureCommonControls();
}
