#include "ui/RichEdit.h"

#include <richedit.h>

#include <algorithm>
#include <climits>

#include "base/Errors.h"

namespace kv::ui {

namespace {

// The library registers the window class; it stays loaded for the process.
void loadRichEditLibrary() {
    static HMODULE library = LoadLibraryA("riched20.dll");
    if (!library) throw Error("Cannot load the rich edit library riched20.dll");
}

struct StreamSource {
    const std::string* text;
    size_t done = 0;
};

DWORD CALLBACK writeTarget(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
    *done = size;
    return 0;
}

DWORD CALLBACK readSource(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* got) {
    auto* s = reinterpret_cast<StreamSource*>(cookie);
    size_t n = std::min(static_cast<size_t>(std::max(size, 0L)), s->text->size() - s->done);
    std::copy_n(s->text->data() + s->done, n, buffer);
    s->done += n;
    *got = static_cast<LONG>(n);
    return 0;
}

}  // namespace

RichEdit::RichEdit() {
    style_ |= WS_TABSTOP;
    exStyle_ |= WS_EX_CLIENTEDGE;
}

void RichEdit::createParams(CreateArgs& args) {
    Control::createParams(args);
    loadRichEditLibrary();
    args.className = RICHEDIT_CLASSA;
    // Wrapping is switched by the target device, so the sideways scroll bar is
    // there for both settings and shows only when a line is too long.
    args.style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL;
    // The window's creation text would be read as markup when it looks like it.
    args.text.clear();
}

void RichEdit::createWnd() {
    std::string kept = text();
    Control::createWnd();
    SendMessageA(hwnd(), EM_SETREADONLY, readOnly_, 0);
    SendMessageA(hwnd(), EM_SETTARGETDEVICE, 0, wordWrap_ ? 0 : 1);
    if (maxLength_) SendMessageA(hwnd(), EM_EXLIMITTEXT, 0, maxLength_);
    if (!rtf_.empty() && kept == rtfPlain_) streamIn(rtf_, true, false);
    else if (!kept.empty()) streamIn(kept, false, false);
    rtf_.clear();
    rtfPlain_.clear();
    applyColor();
    setModified(false);
    SendMessageA(hwnd(), EM_SETEVENTMASK, 0, ENM_CHANGE);
}

void RichEdit::destroyWnd() {
    if (hwnd()) {
        rtf_ = streamOutRtf();
        rtfPlain_ = text();
    }
    Control::destroyWnd();
}

std::string RichEdit::streamOutRtf() const {
    std::string out;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 0, &writeTarget};
    SendMessageA(hwnd(), EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    return out;
}

void RichEdit::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (hwnd()) SendMessageA(hwnd(), EM_SETREADONLY, readOnly, 0);
}

