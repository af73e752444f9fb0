#pragma once
// Two labels: one that shortens a long path to its width, and a link that
// opens its address.
#include <functional>
#include <string>

#include "controls/small/ShortenPath.h"
#include "ui/Label.h"

namespace kv::ui {

using TDirection = ShortenDirection;
inline constexpr TDirection drFromLeft = ShortenDirection::FromLeft;
inline constexpr TDirection drFromRight = ShortenDirection::FromRight;

class TFileLabel : public Label {
public:
    TFileLabel();
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& path);
    TDirection Direction() const { return direction_; }
    void SetDirection(TDirection direction);
    const std::string& Separator() const { return separator_; }
    void SetSeparator(const std::string& separator);
    // Shows the path again for the current width and font.
    void refreshText();

protected:
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    std::string fileName_;
    TDirection direction_ = drFromLeft;
    std::string separator_ = "\\";
    bool updating_ = false;
};

class TUrlLabel : public Label {
public:
    TUrlLabel();
    std::string URL;
    COLORREF ActiveColor = RGB(0x80, 0x00, 0x80);
    // Opens the target; the shell's "open" unless replaced (tests).
    std::function<void(const std::string& target)> Opener;
    // Opens URL, or the caption when URL is blank; web and mail addresses only.
    void click() override;
    // The pop-up menu's "Copy": the caption onto the clipboard.
    void copyCaption();

protected:
    void createWnd() override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    std::optional<COLORREF> restColor_;
};

}  // namespace kv::ui
