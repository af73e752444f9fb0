#pragma once
// A top-level window of the program: border styles, stay-on-top, caption,
// modal show with a modal result, close handling, keyboard routing and the
// form message listeners through which components take part in its messages.
#include <windows.h>

#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace kv::ui {

enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
enum class CloseAction { None, Hide, Free };
enum class WindowState { Normal, Minimized, Maximized };
// Where a form first shows: its own bounds, or centred on the screen's work
// area or over the main form (kept on the work area).
enum class FormPosition { Designed, ScreenCenter, MainFormCenter };

// The caption's buttons. The "?" button shows only beside the close button
// alone: with a dialog border, or without minimise and maximise.
enum : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };

// Modal results; the values are the system's dialog-result codes.
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

class Form;

// Runs before the form's own handling; may change wParam and lParam. Return
// true to consume the message with result.
using MessageListener = std::function<bool(Form& sender, UINT msg, WPARAM& wp, LPARAM& lp, LRESULT& result)>;

// Keeps a listener registered for its lifetime.
class ListenerRegistration {
public:
    ListenerRegistration() = default;
    ListenerRegistration(ListenerRegistration&& o) noexcept : entry_(std::move(o.entry_)) {}
    ListenerRegistration& operator=(ListenerRegistration&& o) noexcept;
    ~ListenerRegistration() { reset(); }
    void reset();

private:
    friend class Form;
    explicit ListenerRegistration(std::shared_ptr<MessageListener> entry) : entry_(std::move(entry)) {}
    std::shared_ptr<MessageListener> entry_;
};

class Form : public Control {
public:
    Form();
    ~Form() override;

    void setCaption(const std::string& caption) { setText(caption); }
    std::string caption() const { return text(); }
    void setBorderStyle(BorderStyle style) { borderStyle_ = style; }
    BorderStyle borderStyle() const { return borderStyle_; }
    // Takes the caption buttons the border style has but the set lacks away
    // (re-creates the window).
    void setBorderIcons(unsigned icons);
    unsigned borderIcons() const { return borderIcons_; }
    void setStayOnTop(bool onTop);
    void setClientSize(int width, int height);
    // The window class name; set before the window exists.
    void setWindowClassName(const std::string& name) { className_ = name; }
    // Null: the application's icon.
    void setIcon(HICON icon);
    void setPosition(FormPosition position) { position_ = position; }
    FormPosition position() const { return position_; }
    void setAcceptFiles(bool accept);
    // The "?" caption button: its help requests get the pop-up topic, F1 the full one.
    bool showsHelpButton() const;
    void setWindowState(WindowState state);
    WindowState windowState() const;

    // Creates the window when needed (a form has no parent control).
    void createHandle();
    void show();
    void hide();
    // Asks onCloseQuery, then closes as onClose decides; a modal form ends its loop.
    void close();
    int showModal();
    bool modal() const { return modal_; }
    int modalResult() const { return modalResult_; }
    void setModalResult(int result) { modalResult_ = result; }

    ListenerRegistration addMessageListener(MessageListener listener);

    // Enter clicks the default control, Esc the cancel control.
    void setDefaultControl(Control* c) { defaultControl_ = c; }
    void setCancelControl(Control* c) { cancelControl_ = c; }
    Control* activeControl() const;
    void setActiveControl(Control* c);
    bool keyPreview = false;

    // Keys of the form's windows before they reach the focused control.
    virtual bool preTranslateMessage(MSG& msg);

    std::function<void(Form& sender)> onShow;
    std::function<void(Form& sender)> onHide;
    std::function<void(Form& sender, bool& canClose)> onCloseQuery;
    std::function<void(Form& sender, CloseAction& action)> onClose;
    std::function<void(Form& sender)> onDestroy;
    std::function<void(Form& sender, bool active)> onActivate;
    // Menus hook their shortcuts here; true when the key was one.
    std::function<bool(Form& sender, WORD key, UINT shift)> onShortcut;
    std::function<void(Form& sender, const std::vector<std::string>& files)> onDropFiles;

protected:
    void createParams(CreateArgs& args) override;
    // The listeners first, then formMessage.
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // True when a listener consumed the message with result.
    bool notifyListeners(UINT msg, WPARAM& wp, LPARAM& lp, LRESULT& result);
    // The form's own handling, after the listeners.
    LRESULT formMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    bool closeQuery();
    void placeByPosition();

    std::string className_ = "KvForm";
    BorderStyle borderStyle_ = BorderStyle::Sizeable;
    unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    bool stayOnTop_ = false;
    bool modal_ = false;
    bool acceptFiles_ = false;
    int modalResult_ = mrNone;
    WindowState state_ = WindowState::Normal;
    FormPosition position_ = FormPosition::Designed;
    bool placed_ = false;  // the position is applied at the first show only
    HICON icon_ = nullptr;
    Control* defaultControl_ = nullptr;
    Control* cancelControl_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::list<std::weak_ptr<MessageListener>> listeners_;
};

// A click on a tool button or a toolbar activates the form it belongs to when
// another window is active and the form can take it; the clicked window
// itself never becomes active.
void activateForClick(Form& form);

}  // namespace kv::ui
