#include "shell/app/CloseAppFormWin32.h"

#include "shell/app/ProgramIdentity.h"
#include "ui/Canvas.h"
#include "ui/PlaceControl.h"

namespace kv {
namespace {

constexpr int kIconSize = 32;
constexpr int kWidth = 300;
constexpr int kHeight = 64;

ui::GdiObject<HBITMAP> iconPicture(HICON icon) {
    ui::BitmapCanvas picture(kIconSize, kIconSize);
    picture.canvas().setBrushColor(GetSysColor(COLOR_BTNFACE));
    picture.canvas().fillRect({0, 0, kIconSize, kIconSize});
    if (icon)
        DrawIconEx(picture.dc(), 0, 0, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    return ui::GdiObject<HBITMAP>(static_cast<HBITMAP>(CopyImage(picture.bitmap(), IMAGE_BITMAP, 0, 0, 0)));
}

}  // namespace

CloseAppForm::CloseAppForm(HICON icon) {
    setBorderStyle(ui::BorderStyle::Dialog);
    setCaption(kProgramTitle);
    setPosition(ui::FormPosition::ScreenCenter);
    setBounds(0, 0, kWidth, kHeight);
    setClientSize(kWidth, kHeight);
    createHandle();
    icon_.setBitmap(iconPicture(icon));
    ui::Put(icon_, *this, 12, (kHeight - kIconSize) / 2, kIconSize, kIconSize);
    ui::Put(label_, *this, 12 + kIconSize + 12, (kHeight - 16) / 2, kWidth - kIconSize - 36, 16, kShuttingDownText);
}

}  // namespace kv