void RichEdit::setWordWrap(bool wrap) {
    wordWrap_ = wrap;
    if (hwnd()) SendMessageA(hwnd(), EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
}

void RichEdit::setMaxLength(int length) {
    maxLength_ = length;
    if (hwnd() && length) SendMessageA(hwnd(), EM_EXLIMITTEXT, 0, length);
}

void RichEdit::setTextColor(COLORREF color) {
    color_ = color;
    applyColor();
}

// A change of colour or font is not an edit of the text, but the control
// counts it as one.
void RichEdit::applyColor() {
    if (!hwnd()) return;
    bool wasModified = modified();
    CHARFORMAT2A f{};
    f.cbSize = sizeof f;
    f.dwMask = CFM_COLOR;
    f.dwEffects = color_ == kAutoColor ? CFE_AUTOCOLOR : 0;
    f.crTextColor = color_ == kAutoColor ? 0 : color_;
    SendMessageA(hwnd(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&f));
    SendMessageA(hwnd(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&f));
    setModified(wasModified);
}

int RichEdit::textLength() const {
    GETTEXTLENGTHEX q{GTL_NUMCHARS, CP_ACP};
    return static_cast<int>(SendMessageA(hwnd(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&q), 0));
}

// The typing limit is not a limit on what the program puts in: it is raised
// for the stream when the text would not fit, then put back.
void RichEdit::streamIn(const std::string& text, bool rtf, bool selectionOnly) {
    long long needed = static_cast<long long>(selectionOnly ? textLength() : 0) + static_cast<long long>(text.size());
    LRESULT limit = SendMessageA(hwnd(), EM_GETLIMITTEXT, 0, 0);
    bool raise = needed > limit;
    if (raise) SendMessageA(hwnd(), EM_EXLIMITTEXT, 0, static_cast<LPARAM>(std::min<long long>(needed, INT_MAX)));
    StreamSource source{&text};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &readSource};
    WPARAM format = (rtf ? SF_RTF : SF_TEXT) | (selectionOnly ? SFF_SELECTION : 0);
    SendMessageA(hwnd(), EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    if (raise) SendMessageA(hwnd(), EM_EXLIMITTEXT, 0, limit);
}

void RichEdit::loadRtf(const std::string& rtf) {
    if (!hwnd()) {
        setText("");
        rtf_ = rtf;
        rtfPlain_.clear();
        return;
    }
    streamIn(rtf, true, false);
    SendMessageA(hwnd(), EM_SETMODIFY, FALSE, 0);
}

void RichEdit::appendLine(const std::string& line) {
    if (!hwnd()) {
        std::string t = text();
        setText(t.empty() || t.back() == '\n' ? t + line : t + "\r\n" + line);
        return;
    }
    bool wasModified = modified();
    int end = textLength();
    std::string piece = line;
    if (end > 0) {
        char last[4] = {};
        TEXTRANGEA range{{end - 1, end}, last};
        SendMessageA(hwnd(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
        if (last[0] != '\r' && last[0] != '\n') piece = "\r\n" + line;
    }
    setSelection(end, 0);
    streamIn(piece, false, true);
    applyColor();
    setModified(wasModified);
}

void RichEdit::setSelection(int start, int length) {
    if (!hwnd()) return;
    CHARRANGE r{start, length < 0 ? -1 : start + length};
    SendMessageA(hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

int RichEdit::selStart() const {
    CHARRANGE r{};
    if (hwnd()) SendMessageA(hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return r.cpMin;
}

int RichEdit::selLength() const {
    CHARRANGE r{};
    if (hwnd()) SendMessageA(hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return r.cpMax - r.cpMin;
}

std::string RichEdit::selectedText() const {
    int n = selLength();
    if (n <= 0) return {};
    // A line break may come out as two characters.
    std::string s(static_cast<size_t>(n) * 2 + 1, '\0');
    LRESULT got = SendMessageA(hwnd(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(std::max<LRESULT>(got, 0)));
    return s;
}

// The control carries out cut, paste and delete also when it is read-only, and
// does not count them as edits; both are done here.
void RichEdit::cutToClipboard() {
    if (!hwnd() || readOnly_ || selLength() <= 0) return;
    SendMessageA(hwnd(), WM_CUT, 0, 0);
    setModified(true);
}

void RichEdit::copyToClipboard() {
    if (hwnd()) SendMessageA(hwnd(), WM_COPY, 0, 0);
}

void RichEdit::pasteFromClipboard() {
    if (!hwnd() || readOnly_ || !IsClipboardFormatAvailable(CF_TEXT)) return;
    SendMessageA(hwnd(), WM_PASTE, 0, 0);
    setModified(true);
}

void RichEdit::clearSelection() {
    if (!hwnd() || readOnly_ || selLength() <= 0) return;
    SendMessageA(hwnd(), WM_CLEAR, 0, 0);
    setModified(true);
}

bool RichEdit::modified() const { return hwnd() && SendMessageA(hwnd(), EM_GETMODIFY, 0, 0) != 0; }

void RichEdit::setModified(bool modified) {
    if (hwnd()) SendMessageA(hwnd(), EM_SETMODIFY, modified, 0);
}

int RichEdit::lineCount() const { return hwnd() ? static_cast<int>(SendMessageA(hwnd(), EM_GETLINECOUNT, 0, 0)) : 0; }

int RichEdit::firstVisibleLine() const {
    return hwnd() ? static_cast<int>(SendMessageA(hwnd(), EM_GETFIRSTVISIBLELINE, 0, 0)) : 0;
}

void RichEdit::scrollToLine(int line) {
    if (hwnd()) SendMessageA(hwnd(), EM_LINESCROLL, 0, line - firstVisibleLine());
}

LRESULT RichEdit::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETTEXT) {
        // Plain text, whatever it starts with.
        streamIn(lp ? reinterpret_cast<const char*>(lp) : "", false, false);
        applyColor();
        SendMessageA(hwnd(), EM_SETMODIFY, FALSE, 0);
        return TRUE;
    }
    if (msg == WM_SETFONT) {
        bool wasModified = modified();
        LRESULT r = Control::wndProc(msg, wp, lp);
        setModified(wasModified);
        return r;
    }
    return Control::wndProc(msg, wp, lp);
}

LRESULT RichEdit::reflected(UINT msg, WPARAM wp, LPARAM, bool& handled) {
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
        handled = true;
        if (onChange) onChange(*this);
    }
    return 0;
}

}  // namespace kv::ui
