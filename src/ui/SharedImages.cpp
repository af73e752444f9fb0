#include "ui/SharedImages.h"

#include <memory>
#include <stdexcept>

#include "system/drives/Drives.h"
#include "system/files/FileQueries.h"
#include "ui/Canvas.h"

namespace kv {

namespace {

constexpr int kCheckSize = 16;
constexpr COLORREF kCheckMask = RGB(255, 0, 255);

struct SharedObjects {
    TIconImageList small{16};
    TIconImageList large{32};
    TIconImageList checks{kCheckSize};
};

std::unique_ptr<SharedObjects> shared;

SharedObjects& objects() {
    if (!shared)
        throw std::logic_error("shared objects used outside InitSharedObjects/FinalizeSharedObjects");
    return *shared;
}

// Four check boxes side by side, drawn by the system so they look like its own.
void drawCheckImages(TIconImageList& list) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP strip = CreateCompatibleBitmap(screen, kCheckSize * 4, kCheckSize);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, strip);
    RECT all{0, 0, kCheckSize * 4, kCheckSize};
    HBRUSH mask = CreateSolidBrush(kCheckMask);
    FillRect(dc, &all, mask);
    DeleteObject(mask);
    const UINT states[4] = {0, 0, DFCS_CHECKED, DFCS_CHECKED | DFCS_INACTIVE};
    {
        ui::Canvas canvas(dc);
        for (int i = 0; i < 4; ++i)
            canvas.drawFrameControl({i * kCheckSize + 1, 1, i * kCheckSize + kCheckSize - 2, kCheckSize - 2},
                                    DFC_BUTTON, DFCS_BUTTONCHECK | states[i]);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    list.tryAddMasked(strip, kCheckMask);
    DeleteObject(strip);
}

}  // namespace

TIconImageList& SmallImages() { return objects().small; }
TIconImageList& LargeImages() { return objects().large; }
TIconImageList& CheckImages() { return objects().checks; }

void InitSharedObjects() {
    if (shared)
        return;
    InitCommonControls();
    shared = std::make_unique<SharedObjects>();
    drawCheckImages(shared->checks);
    SharedMediaTypes().clear();
}

bool SharedObjectsReady() { return shared != nullptr; }

void FinalizeSharedObjects() {
    if (!shared)
        return;
    shared.reset();
}

bool GetDragFullWindows() {
    BOOL full = FALSE;
    return SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0) && full;
}

}  // namespace kv
