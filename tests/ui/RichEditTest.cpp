#include "UiFixture.h"
#include <richedit.h>

#include <string>

#include "ui/Form.h"
#include "ui/RichEdit.h"
#include "ui/RichEditPopup.h"

namespace {

using namespace kv::ui;

using RichEditTest = UiTest;

CHARFORMAT2A formatOfAll(const RichEdit& edit) {
    CHARFORMAT2A f{};
    f.cbSize = sizeof f;
    SendMessageA(edit.hwnd(), EM_SETSEL, 0, -1);
    SendMessageA(edit.hwnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&f));
    return f;
}

TEST_F(RichEditTest, TextStaysPlainAndSurvivesRecreation) {
    Form form;
    RichEdit edit;
    edit.setText("before the window");
    edit.setReadOnly(true);
    edit.create(&form);
    form.createHandle();
    EXPECT_EQ(edit.text(), "before the window");

    int changes = 0;
    edit.onChange = [&](RichEdit& s) {
        EXPECT_EQ(&s, &edit);
        ++changes;
    };
    // A description may well start like markup; it is shown as typed.
    const std::string markup = "{\\rtf1 \\b bold\\b0}\r\nsecond line";
    edit.setText(markup);
    EXPECT_EQ(edit.text(), markup);
    EXPECT_GE(changes, 1);
    EXPECT_FALSE(edit.modified());

    form.recreateWnd();
    EXPECT_EQ(edit.text(), markup);
    EXPECT_TRUE(GetWindowLongA(edit.hwnd(), GWL_STYLE) & ES_READONLY);
}

TEST_F(RichEditTest, ReadOnlyRefusesTypingAndTypingMarksModified) {
    Form form;
    RichEdit edit;
    edit.create(&form);
    form.createHandle();
    edit.setText("abc");
    edit.setReadOnly(true);
    edit.setSelection(3, 0);
    SendMessageA(edit.hwnd(), WM_CHAR, 'x', 1);
    EXPECT_EQ(edit.text(), "abc");
    EXPECT_FALSE(edit.modified());

    edit.setReadOnly(false);
    SendMessageA(edit.hwnd(), WM_CHAR, 'x', 1);
    EXPECT_EQ(edit.text(), "abcx");
    EXPECT_TRUE(edit.modified());
}

TEST_F(RichEditTest, ProgramTextIsNotCutAtTheTypingLimit) {
    Form form;
    RichEdit edit;
    edit.create(&form);
    form.createHandle();
    // The description viewer shows 32767 bytes and a marker after them.
    std::string big;
    while (big.size() < 32767) big += std::string(62, 'a') + "\r\n";
    big += "***  TRUNCATED  ***";
    edit.setText(big);
    EXPECT_EQ(edit.text().size(), big.size());
    edit.appendLine("more");
    EXPECT_EQ(edit.text().size(), big.size() + 6);

    edit.setMaxLength(5);
    edit.setText("");
    for (char c : std::string("abcdefgh")) SendMessageA(edit.hwnd(), WM_CHAR, static_cast<WPARAM>(c), 1);
    EXPECT_EQ(edit.text(), "abcde");
}

// Also when loaded before the window exists, and across re-creation.
TEST_F(RichEditTest, RtfIsShownFormatted) {
    Form form;
    RichEdit edit;
    edit.loadRtf("{\\rtf1\\ansi {\\b Bold} plain}");
    edit.create(&form);
    form.createHandle();
    auto boldAt = [&](int start) {
        CHARFORMAT2A f{};
        f.cbSize = sizeof f;
        edit.setSelection(start, 2);
        SendMessageA(edit.hwnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&f));
        return (f.dwEffects & CFE_BOLD) != 0;
    };
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(edit.text(), "Bold plain");
        EXPECT_TRUE(boldAt(0));
        EXPECT_FALSE(boldAt(6));
        form.recreateWnd();
    }
    edit.setText("plain now");
    form.recreateWnd();
    EXPECT_EQ(edit.text(), "plain now");
    EXPECT_FALSE(boldAt(0));
}

TEST_F(RichEditTest, SelectionAndItsEditing) {
    Form form;
    RichEdit edit;
    edit.create(&form);
    form.createHandle();
    edit.setText("one two three");
    edit.setSelection(4, 3);
    EXPECT_EQ(edit.selStart(), 4);
    EXPECT_EQ(edit.selLength(), 3);
    EXPECT_EQ(edit.selectedText(), "two");
    edit.clearSelection();
    EXPECT_EQ(edit.text(), "one  three");
    EXPECT_TRUE(edit.modified());
    edit.selectAll();
    EXPECT_EQ(edit.selectedText(), "one  three");

    // What the edit pop-up menu offers: nothing changes a read-only text.
    edit.setText("cut me");
    edit.setReadOnly(true);
    edit.selectAll();
    edit.clearSelection();
    edit.cutToClipboard();
    edit.pasteFromClipboard();
    EXPECT_EQ(edit.text(), "cut me");
    EXPECT_FALSE(edit.modified());

    edit.setReadOnly(false);
    edit.setSelection(0, 4);
    edit.cutToClipboard();
    EXPECT_EQ(edit.text(), "me");
    EXPECT_TRUE(edit.modified());
    edit.setSelection(2, 0);
    edit.pasteFromClipboard();
    EXPECT_EQ(edit.text(), "mecut ");
}

