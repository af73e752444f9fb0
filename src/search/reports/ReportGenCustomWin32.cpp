// The generator's custom report: the tree of catalogs, disks and folders with
// its boxes, the macros on the selected node, and the ".CRP" layouts.
#include <windows.h>

#include "base/Errors.h"
#include "search/reports/CustomLayout.h"
#include "search/reports/ReportGenFormWin32.h"
#include "ui/Application.h"
#include "ui/PlaceControl.h"
#include "ui/WaitForm.h"

namespace kv {

namespace {

using ui::Put;

constexpr const char* kLevelCaptions[] = {"1 level", "2 levels", "3 levels", "4 levels", "All levels"};
constexpr int kLevelTags[] = {1, 2, 3, 4, kAllLevels};
// Layout files are a line per node; anything this large is not one.
constexpr DWORD kMaxLayoutFile = 64u << 20;

std::optional<std::string> ReadWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string text;
    const DWORD size = GetFileSize(file, nullptr);
    bool ok = size != INVALID_FILE_SIZE && size <= kMaxLayoutFile;
    if (ok) {
        text.resize(size);
        DWORD read = 0;
        ok = size == 0 || (ReadFile(file, text.data(), size, &read, nullptr) && read == size);
    }
    CloseHandle(file);
    return ok ? std::optional<std::string>(std::move(text)) : std::nullopt;
}

// Written beside the old file and then put in its place, so a failed write
// leaves the old layout as it was.
bool WriteWholeFile(const std::string& path, const std::string& text) {
    const std::string temp = path + ".$$$";
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size();
    CloseHandle(file);
    if (ok && MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileA(temp.c_str());
    return false;
}

}  // namespace

void TReportGenForm::BuildCustomControls() {
    Put(CustomFrame, *this, 10, 34, 330, 396, "Custom report");
    Put(CustomGroup, *this, 18, 52, 314, 370);
    CustomGroup.setBevel(false);
    TreeView.nodeImage = sources_.nodeImage;
    TreeView.onError = [this](const std::exception& e) { services_.prompt.showError(e.what()); };
    TreeView.View().setBounds(0, 0, 314, 284);
    TreeView.Create(CustomGroup, sources_.smallImages, sources_.checkImages);
    Put(BtnMacros, CustomGroup, 0, 290, 100, 26, "Macros");
    Put(BtnLoadLayout, CustomGroup, 106, 290, 102, 26, "Open Layout...");
    Put(BtnSaveLayout, CustomGroup, 212, 290, 102, 26, "Save Layout...");
    BtnMacros.onClick = [this](ui::Button&) {
        RECT r{};
        GetWindowRect(BtnMacros.hwnd(), &r);
        MacrosPopup.Popup(hwnd(), r.left, r.bottom);
    };
    BtnLoadLayout.onClick = [this](ui::Button&) { BtnLoadLayoutClick(); };
    BtnSaveLayout.onClick = [this](ui::Button&) { BtnSaveLayoutClick(); };
    Put(CustomHeaderLabel, CustomGroup, 0, 326, 110, 16, "Print headings:");
    Put(CustomCatalogHeader, CustomGroup, 0, 346, 90, 20, "Catalog");
    Put(CustomDiskHeader, CustomGroup, 96, 346, 90, 20, "Disk");
    Put(CustomFolderHeader, CustomGroup, 192, 346, 90, 20, "Folder");
    for (ui::CheckBox* box : {&CatalogHeaderCheck, &DiskHeaderCheck, &FolderHeaderCheck, &CustomCatalogHeader,
                              &CustomDiskHeader, &CustomFolderHeader})
        box->onClick = [this](ui::CheckBox& sender) { HeadingsChanged(&sender); };
    BuildMacros();
}

void TReportGenForm::BuildMacros() {
    ui::MenuItem& root = MacrosPopup.Items();
    ui::MenuItem& expand = root.Add("Expand from selected the next...");
    for (int i = 0; i < 5; ++i) {
        ui::MenuItem& item = expand.Add(kLevelCaptions[i], [this](ui::MenuItem& sender) { MacroExpandFrom(sender.Tag); });
        item.Tag = kLevelTags[i];
    }
    root.Add("Collapse All from selected", [this](ui::MenuItem&) { MacroCollapseFrom(); });
    root.Add("-");
    for (const bool include : {true, false}) {
        ui::MenuItem& files = root.Add(include ? "Include files from selected in next..."
                                               : "Exclude files from selected in next...");
        files.Tag = include ? 1 : 0;
        for (int i = 0; i < 5; ++i) {
            ui::MenuItem& item = files.Add(kLevelCaptions[i], [this](ui::MenuItem& sender) {
                MacroFiles(sender.Parent() && sender.Parent()->Tag == 1, sender.Tag);
            });
            item.Tag = kLevelTags[i];
        }
    }
}

bool TReportGenForm::ChangeTree(const std::function<void()>& change) {
    const ui::ScopedHourglass hourglass;
    TreeView.View().beginUpdate();
    std::string error;
    try {
        change();
    } catch (const std::exception& e) {
        error = e.what();
    }
    TreeView.View().endUpdate();
    // What was done before a failure shows too.
    TreeView.ShowModel();
    if (!error.empty())
        services_.prompt.showError(error);
    return error.empty();
}

void TReportGenForm::RunMacro(const std::function<void(CustomTreeNode&)>& macro) {
    CustomTreeNode* node = TreeView.Selected();
    if (!node || !ChangeTree([&] { macro(*node); }))
        return;
    TreeView.MakeVisible(node);
    TreeView.View().setFocus();
}

void TReportGenForm::MacroExpandFrom(int depth) {
    RunMacro([this, depth](CustomTreeNode& node) { CustomModel.ExpandLevels(node, depth); });
}

void TReportGenForm::MacroCollapseFrom() {
    RunMacro([this](CustomTreeNode& node) { CustomModel.CollapseAll(node); });
}

void TReportGenForm::MacroFiles(bool include, int depth) {
    RunMacro([this, include, depth](CustomTreeNode& node) { CustomModel.SetFilesState(node, include, depth); });
}

std::optional<std::vector<const ItemHead*>> TReportGenForm::CollectCustomReportItems() {
    ui::WaitFormProgress wait;
    wait.showWaitWindow("Generating list of selected items...", false, true);
    std::size_t nodes = 0;
    const auto step = [&] {
        if (++nodes % 64 != 0)
            return;
        ui::Application::instance().processMessages();
        if (wait.cancelPressed())
            throw EAbort();
    };
    std::optional<std::vector<const ItemHead*>> items;
    try {
        items = CustomModel.CollectCustomReportItems(nullptr, step);
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        wait.closeWaitWindow();
        services_.prompt.showError(e.what());
        return std::nullopt;
    }
    wait.closeWaitWindow();
    return items;
}

ui::FileDialogRequest TReportGenForm::LayoutDialog(const char* title) const {
    ui::FileDialogRequest request;
    request.title = title;
    request.filters = {{"Custom Report Layouts", "*.CRP"}, {"All Files (*.*)", "*.*"}};
    // "CRP" for both: a typed name gets the extension the Open dialog lists.
    request.defaultExtension = "CRP";
    request.initialFolder = sources_.layoutFolder;
    return request;
}

void TReportGenForm::BtnSaveLayoutClick() {
    const auto path = services_.files.saveFile(LayoutDialog("Save Custom Report Layout"));
    if (!path)
        return;
    bool written = false;
    {
        const ui::ScopedHourglass hourglass;
        written = WriteWholeFile(*path, SaveLayoutText(CustomModel));
    }
    if (!written)
        services_.prompt.showError("Cannot write file " + *path);
}

void TReportGenForm::BtnLoadLayoutClick() {
    const auto paths = services_.files.openFiles(LayoutDialog("Open Custom Report Layout"));
    if (!paths || paths->empty())
        return;
    const std::string& path = paths->front();
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) {
        services_.prompt.showError("File open error: " + path);
        return;
    }
    LayoutLoadResult result;
    if (!ChangeTree([&] { result = ApplyLayoutText(CustomModel, *text); }))
        return;
    if (result.notFound)
        services_.prompt.ask({kLayoutNotFoundWarning, "Warning", ui::PromptButtons::Ok, ui::PromptIcon::Warning});
}

}  // namespace kv
