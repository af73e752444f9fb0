#pragma once
// The internal text viewer: a file shown read-only, plain or formatted, with
// word wrap, its own font and a kept window placement.
#include <functional>
#include <string>

#include "shell/settings/Settings.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/RichEdit.h"
#include "ui/UserPrompt.h"
#include "ui/WaitProgress.h"

namespace kv {

class SettingsStore;

class TViewerForm : public ui::Form {
public:
    // More than this is not loaded: the caption says the view is cut.
    static constexpr std::size_t kMaxViewBytes = 16u << 20;

    // placementKey: where "ViewerWndPos" is kept (below HKEY_CURRENT_USER); empty: nowhere.
    TViewerForm(SettingsStore& settings, ui::UserPrompt& prompt, WaitProgress* progress,
                std::string placementKey);
    ~TViewerForm() override;

    ui::MainMenu Menu;
    ui::MenuItem* ViewMenuWordWrap = nullptr;
    ui::MenuItem* ViewMenuFont = nullptr;
    ui::MenuItem* ViewMenuExit = nullptr;
    ui::MenuItem* Help1 = nullptr;
    ui::RichEdit RichEdit;
    ui::PopupMenu EditPopup;
    // The status bar's busy text while the file loads.
    std::function<void(const std::string& text)> showStatus;

    // Shows the file; false (after telling why) when it does not exist.
    bool Load(const std::string& path);

private:
    void applyFont();
    void chooseFont();

    SettingsStore& settings_;
    ui::UserPrompt& prompt_;
    WaitProgress* progress_;
    std::string placementKey_;
    ui::GdiObject<HFONT> viewerFont_;
};

// The text the viewer shows for a file's bytes: NUL bytes become spaces, so
// binary files do not end at their first one.
std::string ViewableText(std::string bytes);

}  // namespace kv
