#include "ui/ResourceBitmap.h"

#include "base/Errors.h"

namespace kv::ui {

namespace {

GdiObject<HBITMAP> load(LPCSTR resource, HINSTANCE module, const std::string& what) {
    HANDLE h = LoadImageA(module ? module : GetModuleHandleA(nullptr), resource, IMAGE_BITMAP, 0, 0,
                          LR_CREATEDIBSECTION);
    if (!h) throw Error("Cannot load the bitmap resource " + what);
    return GdiObject<HBITMAP>(static_cast<HBITMAP>(h));
}

}  // namespace

GdiObject<HBITMAP> loadBitmap(int id, HINSTANCE module) {
    return load(MAKEINTRESOURCEA(id), module, std::to_string(id));
}

GdiObject<HBITMAP> loadBitmap(const std::string& name, HINSTANCE module) {
    return load(name.c_str(), module, name);
}

}  // namespace kv::ui
