#pragma once
// Multi-line text over the system's rich edit control (riched20.dll): the
// description fields and the text viewer. Text set through the layer is always
// plain, even when it starts like rich-text markup; formatted text comes in
// only through loadRtf. Re-creation keeps the formatting.
#include <functional>
#include <string>

#include "ui/Control.h"

namespace kv::ui {

class RichEdit : public Control {
public:
    RichEdit();

    void setReadOnly(bool readOnly);
    bool readOnly() const { return readOnly_; }
    // Off: long lines scroll sideways instead of wrapping.
    void setWordWrap(bool wrap);
    bool wordWrap() const { return wordWrap_; }
    // Characters the text may hold; 0 keeps the control's own limit. The text
    // viewer raises it to 2147483647.
    void setMaxLength(int length);
    // The colour of the whole text (the font comes from setFont); kAutoColor
    // is the system's window-text colour.
    static constexpr COLORREF kAutoColor = 0xFF000000;
    void setTextColor(COLORREF color);
    COLORREF textColor() const { return color_; }

    // Replaces the text with rich-text markup, shown formatted.
    void loadRtf(const std::string& rtf);
    // Adds text as a new last line.
    void appendLine(const std::string& line);

    // Selection in characters; a line break counts as one.
    void setSelection(int start, int length);
    int selStart() const;
    int selLength() const;
    std::string selectedText() const;
    void selectAll() { setSelection(0, -1); }
    // Clipboard and deletion of the selection, as the edit pop-up menu offers them.
    void cutToClipboard();
    void copyToClipboard();
    void pasteFromClipboard();
    void clearSelection();

    bool modified() const;
    void setModified(bool modified);

    int lineCount() const;
    int firstVisibleLine() const;
    // Scrolls so that line (0-based) is the first visible one, or as near as the text allows.
    void scrollToLine(int line);

    std::function<void(RichEdit& sender)> onChange;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    void destroyWnd() override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    // Streams text in, replacing everything or only the selection.
    void streamIn(const std::string& text, bool rtf, bool selectionOnly);
    std::string streamOutRtf() const;
    void applyColor();
    int textLength() const;

    bool readOnly_ = false;
    bool wordWrap_ = true;
    int maxLength_ = 0;
    COLORREF color_ = kAutoColor;
    // The formatted text while there is no window, with the plain text it
    // belongs to: a text set meanwhile replaces it.
    std::string rtf_;
    std::string rtfPlain_;
};

}  // namespace kv::ui
