#include "shell/folderbrowse/BrowseFolderFormWin32.h"

#include <algorithm>

#include "shell/folderbrowse/FolderBrowseRules.h"
#include "system/files/QuietErrorsWin32.h"
#include "ui/PlaceControl.h"

namespace kv {

namespace {
constexpr int kTreeLeft = 8;
constexpr int kTreeTop = 28;
constexpr int kTreeWidth = 240;
constexpr int kTreeHeight = 260;
constexpr int kClientWidth = 346;

bool AnyEntry(const std::string& path) {
    const QuietErrors quiet;
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Anything in the folder, hidden files too.
bool FolderEmpty(const std::string& folder) {
    const QuietErrors quiet;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return true;
    bool empty = true;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..")
            empty = false;
    } while (empty && FindNextFileA(find, &data));
    FindClose(find);
    return empty;
}
}  // namespace

TBrowseFolderForm::TBrowseFolderForm(SectionStore& store, ui::UserPrompt& prompt) : store_(store), prompt_(prompt) {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("Select Folder");
    setWindowClassName("KvBrowseFolderForm");
    createHandle();
    ui::Put(DirLabel, *this, kTreeLeft, 8, kClientWidth - 16, 16);
    ui::Put(DirTree, *this, kTreeLeft, kTreeTop, kTreeWidth, kTreeHeight);
    DirTree.OnChange = [this](ui::TDirTree&, DirNode*) { selectionChanged(); };
    DirTree.onEditing = [this](ui::TreeView&, ui::TreeView::Node node, bool& allow) {
        allow = !BrowseOnly && node && static_cast<DirNode*>(node)->parent;
    };
    DirTree.onEdited = [this](ui::TreeView&, ui::TreeView::Node n, std::string& text, bool& accept) {
        auto* node = static_cast<DirNode*>(n);
        accept = false;
        if (!node || !node->parent || text == node->text)
            return;
        const std::string from = node->path.substr(0, node->path.size() - 1);
        const std::string to = node->parent->path + text;
        bool renamed = false;
        if (IsValidFolderName(text)) {
            const QuietErrors quiet;
            renamed = MoveFileA(from.c_str(), to.c_str()) != 0;
        }
        if (!renamed) {
            prompt_.ask({"Operating system has denied raneming this folder", "Error", ui::PromptButtons::Ok,
                         ui::PromptIcon::Stop});
            return;
        }
        DirTree.RenameFolderNode(*node, text);
    };
    DirTree.onKeyDown = [this](ui::Control&, WORD& key, UINT) {
        if (BrowseOnly)
            return;
        if (key == VK_F2) {
            renameClick();
            key = 0;
        } else if (key == VK_DELETE) {
            deleteClick();
            key = 0;
        }
    };
    const int x = kTreeLeft + kTreeWidth + 10;
    const int w = kClientWidth - x - 8;
    struct {
        ui::Button& button;
        const char* text;
        int y;
    } buttons[] = {{OKBtn, "OK", kTreeTop},           {CancelBtn, "Cancel", kTreeTop + 31},
                   {NewFolderBtn, "New Folder", kTreeTop + 80}, {RenameBtn, "Rename", kTreeTop + 111},
                   {DeleteBtn, "Delete", kTreeTop + 142}, {RefreshBtn, "Refresh", kTreeTop + 191}};
    for (auto& b : buttons) {
        ui::Put(b.button, *this, x, b.y, w, 25, b.text);
    }
    OKBtn.setDefault(true);
    OKBtn.onClick = [this](ui::Button&) {
        endEditing(false);
        if (DirTree.GetDirectory() != "?")
            setModalResult(ui::mrOk);
    };
    CancelBtn.onClick = [this](ui::Button&) {
        endEditing(true);
        setModalResult(ui::mrCancel);
    };
    NewFolderBtn.onClick = [this](ui::Button&) { newFolderClick(); };
    RenameBtn.onClick = [this](ui::Button&) { renameClick(); };
    DeleteBtn.onClick = [this](ui::Button&) { deleteClick(); };
    RefreshBtn.onClick = [this](ui::Button&) {
        LockWindowUpdate(DirTree.hwnd());
        DirTree.RefreshTree();
        LockWindowUpdate(nullptr);
        selectionChanged();
    };
    setDefaultControl(&OKBtn);
    setCancelControl(&CancelBtn);
    for (std::size_t i = 0; i < CheckBoxes.size(); ++i) {
        ui::Put(CheckBoxes[i], *this, kTreeLeft, kTreeTop + kTreeHeight + 5 + 22 * static_cast<int>(i),
                kClientWidth - 16, 17);
    }
    SetNumCheckBox(0);
    onShow = [this](ui::Form&) {
        for (ui::Button* b : {&NewFolderBtn, &RenameBtn, &DeleteBtn})
            b->setVisible(!BrowseOnly);
        if (HTREEITEM h = DirTree.itemOf(DirTree.SelectedNode()))
            SendMessageA(DirTree.hwnd(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(h));
        DirTree.setFocus();
        selectionChanged();
    };
}

TBrowseFolderForm::~TBrowseFolderForm() { destroyWindow(); }

void TBrowseFolderForm::SetNumCheckBox(int count) {
    numCheckBox_ = std::clamp(count, 0, 3);
    for (int i = 0; i < 3; ++i)
        CheckBoxes[static_cast<std::size_t>(i)].setVisible(i < numCheckBox_);
    setClientSize(kClientWidth, kTreeTop + kTreeHeight + 5 + 22 * numCheckBox_);
}

void TBrowseFolderForm::LoadCheckStates(const std::string& valueName, std::int32_t fallback) {
    const std::array<bool, 3> states = DecodeCheckStates(store_.ReadInteger("", valueName, fallback));
    for (std::size_t i = 0; i < 3; ++i)
        CheckBoxes[i].setChecked(states[i]);
}

void TBrowseFolderForm::SaveCheckStates(const std::string& valueName) {
    store_.WriteInteger("", valueName,
                        EncodeCheckStates({CheckBoxes[0].checked(), CheckBoxes[1].checked(), CheckBoxes[2].checked()}));
}

void TBrowseFolderForm::selectionChanged() {
    const std::string dir = DirTree.GetDirectory();
    const bool chosen = dir != "?";
    DirLabel.setText(chosen ? dir : std::string());
    OKBtn.setEnabled(chosen);
    RenameBtn.setEnabled(chosen && DirTree.SelectedNode()->parent);
    DeleteBtn.setEnabled(chosen && DirTree.SelectedNode()->parent);
    NewFolderBtn.setEnabled(chosen);
}

void TBrowseFolderForm::newFolderClick() {
    DirNode* parent = DirTree.SelectedNode();
    if (!parent)
        return;
    const std::string name = NewFolderName([&](const std::string& n) { return AnyEntry(parent->path + n); });
    bool made = false;
    {
        const QuietErrors quiet;
        made = CreateDirectoryA((parent->path + name).c_str(), nullptr) != 0;
    }
    if (!made) {
        prompt_.ask({"Can't craate new folder!", "Error", ui::PromptButtons::Ok, ui::PromptIcon::Stop});
        return;
    }
    if (DirNode* node = DirTree.AddFolderNode(*parent, name))
        DirTree.EditNodeText(*node);
}

void TBrowseFolderForm::renameClick() {
    if (DirNode* node = DirTree.SelectedNode(); node && node->parent && !BrowseOnly)
        DirTree.EditNodeText(*node);
}

void TBrowseFolderForm::deleteClick() {
    DirNode* node = DirTree.SelectedNode();
    if (!node || !node->parent)
        return;
    if (!FolderEmpty(node->path)) {
        prompt_.ask({"Selected folder is not emtpy, deleting denied!", "Error", ui::PromptButtons::Ok,
                     ui::PromptIcon::Warning});
        return;
    }
    bool removed = false;
    {
        const QuietErrors quiet;
        removed = RemoveDirectoryA(node->path.substr(0, node->path.size() - 1).c_str()) != 0;
    }
    if (!removed) {
        prompt_.ask({"Operating system has denied deleting this folder!", "Error", ui::PromptButtons::Ok,
                     ui::PromptIcon::Stop});
        return;
    }
    DirTree.RemoveFolderNode(*node);
}

void TBrowseFolderForm::endEditing(bool cancel) {
    if (DirTree.hwnd())
        SendMessageA(DirTree.hwnd(), TVM_ENDEDITLABELNOW, cancel ? TRUE : FALSE, 0);
}

std::optional<FolderBrowseResult> TBrowseFolderForm::BrowseForFolder(const FolderBrowseRequest& request) {
    setCaption(request.caption.empty() ? std::string("Select Folder") : request.caption);
    SetNumCheckBox(static_cast<int>(request.optionCaptions.size()));
    for (std::size_t i = 0; i < request.optionCaptions.size() && i < 3; ++i)
        CheckBoxes[i].setText(request.optionCaptions[i]);
    if (!request.optionsValueName.empty())
        LoadCheckStates(request.optionsValueName, request.defaultOptions);
    else
        for (std::size_t i = 0; i < 3; ++i)
            CheckBoxes[i].setChecked(request.optionStates[i]);
    BrowseOnly = request.browseOnly;
    const char onlyDrive = request.onlyDrive >= 'a' && request.onlyDrive <= 'z'
                               ? static_cast<char>(request.onlyDrive - 'a' + 'A')
                               : request.onlyDrive;
    if (onlyDrive != DirTree.SelectDrive()) {
        DirTree.SetSelectDrive(onlyDrive);
        DirTree.RefreshTree();
    } else if (DirTree.model().roots().empty()) {
        DirTree.RefreshTree();
    }
    if (!request.startFolder.empty()) {
        DirTree.ChangeDrive(request.startFolder[0]);
        DirTree.SetDirectory(request.startFolder);
    }
    if (showModal() != ui::mrOk || DirTree.GetDirectory() == "?")
        return std::nullopt;
    if (!request.optionsValueName.empty())
        SaveCheckStates(request.optionsValueName);
    FolderBrowseResult result;
    result.folder = DirTree.GetDirectory();
    for (std::size_t i = 0; i < 3; ++i)
        result.options[i] = static_cast<int>(i) < numCheckBox_ && CheckBoxes[i].checked();
    return result;
}

}  // namespace kv
