#include "UiFixture.h"
#include <shlobj.h>

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

using FormTest = UiTest;

TEST_F(FormTest, ListenersRunBeforeTheFormAndEndWithTheirRegistration) {
    Form form;
    form.createHandle();
    std::vector<std::string> order;
    form.onResize = [&](Control&) { order.push_back("form"); };
    ListenerRegistration first = form.addMessageListener([&](Form& sender, UINT msg, WPARAM&, LPARAM& lp, LRESULT&) {
        EXPECT_EQ(&sender, &form);
        if (msg == WM_SIZE) {
            order.push_back("listener");
            lp = MAKELPARAM(11, 22);  // the form sees the changed size
        }
        return false;
    });
    ListenerRegistration eater = form.addMessageListener([&](Form&, UINT msg, WPARAM&, LPARAM&, LRESULT& r) {
        if (msg != WM_USER + 5) return false;
        r = 42;
        return true;
    });
    SendMessageA(form.hwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    EXPECT_EQ(order, (std::vector<std::string>{"listener", "form"}));
    EXPECT_EQ(SendMessageA(form.hwnd(), WM_USER + 5, 0, 0), 42);

    first.reset();
    eater = ListenerRegistration();
    order.clear();
    SendMessageA(form.hwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    EXPECT_EQ(order, (std::vector<std::string>{"form"}));
    EXPECT_EQ(SendMessageA(form.hwnd(), WM_USER + 5, 0, 0), 0);
}

TEST_F(FormTest, ModalShowDisablesOthersAndRestoresExactlyThose) {
    Form main, other, alreadyOff;
    app().setMainForm(&main);
    for (Form* f : {&main, &other, &alreadyOff}) f->show();
    alreadyOff.setEnabled(false);

    Form dialog;
    dialog.setBorderStyle(BorderStyle::Dialog);
    bool mainWasEnabled = true, otherWasEnabled = true;
    kv::uitest::TimerAction close(50, [&] {
        mainWasEnabled = IsWindowEnabled(main.hwnd());
        otherWasEnabled = IsWindowEnabled(other.hwnd());
        EXPECT_TRUE(dialog.modal());
        dialog.setModalResult(mrOk);
    });
    EXPECT_EQ(dialog.showModal(), mrOk);
    EXPECT_TRUE(close.ran());
    EXPECT_FALSE(mainWasEnabled);
    EXPECT_FALSE(otherWasEnabled);
    EXPECT_TRUE(IsWindowEnabled(main.hwnd()));
    EXPECT_TRUE(IsWindowEnabled(other.hwnd()));
    EXPECT_FALSE(IsWindowEnabled(alreadyOff.hwnd()));
    EXPECT_FALSE(IsWindowVisible(dialog.hwnd()));
    EXPECT_FALSE(dialog.modal());
}

TEST_F(FormTest, ModalEndsByButtonAndByCloseWithTheCloseQueryAsked) {
    Form dialog;
    Button ok;
    ok.modalResult = mrOk;
    ok.create(&dialog);
    {
        kv::uitest::TimerAction press(30, [&] { SendMessageA(ok.hwnd(), BM_CLICK, 0, 0); });
        EXPECT_EQ(dialog.showModal(), mrOk);
    }

    int queries = 0;
    dialog.onCloseQuery = [&](Form&, bool& canClose) { canClose = ++queries > 1; };
    kv::uitest::TimerAction first(30, [&] { PostMessageA(dialog.hwnd(), WM_CLOSE, 0, 0); });
    kv::uitest::TimerAction second(200, [&] { PostMessageA(dialog.hwnd(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(dialog.showModal(), mrCancel);
    EXPECT_EQ(queries, 2);  // the first close was refused
}

TEST_F(FormTest, EscClicksTheCancelControlAndEnterTheDefault) {
    Form dialog;
    Button ok, cancel;
    ok.modalResult = mrOk;
    cancel.modalResult = mrCancel;
    ok.create(&dialog);
    cancel.create(&dialog);
    dialog.setDefaultControl(&ok);
    dialog.setCancelControl(&cancel);
    int cancels = 0;
    cancel.onClick = [&](Button&) { ++cancels; };
    {
        kv::uitest::TimerAction esc(30, [&] { kv::uitest::postKey(ok.hwnd(), VK_ESCAPE); });
        EXPECT_EQ(dialog.showModal(), mrCancel);
        EXPECT_EQ(cancels, 1);
    }
    kv::uitest::TimerAction enter(30, [&] { kv::uitest::postKey(cancel.hwnd(), VK_RETURN); });
    EXPECT_EQ(dialog.showModal(), mrOk);
}

TEST_F(FormTest, ShortcutsAndKeyPreviewSeeKeysFirst) {
    Form form;
    Button b;
    b.create(&form);
    form.show();
    std::vector<WORD> seen;
    form.keyPreview = true;
    form.onKeyDown = [&](Control&, WORD& key, UINT) {
        seen.push_back(key);
        if (key == 'X') key = 0;
    };
    int shortcuts = 0;
    form.onShortcut = [&](Form&, WORD key, UINT) { return key == VK_F5 && ++shortcuts; };
    int buttonKeys = 0;
    b.onKeyDown = [&](Control&, WORD&, UINT) { ++buttonKeys; };
    std::vector<WORD> released;
    form.onKeyUp = [&](Control&, WORD& key, UINT) {
        released.push_back(key);
        if (key == 'X') key = 0;
    };
    int buttonReleases = 0;
    b.onKeyUp = [&](Control&, WORD&, UINT) { ++buttonReleases; };
    for (WORD k : {WORD('X'), WORD(VK_F5), WORD('A')}) kv::uitest::postKey(b.hwnd(), k);
    app().processMessages();
    EXPECT_EQ(seen, (std::vector<WORD>{'X', VK_F5, 'A'}));
    EXPECT_EQ(shortcuts, 1);
    EXPECT_EQ(buttonKeys, 1);  // only A reached the button
    EXPECT_EQ(released, (std::vector<WORD>{'X', VK_F5, 'A'}));
    EXPECT_EQ(buttonReleases, 2);  // X was swallowed by the preview
}

TEST_F(FormTest, MainFormCloseEndsTheLoop) {
    Form main;
    app().setMainForm(&main);
    main.show();
    PostMessageA(main.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(app().run(), 0);
    EXPECT_FALSE(main.handleAllocated());
}

}  // namespace

namespace {

using namespace kv::ui;

TEST_F(FormTest, AltWithALabelLetterFocusesItsControl) {
    Form form;
    Label label;
    label.setText("&Name:");
    Button other, target;
    other.create(&form);
    label.create(&form);
    target.create(&form);
    label.setFocusControl(&target);
    form.show();
    SetActiveWindow(form.hwnd());
    other.setFocus();
    PostMessageA(other.hwnd(), WM_SYSCHAR, 'n', 1 << 29);
    app().processMessages();
    EXPECT_TRUE(target.focused());
    EXPECT_TRUE(hasMnemonic("Save &As", 'a'));
    EXPECT_FALSE(hasMnemonic("Fish && Chips", 'c'));
    EXPECT_FALSE(hasMnemonic("Trailing &", 'x'));
}

TEST_F(FormTest, DroppedFilesArriveAsNames) {
    Form form;
    form.setAcceptFiles(true);
    form.createHandle();
    EXPECT_TRUE(GetWindowLongA(form.hwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    std::vector<std::string> got;
    form.onDropFiles = [&](Form&, const std::vector<std::string>& files) { got = files; };
    const char names[] = "C:\\a.ctf\0D:\\b c.ctf\0";
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + sizeof names + 1);
    auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(df) + sizeof(DROPFILES), names, sizeof names);
    GlobalUnlock(mem);
    SendMessageA(form.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(mem), 0);
    EXPECT_EQ(got, (std::vector<std::string>{"C:\\a.ctf", "D:\\b c.ctf"}));
}

}  // namespace

namespace {

using namespace kv::ui;

TEST_F(FormTest, WindowStateAppliesWhenShown) {
    Form form;
    form.setWindowState(WindowState::Maximized);
    form.createHandle();
    EXPECT_EQ(form.windowState(), WindowState::Normal);  // not shown yet
    form.show();
    EXPECT_EQ(form.windowState(), WindowState::Maximized);
    form.setWindowState(WindowState::Normal);
    EXPECT_EQ(form.windowState(), WindowState::Normal);
}

}  // namespace

namespace {

using namespace kv::ui;

TEST_F(FormTest, ToolWindowsForwardShortcutsToTheMainWindow) {
    Form main, tool;
    app().setMainForm(&main);
    main.show();
    int mainShortcuts = 0;
    main.onShortcut = [&](Form& sender, WORD key, UINT) {
        EXPECT_EQ(&sender, &main);
        return key == VK_F3 && ++mainShortcuts;
    };
    Button b;
    b.create(&tool);
    tool.show();
    kv::uitest::postKey(b.hwnd(), VK_F3);
    kv::uitest::postKey(b.hwnd(), VK_F4);
    app().processMessages();
    EXPECT_EQ(mainShortcuts, 1);
}

TEST_F(FormTest, ControlHintsBecomeTheApplicationHint) {
    Form form;
    Button b;
    b.hint = "Starts the scan";
    b.create(&form);
    form.show();
    std::string seen;
    app().onHint = [&](Application& a) { seen = a.hint(); };
    SendMessageA(b.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(seen, "Starts the scan");
    app().onHint = nullptr;
    app().setHint("");
}

}  // namespace
