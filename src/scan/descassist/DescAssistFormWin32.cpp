#include "scan/descassist/DescAssistFormWin32.h"

#include "base/Errors.h"
#include "catalog/model/ItemRecords.h"
#include "scan/DialogButtonsWin32.h"
#include "ui/Application.h"
#include "ui/PlaceControl.h"
#include "ui/WindowPlacement.h"

namespace kv {

namespace {

void escapeCancels(ui::RichEdit& edit, ui::Form& form) {
    edit.onKeyDown = [&form](ui::Control&, WORD& key, UINT) {
        if (key == VK_ESCAPE) {
            key = 0;
            form.close();
        }
    };
}

}  // namespace

TDescAssistForm::TDescAssistForm(DescAssistServices services) : services_(std::move(services)) {
    SetUpDialogForm(*this, "Description Assistant", "KvDescAssistForm", 530, 470);
    ui::Put(IconImage, *this, 8, 6, 36, 36);
    ui::Put(NameLabel, *this, 52, 16, 460, 18);
    DescMemo.setWordWrap(true);
    ui::Put(DescMemo, *this, 8, 46, 514, 130);
    ui::Put(DescLabel, *this, 8, 190, 110, 16, "Description files:");
    ui::Put(FilesCombo, *this, 120, 186, 300, 200);
    FilesCombo.onChange = [this](ui::ComboBox&) { LoadDescFile(); };
    ui::Put(SearchBtn, *this, 430, 185, 92, 24, "Get &Files");
    SearchBtn.onClick = [this](ui::Button&) { SearchBtnClick(); };
    FileMemo.setReadOnly(true);
    ui::Put(FileMemo, *this, 8, 216, 514, 204);
    ui::Put(ConvertCheck, *this, 8, 436, 110, 20, "ANSI Convert");
    ConvertCheck.onClick = [this](ui::CheckBox&) { LoadDescFile(); };
    RedLabel.setTextColor(RGB(192, 0, 0));
    ui::Put(RedLabel, *this, 124, 438, 180, 16, "Description Assistant");
    CreateDialogButtons(*this, {OKBtn, "&OK", ui::mrOk}, {CancelBtn, "&Cancel", ui::mrCancel}, 358, 434, 78);
    // Long descriptions stay whole; the caller cuts what it stores.
    DescMemo.setMaxLength(0x7FFFFFF);
    FileMemo.setMaxLength(0x7FFFFFF);
    if (services_.descriptionFont) DescMemo.setFont(services_.descriptionFont);
    if (services_.fileTextFont) FileMemo.setFont(services_.fileTextFont);
    escapeCancels(DescMemo, *this);
    escapeCancels(FileMemo, *this);
    onCloseQuery = [this](ui::Form&, bool& canClose) {
        if (modalResult() == ui::mrOk || !DescMemo.modified() || !services_.prompt)
            return;
        canClose = services_.prompt->confirm("Discard description changes?", "Close Form");
        if (!canClose) setModalResult(ui::mrNone);
    };
}

TDescAssistForm::~TDescAssistForm() { destroyWindow(); }

std::string TDescAssistForm::root() const {
    return services_.mediumRoot ? services_.mediumRoot(MediumLetter) : std::string(1, MediumLetter) + ":";
}

void TDescAssistForm::PrepareDescAssistant(Node* node, TFileRec* fileRec) {
    Item = node;
    file_ = fileRec;
    const ItemHead* item = fileRec ? static_cast<const ItemHead*>(fileRec) : node->record();
    NameLabel.setText(fileRec ? std::string(fileRec->name()) : node->text());
    IconImage.setIcon(services_.largeImages, services_.iconOf ? services_.iconOf(item) : -1);
    DescMemo.setText(services_.descriptionOf ? services_.descriptionOf(*item) : std::string());
    DescMemo.setModified(false);
    FilesSearched = false;
    NoFilesFound = false;
    Files.clear();
    FilesCombo.clear();
    FileMemo.setText("");
    MediumLetter = 0;
    // A catalog has no medium to look on.
    if (!RecordAs<TCatalogRec>(node->record()) && services_.locateMedia)
        if (const std::optional<char> letter = services_.locateMedia(item, false)) {
            MediumLetter = *letter;
            SearchDescFiles();
        }
    updateButtons();
}

void TDescAssistForm::updateButtons() {
    const bool catalog = Item && RecordAs<TCatalogRec>(Item->record());
    SearchBtn.setEnabled(!FilesSearched && !catalog);
    const bool found = FilesSearched && !NoFilesFound;
    DescLabel.setEnabled(found);
    FilesCombo.setEnabled(found);
}

void TDescAssistForm::SearchBtnClick() {
    if (!services_.locateMedia)
        return;
    const ItemHead* item = file_ ? static_cast<const ItemHead*>(file_) : Item->record();
    const std::optional<char> letter = services_.locateMedia(item, true);
    if (!letter)
        return;
    MediumLetter = *letter;
    SearchDescFiles();
    updateButtons();
}

void TDescAssistForm::SearchDescFiles() {
    if (services_.showStatus) services_.showStatus("Searching for description files, please wait...", true);
    ui::ScopedHourglass wait;
    Files = kv::SearchDescFiles(*Item, services_.search);
    FilesSearched = true;
    NoFilesFound = Files.empty();
    FilesCombo.clear();
    if (NoFilesFound) {
        FilesCombo.addItem("(no available description files found)");
        FilesCombo.setItemIndex(0);
    } else {
        for (const DescFileEntry& entry : Files) FilesCombo.addItem(entry.path);
        FilesCombo.setItemIndex(0);
    }
    if (services_.showStatus) services_.showStatus("", false);
    if (!NoFilesFound)
        LoadDescFile();
}

void TDescAssistForm::LoadDescFile() {
    const int index = FilesCombo.itemIndex();
    if (NoFilesFound || index < 0 || static_cast<std::size_t>(index) >= Files.size())
        return;
    if (services_.showStatus) services_.showStatus("Loading description file...", true);
    ui::ScopedHourglass wait;
    const DescFileLocation where = LocateDescFile(*Files[static_cast<std::size_t>(index)].file);
    std::string text;
    std::optional<std::string> path = root() + where.folderPath + "\\" + where.name;
    if (where.inArchive)
        path = services_.extractMember ? services_.extractMember(root() + where.archivePath, where.name) : std::nullopt;
    if (!path) {
        text = kDescExtractError;
    } else {
        const std::optional<std::string> bytes =
            services_.readFile ? services_.readFile(*path, kDescFileShowLimit + 1) : std::nullopt;
        text = bytes ? DescFileText(*bytes, ConvertCheck.checked()) : std::string(kDescReadError);
    }
    FileMemo.setText(text);
    if (services_.showStatus) services_.showStatus("", false);
}

bool TDescAssistForm::Run() {
    if (!services_.placementKey.empty()) {
        std::int32_t extra = 0;
        try {
            RestoreFormPlacement(hwnd(), "DescAssistWndPos", extra, services_.placementKey);
            setPosition(ui::FormPosition::Designed);
        } catch (const EAbort&) {
        }
    }
    onShow = [this](ui::Form&) { DescMemo.setFocus(); };
    const bool ok = showModal() == ui::mrOk;
    if (!services_.placementKey.empty()) {
        try {
            SaveFormPlacement(hwnd(), "DescAssistWndPos", 0, services_.placementKey);
        } catch (const EAbort&) {
        }
    }
    return ok;
}

}  // namespace kv
