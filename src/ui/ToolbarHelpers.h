#pragma once
// The toolbar operations the windows share: the program's button size and
// style, the button under a point, and centring a bitmap button's contents.
#include <windows.h>

#include <vector>

#include "ui/BitBtn.h"
#include "ui/SpeedButton.h"

namespace kv::ui {

// The button-size setting (0..7; others are clamped) as a side in pixels.
int ToolbarButtonSide(int sizeSetting);
// Gives the toolbar's speed buttons with Tag mod 100 = 1, 2, 3, ... (up to the
// first number no button has) the side of the size setting, flat unless
// oldStyle; returns them in that order, the order the toolbar shows them in.
std::vector<SpeedButton*> ApplyToolbarButtonStyle(Control& toolbar, int sizeSetting, bool oldStyle);
// The visible speed button of the toolbar under a point of its client area.
SpeedButton* FindToolButtonAt(Control& toolbar, POINT point);
// Sets the margin that centres glyph and caption together for the caption
// the button has now.
void CenterBitBtnGlyph(BitBtn& button);

}  // namespace kv::ui
