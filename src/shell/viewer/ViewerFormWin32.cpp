#include "shell/viewer/ViewerFormWin32.h"

#include <algorithm>

#include "base/ByteSource.h"
#include "base/Errors.h"
#include "shell/settings/FontDataWin32.h"
#include "shell/settings/SettingsStore.h"
#include "shell/viewer/ViewerRules.h"
#include "ui/Application.h"
#include "ui/CommonFontDialog.h"
#include "ui/Fonts.h"
#include "ui/WindowPlacement.h"

namespace kv {

namespace {
constexpr std::size_t kViewerSlot = static_cast<std::size_t>(FontUse::Viewer);
constexpr int kViewerHelpTopic = 22;
const char* const kPlacementValue = "ViewerWndPos";
}  // namespace

std::string ViewableText(std::string bytes) {
    std::replace(bytes.begin(), bytes.end(), '\0', ' ');
    return bytes;
}

TViewerForm::TViewerForm(SettingsStore& settings, ui::UserPrompt& prompt, WaitProgress* progress,
                         std::string placementKey)
    : settings_(settings), prompt_(prompt), progress_(progress), placementKey_(std::move(placementKey)) {
    setWindowClassName("KvViewerForm");
    setPosition(ui::FormPosition::MainFormCenter);
    setBounds(0, 0, 640, 480);
    createHandle();
    ui::MenuItem& view = Menu.Items().Add("&View");
    ViewMenuWordWrap = &view.Add("&Word Wrap", [this](ui::MenuItem& item) {
        RichEdit.setWordWrap(!RichEdit.wordWrap());
        item.SetChecked(RichEdit.wordWrap());
    });
    ViewMenuFont = &view.Add("&Font...", [this](ui::MenuItem&) { chooseFont(); });
    view.Add("-");
    ViewMenuExit = &view.Add("E&xit", [this](ui::MenuItem&) { setModalResult(ui::mrCancel); });
    ui::MenuItem& help = Menu.Items().Add("&Help");
    Help1 = &help.Add("&Contents", [this](ui::MenuItem&) {
        ui::Application::instance().helpContext(hwnd(), kViewerHelpTopic);
    });
    Menu.attach(*this);
    RichEdit.setReadOnly(true);
    RichEdit.setMaxLength(2147483647);
    RichEdit.setAlign(ui::Align::Client);
    RichEdit.create(this);
    ViewMenuWordWrap->SetChecked(RichEdit.wordWrap());
    EditPopup.Items().Add("&Copy", [this](ui::MenuItem&) { RichEdit.copyToClipboard(); });
    EditPopup.Items().Add("Select &All", [this](ui::MenuItem&) { RichEdit.selectAll(); });
    RichEdit.popupMenu = &EditPopup;
    RichEdit.onKeyDown = [this](ui::Control&, WORD& key, UINT) {
        if (key == VK_ESCAPE)
            setModalResult(ui::mrCancel);
    };
    applyFont();
    if (placementKey_.empty())
        return;
    std::int32_t extra = 0;
    try {
        RestoreFormPlacement(hwnd(), kPlacementValue, extra, placementKey_);
        setPosition(ui::FormPosition::Designed);
    } catch (const EAbort&) {
        // Nothing kept yet: the window opens centred.
    }
    onClose = [this](ui::Form&, ui::CloseAction&) {
        try {
            SaveFormPlacement(hwnd(), kPlacementValue, 0, placementKey_);
        } catch (const EAbort&) {
            // A key that cannot be written costs only the next view's placement.
        }
    };
}

TViewerForm::~TViewerForm() { destroyWindow(); }

void TViewerForm::applyFont() {
    const FontData data = settings_.GetFontData(kViewerSlot);
    LOGFONTA lf = LogFontOf(data);
    lf.lfCharSet = DEFAULT_CHARSET;
    if (data.face.empty())
        lstrcpynA(lf.lfFaceName, "Courier New", LF_FACESIZE);
    if (lf.lfHeight == 0)
        lf.lfHeight = -13;
    viewerFont_ = ui::GdiObject<HFONT>(CreateFontIndirectA(&lf));
    RichEdit.setFont(viewerFont_.get());
}

void TViewerForm::chooseFont() {
    const LOGFONTA lf = LogFontOf(settings_.GetFontData(kViewerSlot));
    ui::CommonFontDialog dialog(hwnd());
    const std::optional<ui::FontDescription> chosen =
        dialog.chooseFont(ui::fromLogFont(lf, GetSysColor(COLOR_WINDOWTEXT)));
    if (!chosen)
        return;
    const LOGFONTA picked = ui::toLogFont(*chosen);
    FontData stored;
    stored.height = picked.lfHeight;
    stored.style = FontStyleOf(picked);
    stored.face = picked.lfFaceName;
    settings_.Update([&](Settings& s) {
        s.fonts[kViewerSlot].custom = true;
        s.fonts[kViewerSlot].font = stored;
    });
    LockWindowUpdate(hwnd());
    applyFont();
    LockWindowUpdate(nullptr);
}

bool TViewerForm::Load(const std::string& path) {
    RichEdit.setText("");
    std::unique_ptr<FileSource> source;
    try {
        source = std::make_unique<FileSource>(path);
    } catch (const Error&) {
        prompt_.ask(FileNotFoundMessage());
        return false;
    }
    setCaption("ASCII Viewer - " + path);
    if (progress_)
        progress_->showWaitWindow("Opening file to view...", false, false);
    if (showStatus)
        showStatus("Opening file in ASCII viewer, please wait");
    std::string bytes;
    bool cut = false;
    try {
        const std::uint64_t size = source->size();
        cut = size > kMaxViewBytes;
        bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size, kMaxViewBytes)));
        bytes.resize(source->readAt(0, bytes.data(), bytes.size()));
    } catch (const Error&) {
        bytes.clear();
    }
    if (IsRtfName(path) && !cut)
        RichEdit.loadRtf(bytes);
    else
        RichEdit.setText(ViewableText(std::move(bytes)));
    if (cut)
        setCaption("ASCII Viewer - " + path + " (first 16 MB)");
    if (progress_)
        progress_->closeWaitWindow();
    if (showStatus)
        showStatus("");
    return true;
}

}  // namespace kv
