#pragma once
// TDirTree: the drives and folders of the machine in a tree view with the
// shell's icons, read as the user opens them (DirTreeModel holds the rules).
#include <memory>
#include <string>

#include "controls/dirtree/DirTreeModel.h"
#include "ui/TreeView.h"

namespace kv::ui {

// The machine's drives and folders, with critical-error boxes switched off.
class SystemFolderSource : public IFolderSource {
public:
    std::uint32_t logicalDrives() override;
    unsigned driveType(char letter) override;
    void listSubFolders(const std::string& path, const std::function<bool(const SubFolderEntry&)>& visit) override;
    bool folderExists(const std::string& path) override;
    std::string displayName(const std::string& path) override;
    int icon(const std::string& path, bool open) override;
};

class TDirTree : public TreeView, private DirTreeView {
public:
    // source null: the machine's own drives.
    explicit TDirTree(IFolderSource* source = nullptr);
    ~TDirTree() override;

    // Asked for every drive root and sub-folder before it is listed.
    taddfileevent& OnAddDir() { return model_.OnAddDir; }
    bool ReadOnStart = false;
    // The shell's small system image list (shared, not owned).
    HIMAGELIST ShellIcons() const { return shellIcons_; }
    tDirType DirType() const { return model_.DirType; }
    void SetDirType(tDirType type);
    bool AllowNetwork() const { return allowNetwork_; }
    // Network drives are listed either way; a change rebuilds the tree.
    void SetAllowNetwork(bool allow);
    char SelectDrive() const { return model_.SelectDrive; }
    void SetSelectDrive(char drive) { model_.SelectDrive = drive; }

    void RefreshTree();
    void SetDirectory(const std::string& path);
    std::string GetDirectory() const { return model_.GetDirectory(); }
    void ChangeDrive(char drive);
    DirNode* AddFolderNode(DirNode& parent, const std::string& name);
    void EditNodeText(DirNode& node) { editLabel(&node); }
    void RenameFolderNode(DirNode& node, const std::string& newName);
    void RemoveFolderNode(DirNode& node);
    DirNode* SelectedNode() const { return model_.selected(); }
    DirTreeModel& model() { return model_; }

    // After the selection moved (the model already follows it).
    std::function<void(TDirTree& sender, DirNode* node)> OnChange;

protected:
    void createWnd() override;

private:
    // DirTreeView
    void cleared() override;
    void added(DirNode& node) override;
    void removingChildren(DirNode& node) override;
    void removing(DirNode& node) override;
    void changed(DirNode& node) override;
    void select(DirNode* node) override;

    void showWay(DirNode& node);

    std::unique_ptr<IFolderSource> ownSource_;
    DirTreeModel model_;
    HIMAGELIST shellIcons_ = nullptr;
    bool allowNetwork_ = true;
    int busy_ = 0;
};

}  // namespace kv::ui
