#pragma once
// The pop-up hint: a bordered popup above every window that never takes the
// focus or the activation and lets the mouse through to what lies below.
// The application makes its hint window through a HintWindowClass, so a
// program can put a class with its own font and colours in its place.
#include <windows.h>

#include <memory>
#include <string>

#include "ui/Wnd.h"

namespace kv::ui {

class Control;

// What the next hint shows and where; onShowHint may change any of it.
struct HintInfo {
    Control* hintControl = nullptr;
    POINT cursorPos{};     // in hintControl's client coordinates
    RECT cursorRect{};     // in hintControl's client coordinates; leaving it ends this hint
    POINT hintPos{};       // screen position of the window's top-left corner
    int hintMaxWidth = 0;  // the text wraps at this width, in pixels
    COLORREF hintColor = 0;
    int hideTimeout = 0;   // this hint's hide pause in ms; negative: never
};

class HintWindow : public Wnd {
public:
    HintWindow() = default;
    ~HintWindow() override;

    // The window rectangle the text needs, wrapped at maxWidth, at (0, 0).
    virtual RECT calcHintRect(int maxWidth, const std::string& text);
    // Shows text in rect (screen coordinates).
    virtual void activateHint(const RECT& rect, const std::string& text);
    void hide();
    bool showing() const { return hwnd() && IsWindowVisible(hwnd()); }
    const std::string& text() const { return text_; }

    COLORREF color = GetSysColor(COLOR_INFOBK);
    COLORREF textColor = GetSysColor(COLOR_INFOTEXT);
    // Not owned; null: the system's status font. A class with a font of its
    // own keeps it in a member.
    HFONT font = nullptr;

protected:
    virtual void paint(HDC dc, const RECT& client);
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    HFONT currentFont() const;
    // Space between the border and the text.
    static constexpr int kMarginX = 3, kMarginY = 2;

private:
    std::string text_;
};

// Makes the hint window; comparing two tells whether the class changed.
using HintWindowClass = std::unique_ptr<HintWindow> (*)();
std::unique_ptr<HintWindow> defaultHintWindow();

// Moves r (screen coordinates) into the work area of the monitor at point;
// when it would reach below the bottom it goes above aboveY instead.
RECT keepHintOnScreen(RECT r, POINT point, int aboveY);

}  // namespace kv::ui
