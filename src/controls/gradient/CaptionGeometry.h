#pragma once
// Where a self-drawn caption bar goes: its rectangle from the border style and
// the system metrics, the small icon, the caption buttons from the right, and
// the box left for the text.
#include <vector>

#include "controls/docks/DockGeometry.h"

namespace kv::ui {

enum class CaptionBorder { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
enum class CaptionButton { Close, Maximize, Restore, Minimize, Help };

struct CaptionMetrics {
    int dlgFrameX = 3, dlgFrameY = 3;  // SM_CXDLGFRAME, SM_CYDLGFRAME
    int frameX = 4, frameY = 4;        // SM_CXFRAME, SM_CYFRAME
    int captionHeight = 19;            // SM_CYCAPTION
    int smallCaptionHeight = 16;       // SM_CYSMCAPTION
    int smallIcon = 16;                // SM_CXSMICON
    int smallSize = 16;                // SM_CXSMSIZE
};

struct CaptionIcons {
    bool systemMenu = true;
    bool minimize = true;
    bool maximize = true;
    bool help = false;
    bool maximized = false;
};

struct CaptionButtonPlace {
    CaptionButton kind;
    DockRect rect;
    bool inactive = false;
    friend bool operator==(const CaptionButtonPlace&, const CaptionButtonPlace&) = default;
};

struct CaptionLayout {
    DockRect caption;   // window coordinates; bottom inclusive-style: top + height - 1
    bool icon = false;  // the small icon at (left + 1, top + 1)
    DockRect textBox;
    std::vector<CaptionButtonPlace> buttons;  // right to left
};

// Empty for a border of style None.
DockRect CaptionRect(CaptionBorder border, DockSize window, const CaptionMetrics& m);
CaptionLayout LayoutCaption(CaptionBorder border, DockSize window, const CaptionIcons& icons, const CaptionMetrics& m);

}  // namespace kv::ui
