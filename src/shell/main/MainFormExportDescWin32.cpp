// Export Descriptions to Media: the folder's descriptions written back as
// description files on the medium that holds it.
#include "shell/main/MainFormWin32.h"

#include <cstdlib>
#include <random>

#include "base/Errors.h"
#include "catalog/media/SystemDrives.h"
#include "scan/DescExport.h"
#include "scan/ExportDescFormWin32.h"
#include "shell/commands/CommandTable.h"

namespace kv {

namespace {

// A file can be made and erased in the root: the medium takes writes.
bool MediumWritable(const std::string& root) {
    char name[MAX_PATH] = {};
    std::string file;
    if (GetTempFileNameA(root.c_str(), "DSC", 0, name)) {
        file = name;
    } else {
        file = JoinPath(root, std::to_string(std::random_device{}() % 99999999u) + ".TMP");
        HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(h);
    }
    DeleteFileA(file.c_str());
    return true;
}

}  // namespace

void MainForm::ExportDescClick(CommandSource source) {
    if (RefusedDuringSearch(CommandInfoOf(CommandId::ExportDesc).refusal, searchRunning(), *prompt_))
        return;
    // The list's focused row on the list's side; a file row stands for its folder.
    Node* node = selected();
    const bool treeSide = source == CommandSource::TreePopup ||
                          (source != CommandSource::ListPopup && tree.hwnd() && GetFocus() == tree.hwnd());
    if (!treeSide) {
        if (const ItemHead* row = focusedListRecord(); row && row->node)
            node = row->node;
    }
    if (!node || !node->record() || RecordAs<TCatalogRec>(node->record()))
        return;

    char letter = 0;
    if (services_.locateMedium) {
        const std::optional<char> found = services_.locateMedium(node->record());
        if (!found)
            return;
        letter = *found;
    } else {
        ui::ScopedHourglass wait;
        if (locateMedia(node->record(), letter, false) != LocateResult::Found)
            return;
    }
    const std::string root = services_.mediumRoot ? services_.mediumRoot(letter) : std::string(1, letter) + ":\\";
    if (!MediumWritable(root)) {
        prompt_->showError("This media seems to be read-only, writing has failed.\r\n"
                           "Descriptions can not be exported to this media.",
                           "Can't Write to Media");
        return;
    }

    exportDescForm_ = std::make_unique<TExportDescForm>();
    struct Free {
        std::unique_ptr<TExportDescForm>& form;
        ~Free() { form.reset(); }
    } free{exportDescForm_};
    TExportDescForm& form = *exportDescForm_;
    form.DriveLetter = letter;
    form.FolderNode = node;
    form.onProperties = [this](Node* folder) { showProperties(folder, nullptr); };
    ExportOptions options;
    if (!form.Choose(options))
        return;
    if (services_.mediumRoot)
        options.mediumRoot = services_.mediumRoot(letter);
    progress_.showWaitWindow("Exporting descriptions", false, false);
    progress_.setWaitTotal(100);
    ShowStatus("Exporting descriptions to media, please wait...", true);
    try {
        DescriptionExporter(services_.files, options).exportNode(*node);
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        progress_.closeWaitWindow();
        ShowStatus("", false);
        prompt_->showError(e.what());
        return;
    }
    progress_.closeWaitWindow();
    ShowStatus("", false);
}

}  // namespace kv
