#include "controls/dirtree/DirTreeWin32.h"

#include <shellapi.h>

#include "system/files/QuietErrorsWin32.h"
#include "ui/Application.h"

namespace kv::ui {

namespace {

std::string WithoutSlash(const std::string& path) {
    return path.size() > 3 && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
}

}  // namespace

std::uint32_t SystemFolderSource::logicalDrives() { return GetLogicalDrives(); }

unsigned SystemFolderSource::driveType(char letter) {
    const char root[] = {letter, ':', '\\', '\0'};
    return GetDriveTypeA(root);
}

void SystemFolderSource::listSubFolders(const std::string& path,
                                        const std::function<bool(const SubFolderEntry&)>& visit) {
    const QuietErrors quiet;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (!visit({name, static_cast<std::uint32_t>(data.dwFileAttributes & 0xFF)}))
            break;
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

bool SystemFolderSource::folderExists(const std::string& path) {
    const QuietErrors quiet;
    const DWORD a = GetFileAttributesA(WithoutSlash(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string SystemFolderSource::displayName(const std::string& path) {
    const QuietErrors quiet;
    SHFILEINFOA info{};
    if (SHGetFileInfoA(WithoutSlash(path).c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME) && info.szDisplayName[0])
        return info.szDisplayName;
    const std::string bare = WithoutSlash(path);
    const std::size_t cut = bare.rfind('\\');
    return bare.size() <= 3 || cut == std::string::npos ? bare : bare.substr(cut + 1);
}

int SystemFolderSource::icon(const std::string& path, bool open) {
    const QuietErrors quiet;
    SHFILEINFOA info{};
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    if (!SHGetFileInfoA(WithoutSlash(path).c_str(), 0, &info, sizeof info, flags))
        return -1;
    return info.iIcon;
}

TDirTree::TDirTree(IFolderSource* source)
    : ownSource_(source ? nullptr : std::make_unique<SystemFolderSource>()),
      model_(source ? *source : *ownSource_, *this) {
    textOf = [](Node n) { return static_cast<DirNode*>(n)->text; };
    hasChildren = [](Node n) { return static_cast<DirNode*>(n)->hasChildren; };
    childrenOf = [this](Node n) {
        auto* node = static_cast<DirNode*>(n);
        ScopedHourglass wait;
        ++busy_;
        model_.Expanding(*node);
        --busy_;
        std::vector<Node> out;
        for (auto& c : node->children)
            out.push_back(c.get());
        return out;
    };
    imageOf = [](Node n, bool selected) {
        auto* node = static_cast<DirNode*>(n);
        return selected ? node->selectedImage : node->image;
    };
    TreeView::onChange = [this](TreeView&, Node n) {
        if (busy_)
            return;
        const QuietErrors quiet;
        model_.SelectionChanged(static_cast<DirNode*>(n));
        if (OnChange)
            OnChange(*this, static_cast<DirNode*>(n));
    };
    SHFILEINFOA info{};
    shellIcons_ = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

TDirTree::~TDirTree() { destroyWindow(); }

void TDirTree::createWnd() {
    TreeView::createWnd();
    if (shellIcons_)
        setImageLists(shellIcons_, nullptr);
    if (ReadOnStart && model_.roots().empty())
        model_.BuildDrives();
    else {
        std::vector<Node> roots;
        for (auto& r : model_.roots())
            roots.push_back(r.get());
        setRoots(roots);
    }
}

void TDirTree::SetDirType(tDirType type) {
    if (type == model_.DirType)
        return;
    model_.DirType = type;
    RefreshTree();
}

void TDirTree::SetAllowNetwork(bool allow) {
    if (allow == allowNetwork_)
        return;
    allowNetwork_ = allow;
    RefreshTree();
}

void TDirTree::RefreshTree() {
    ScopedHourglass wait;
    beginUpdate();
    model_.RefreshTree();
    endUpdate();
}

void TDirTree::SetDirectory(const std::string& path) {
    ScopedHourglass wait;
    beginUpdate();
    model_.SetDirectory(path);
    endUpdate();
}

void TDirTree::ChangeDrive(char drive) {
    ScopedHourglass wait;
    model_.ChangeDrive(drive);
}

DirNode* TDirTree::AddFolderNode(DirNode& parent, const std::string& name) {
    DirNode* node = model_.AddFolderNode(parent, name);
    if (OnChange)
        OnChange(*this, node);
    return node;
}

void TDirTree::RenameFolderNode(DirNode& node, const std::string& newName) {
    if (hwnd())
        if (HTREEITEM h = itemOf(&node))
            SendMessageA(hwnd(), TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, reinterpret_cast<LPARAM>(h));
    model_.RenameFolderNode(node, newName);
    if (OnChange)
        OnChange(*this, &node);
}

void TDirTree::RemoveFolderNode(DirNode& node) {
    model_.RemoveFolderNode(node);
    if (OnChange)
        OnChange(*this, model_.selected());
}

void TDirTree::cleared() { setRoots({}); }

void TDirTree::added(DirNode& node) { addNode(node.parent, &node); }

void TDirTree::removingChildren(DirNode& node) {
    for (auto& c : node.children)
        removeNode(c.get());
}

void TDirTree::removing(DirNode& node) { removeNode(&node); }

void TDirTree::changed(DirNode& node) { refresh(&node); }

void TDirTree::showWay(DirNode& node) {
    std::vector<DirNode*> way;
    for (DirNode* p = node.parent; p; p = p->parent)
        way.push_back(p);
    for (auto it = way.rbegin(); it != way.rend(); ++it)
        expand(*it);
}

void TDirTree::select(DirNode* node) {
    if (!hwnd() || !node)
        return;
    ++busy_;
    showWay(*node);
    TreeView::select(node);
    --busy_;
    if (HTREEITEM h = itemOf(node)) {
        SendMessageA(hwnd(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(h));
        SendMessageA(hwnd(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(h));
    }
    if (OnChange)
        OnChange(*this, node);
}

}  // namespace kv::ui