TEST_F(RichEditTest, ColourAndFontApplyToTheWholeText) {
    Form form;
    RichEdit edit;
    edit.create(&form);
    form.createHandle();
    edit.setTextColor(RGB(200, 0, 0));
    edit.setText("first\r\nsecond");
    edit.appendLine("third");
    CHARFORMAT2A f = formatOfAll(edit);
    EXPECT_TRUE(f.dwMask & CFM_COLOR);  // one colour throughout
    EXPECT_FALSE(f.dwEffects & CFE_AUTOCOLOR);
    EXPECT_EQ(f.crTextColor, RGB(200, 0, 0));

    LOGFONTA lf{};
    lf.lfHeight = -16;
    lf.lfWeight = FW_BOLD;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    HFONT font = CreateFontIndirectA(&lf);
    edit.setFont(font);
    f = formatOfAll(edit);
    EXPECT_STREQ(f.szFaceName, "Tahoma");
    EXPECT_TRUE(f.dwEffects & CFE_BOLD);
    EXPECT_EQ(f.crTextColor, RGB(200, 0, 0));
    edit.setFont(nullptr);
    DeleteObject(font);
}

TEST_F(RichEditTest, AppendLineScrollAndWordWrap) {
    Form form;
    form.setBounds(0, 0, 300, 300);
    RichEdit edit;
    edit.setBounds(0, 0, 200, 100);
    edit.create(&form);
    form.createHandle();
    edit.appendLine("line 0");
    EXPECT_EQ(edit.text(), "line 0");
    for (int i = 1; i < 100; ++i) edit.appendLine("line " + std::to_string(i));
    EXPECT_FALSE(edit.modified());
    EXPECT_EQ(edit.lineCount(), 100);
    edit.scrollToLine(50);
    EXPECT_EQ(edit.firstVisibleLine(), 50);
    edit.scrollToLine(0);
    EXPECT_EQ(edit.firstVisibleLine(), 0);

    edit.setText(std::string(40, 'w') + " " + std::string(40, 'w') + " " + std::string(40, 'w'));
    EXPECT_GT(edit.lineCount(), 1);
    edit.setWordWrap(false);
    EXPECT_EQ(edit.lineCount(), 1);
    form.recreateWnd();
    EXPECT_EQ(edit.lineCount(), 1);
    EXPECT_FALSE(edit.wordWrap());
}

}  // namespace

namespace {

using namespace kv::ui;

// The enabling rules, then each item on a real field (the clipboard included).
TEST(RichEditPopupRules, ItemsFollowTheSelectionAndReadOnly) {
    struct Case {
        bool selection, readOnly;
        bool cut, copy, paste, del;
    } cases[] = {{false, false, false, false, true, false},
                 {true, false, true, true, true, true},
                 {true, true, false, true, false, false},
                 {false, true, false, false, false, false}};
    for (const Case& c : cases) {
        const EditPopupStates s = EditPopupStatesFor(c.selection, c.readOnly);
        EXPECT_EQ(s.cut, c.cut);
        EXPECT_EQ(s.copy, c.copy);
        EXPECT_EQ(s.paste, c.paste);
        EXPECT_EQ(s.del, c.del);
        EXPECT_TRUE(s.selectAll);
    }
}

TEST_F(RichEditTest, ThePopupCutsCopiesPastesDeletesAndSelectsAll) {
    Form form;
    RichEdit edit;
    edit.setText("alpha beta");
    edit.create(&form);
    form.createHandle();
    RichEditPopup popup(edit);
    EXPECT_EQ(edit.popupMenu, &popup.menu());
    auto enabled = [&](int i) { return popup.menu().Items().Items(i).Enabled(); };

    SendMessageA(edit.hwnd(), EM_SETSEL, 0, 0);
    popup.RichEditPopupPopup();
    EXPECT_FALSE(enabled(0));  // Cut
    EXPECT_FALSE(enabled(1));  // Copy
    EXPECT_TRUE(enabled(2));   // Paste

    SendMessageA(edit.hwnd(), EM_SETSEL, 0, 6);  // "alpha "
    popup.RichEditPopupPopup();
    EXPECT_TRUE(enabled(0));
    EXPECT_TRUE(enabled(3));  // Delete
    popup.RichEditMenuClick(EditAction::Cut);
    EXPECT_EQ(edit.text(), "beta");
    SendMessageA(edit.hwnd(), EM_SETSEL, 4, 4);
    popup.RichEditMenuClick(EditAction::Paste);
    EXPECT_EQ(edit.text(), "betaalpha ");
    popup.RichEditMenuClick(EditAction::SelectAll);
    DWORD start = 1, end = 0;
    SendMessageA(edit.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_GE(end, 10u);  // a rich edit takes its closing paragraph mark too
    popup.RichEditMenuClick(EditAction::Delete);
    EXPECT_EQ(edit.text(), "");

    edit.setReadOnly(true);
    edit.setText("fixed");
    SendMessageA(edit.hwnd(), EM_SETSEL, 0, 5);
    popup.RichEditPopupPopup();
    EXPECT_FALSE(enabled(0));
    EXPECT_TRUE(enabled(1));
    EXPECT_FALSE(enabled(2));
    EXPECT_FALSE(enabled(3));
}

}  // namespace
