#pragma once
// "Description Assistant": the editor of one item's description, with the
// description files found on the medium (also inside archives) shown below
// it to copy text from.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "catalog/model/Node.h"
#include "scan/descassist/DescFiles.h"
#include "scan/properties/ItemIconWin32.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"
#include "ui/RichEdit.h"
#include "ui/RichEditPopup.h"
#include "ui/UserPrompt.h"

namespace kv {

struct DescAssistServices {
    ui::UserPrompt* prompt = nullptr;
    DescFileSearch search;
    // The drive holding the item's disk; ask: prompt for the medium.
    std::function<std::optional<char>(const ItemHead* item, bool ask)> locateMedia;
    // Where a drive's root is reached (tests map drives to folders): "X:" by default.
    std::function<std::string(char letter)> mediumRoot;
    // The whole file, or nothing when it cannot be read; at most limit bytes.
    std::function<std::optional<std::string>(const std::string& path, std::size_t limit)> readFile;
    // Extracts the named member of the archive into ExtractDir; the extracted file's path or nothing.
    std::function<std::optional<std::string>(const std::string& archive, const std::string& member)> extractMember;
    std::function<void(const std::string& text, bool busy)> showStatus;
    // The item's stored description.
    std::function<std::string(const ItemHead& item)> descriptionOf;
    HIMAGELIST largeImages = nullptr;
    // The description's font and the description file's; null: the window's own.
    HFONT descriptionFont = nullptr;
    HFONT fileTextFont = nullptr;
    std::function<int(const ItemHead* item)> iconOf;
    // The program key for the window's placement ("DescAssistWndPos"); empty: not kept.
    std::string placementKey;
};

class TDescAssistForm : public ui::Form {
public:
    explicit TDescAssistForm(DescAssistServices services);
    ~TDescAssistForm() override;

    // FileRec: the file record, or none for the node's own description.
    void PrepareDescAssistant(Node* node, TFileRec* fileRec);
    // Shows the window modally; true after OK. The text is DescMemo's.
    bool Run();

    ItemIconView IconImage;
    ui::Label NameLabel, DescLabel, RedLabel;
    ui::RichEdit DescMemo, FileMemo;
    // Cut, Copy, Paste, Delete and Select All on both texts.
    ui::RichEditPopup DescPopup{DescMemo}, FilePopup{FileMemo};
    ui::ComboBox FilesCombo;
    ui::Button SearchBtn, OKBtn, CancelBtn;
    ui::CheckBox ConvertCheck;

    Node* Item = nullptr;
    char MediumLetter = 0;
    bool FilesSearched = false;
    bool NoFilesFound = false;
    std::vector<DescFileEntry> Files;

    void SearchDescFiles();
    void LoadDescFile();
    void SearchBtnClick();

private:
    void updateButtons();
    std::string root() const;
    DescAssistServices services_;
    TFileRec* file_ = nullptr;
};

}  // namespace kv
