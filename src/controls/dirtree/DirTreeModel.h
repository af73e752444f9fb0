#pragma once
// The drives and folders of the folder tree, read lazily: a folder's
// sub-folders are read when it is expanded or a path below it is selected. Each
// node owns its path and read state; the last folder of each drive is kept so
// that switching drives returns there. The file system comes through
// IFolderSource and the tree control follows through DirTreeView, so the rules
// run without windows.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kv {

// Which sub-folders are listed (bits of tDirType).
enum tdirattr : std::uint8_t {
    dtReadonly = 1, dtHidden = 2, dtSystem = 4, dtArchive = 8, dtNormal = 16, dtAll = 32
};
using tDirType = std::uint8_t;

// Asked for every drive root and sub-folder before it is listed; clearing
// DoAdd leaves it out.
using taddfileevent = std::function<void(const std::string& Filename, bool& DoAdd)>;

// Whether a sub-folder with these DOS attributes is listed under dirType.
bool DirTypeAccepts(tDirType dirType, std::uint32_t attributes);

struct SubFolderEntry {
    std::string name;
    std::uint32_t attributes = 0;  // DOS bits
};

// The file system as the tree sees it. Paths end in a backslash. No call ever
// asks the user about a drive without its medium.
class IFolderSource {
public:
    virtual ~IFolderSource() = default;
    virtual std::uint32_t logicalDrives() = 0;  // bit 0 = A:
    // The system's drive types: 2 removable, 3 fixed, 4 network, 5 CD-ROM, 6 RAM disk.
    virtual unsigned driveType(char letter) = 0;
    // The folders in path ("." and ".." left out); stops early when visit returns false.
    virtual void listSubFolders(const std::string& path, const std::function<bool(const SubFolderEntry&)>& visit) = 0;
    virtual bool folderExists(const std::string& path) = 0;
    virtual std::string displayName(const std::string& path) = 0;
    // The shell's small icon of the path (open: its open form).
    virtual int icon(const std::string& path, bool open) = 0;
};

struct DirNode {
    std::string path;  // with a trailing backslash
    std::string text;
    int image = -1;
    int selectedImage = -1;
    bool read = false;         // sub-folders read and present as children
    bool hasChildren = false;  // shows an expand button
    bool untouched = false;    // a drive root left unread: its medium may be missing
    DirNode* parent = nullptr;
    std::vector<std::unique_ptr<DirNode>> children;
};

// What the tree control is told as the model changes.
class DirTreeView {
public:
    virtual ~DirTreeView() = default;
    virtual void cleared() = 0;                     // every node went
    virtual void added(DirNode& node) = 0;          // a node, its parent already shown (null: a root)
    virtual void removingChildren(DirNode& node) = 0;
    virtual void removing(DirNode& node) = 0;
    virtual void changed(DirNode& node) = 0;        // text, button
    virtual void select(DirNode* node) = 0;         // shows and selects it (expanding the way)
};

class DirTreeModel {
public:
    DirTreeModel(IFolderSource& source, DirTreeView& view);

    taddfileevent OnAddDir;
    tDirType DirType = dtNormal | dtAll;
    char SelectDrive = 0;  // not 0: only this drive is listed

    void BuildDrives();
    void RefreshTree();
    // Selects the folder's node, reading the folders on the way; nothing for a
    // path that does not exist or cannot be reached.
    void SetDirectory(std::string path);
    // The selected folder with a backslash, "?" when nothing is selected.
    std::string GetDirectory() const;
    void ChangeDrive(char drive);
    // The node of a folder just created in parent, selected.
    DirNode* AddFolderNode(DirNode& parent, const std::string& name);
    // After the folder was renamed: new path and text; its sub-folders are read again when next shown.
    void RenameFolderNode(DirNode& node, const std::string& newName);
    // After the folder was deleted: the next sibling (or the parent) is selected and the node goes.
    void RemoveFolderNode(DirNode& node);

    // The tree control's events.
    void Expanding(DirNode& node);
    void SelectionChanged(DirNode* node);

    DirNode* selected() const { return selected_; }
    const std::vector<std::unique_ptr<DirNode>>& roots() const { return roots_; }
    const std::string& lastFolder(char drive) const;
    // The last probe of the selected node: it has listable sub-folders.
    bool selectedHasFolders() const { return probed_; }
    bool built() const { return built_; }

private:
    bool accepted(const std::string& path);
    bool probe(DirNode& node);
    void readChildren(DirNode& node);
    DirNode* findChild(DirNode* parent, const std::string& path) const;
    std::unique_ptr<DirNode> makeNode(DirNode* parent, const std::string& path, std::string text);
    void dropChildren(DirNode& node);
    void choose(DirNode* node);

    IFolderSource& source_;
    DirTreeView& view_;
    std::vector<std::unique_ptr<DirNode>> roots_;
    std::array<std::string, 26> lastFolder_;
    DirNode* selected_ = nullptr;
    bool built_ = false;
    bool probed_ = false;
    struct IconCache {
        int closed = -1;
        int open = -1;
    } iconCache_;
};

// Drive names in capitals only read in lower case with a capital first letter.
std::string NormalizeDriveName(std::string name);

}  // namespace kv
