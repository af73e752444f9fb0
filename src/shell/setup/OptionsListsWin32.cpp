// The settings dialog's lists (description patterns, import priority, auto
// load) and its folder and program pickers.
#include "base/text/Wildcard.h"
#include "shell/setup/OptionsFormWin32.h"
#include "system/SystemCaseMap.h"

namespace kv {

namespace {

std::vector<bool> selectionOf(const ui::ListBox& list) {
    std::vector<bool> selected(static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i) selected[static_cast<std::size_t>(i)] = list.selected(i);
    return selected;
}

void setSelection(ui::ListBox& list, const std::vector<bool>& selected) {
    for (int i = 0; i < list.count(); ++i) list.setSelected(i, selected[static_cast<std::size_t>(i)]);
}

bool folderExists(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void TOptionsForm::descAdd() {
    const std::string pattern = CleanDescPattern(DescEdit.text(), systemCaseMap());
    if (pattern.empty()) {
        DescEdit.setText(CleanMaskList(DescEdit.text()));
        refreshEnabling();
        return;
    }
    // A pattern already listed is not listed twice.
    if (DescList.indexOf(pattern) < 0)
        DescList.addItem(pattern);
    DescEdit.setText("");
    changed();
}

void TOptionsForm::descDelete() {
    bool removed = false;
    for (int i = DescList.count(); i-- > 0;)
        if (DescList.selected(i)) {
            DescList.deleteItem(i);
            removed = true;
        }
    if (removed)
        changed();
    else
        refreshEnabling();
}

void TOptionsForm::moveListSelection(ui::ListBox& list, int delta) {
    std::vector<std::string> items = list.items();
    std::vector<bool> selected = selectionOf(list);
    const std::vector<std::string> before = items;
    MoveSelected(items, selected, delta);
    if (items == before)
        return;
    list.setItems(items);
    setSelection(list, selected);
    changed();
}

void TOptionsForm::priorityMove(int delta) {
    const int selected = ImportDescList.itemIndex();
    const int other = selected + delta;
    if (selected < 0 || other < 0 || other >= ImportDescList.count())
        return;
    ImportDescList.exchange(selected, other);
    ImportDescList.setItemIndex(other);
    changed();
}

void TOptionsForm::autoloadAdd() {
    ui::FileDialogRequest request;
    request.title = "Open Catalog";
    request.filters = {{"Catalog Files (*.ctf)", "*.ctf"}, {"All Files (*.*)", "*.*"}};
    request.defaultExtension = "ctf";
    request.initialFolder = CatalogPathEdit.text();
    request.multiSelect = false;
    const auto chosen = fileDialogs().openFiles(request);
    if (!chosen || chosen->empty())
        return;
    const std::string& file = chosen->front();
    if (AutoloadList.indexOf(file) >= 0) {
        prompt().showInformation("Selected catalog is already listed for autoloading.", "Notice");
        return;
    }
    if (AutoloadList.count() >= static_cast<int>(kMaxAutoloadCatalogs))
        return;
    AutoloadList.addItem(file);
    changed();
}

void TOptionsForm::autoloadRemove() {
    bool removed = false;
    for (int i = AutoloadList.count(); i-- > 0;)
        if (AutoloadList.selected(i)) {
            AutoloadList.deleteItem(i);
            removed = true;
        }
    if (removed)
        changed();
}

void TOptionsForm::browseFolder(ui::Edit& edit, const std::string& caption, const std::string& fallback) {
    const std::string start = PickerStartFolder(edit.text(), fallback, folderExists);
    if (start != edit.text())
        edit.setText(start);
    if (!services_.pickFolder)
        return;
    if (auto folder = services_.pickFolder(hwnd(), FolderPickRequest{caption, start, false}))
        edit.setText(*folder);
}

void TOptionsForm::browseProgram(ui::Edit& edit, const std::string& title) {
    ui::FileDialogRequest request;
    request.title = title;
    request.filters = {{"Executable Files", "*.exe"}};
    request.defaultExtension = "*.exe";
    request.fileName = edit.text();
    const std::string::size_type slash = request.fileName.find_last_of("\\/");
    if (slash != std::string::npos)
        request.initialFolder = request.fileName.substr(0, slash);
    request.mustExist = true;
    const auto chosen = fileDialogs().openFiles(request);
    if (!chosen || chosen->empty())
        return;
    std::string file = chosen->front();
    const std::string::size_type name = file.find_last_of("\\/");
    if (file.find('.', name == std::string::npos ? 0 : name) == std::string::npos)
        file += ".exe";
    edit.setText(file);
}

}  // namespace kv
