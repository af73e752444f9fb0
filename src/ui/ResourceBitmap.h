#pragma once
// Bitmaps the program carries as resources, owned by the layer's GDI owner.
#include <windows.h>

#include <string>

#include "ui/Canvas.h"

namespace kv::ui {

// Loads a bitmap resource of module (null: the program) as a device-independent
// bitmap, so its pixels read the same under any display; throws kv::Error when
// there is none.
GdiObject<HBITMAP> loadBitmap(int id, HINSTANCE module = nullptr);
GdiObject<HBITMAP> loadBitmap(const std::string& name, HINSTANCE module = nullptr);

}  // namespace kv::ui
