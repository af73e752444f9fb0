#include "controls/dirtree/DirTreeModel.h"

#include <algorithm>

namespace kv {

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool LessText(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return AsciiLower(x) < AsciiLower(y); });
}

bool HasLower(const std::string& s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// The drive letter's slot, or -1 for anything but A..Z.
int DriveSlot(const std::string& path) {
    if (path.empty())
        return -1;
    const char c = AsciiUpper(path[0]);
    return c >= 'A' && c <= 'Z' ? c - 'A' : -1;
}

bool IsDriveRoot(const std::string& path) { return path.size() == 3 && path[1] == ':' && path[2] == '\\'; }

constexpr std::uint32_t kHidden = 0x02;
constexpr std::uint32_t kSystem = 0x04;
constexpr std::uint32_t kArchive = 0x20;

}  // namespace

bool DirTypeAccepts(tDirType dirType, std::uint32_t attributes) {
    if (dirType & dtAll)
        return true;
    if ((attributes & kHidden) && !(dirType & dtHidden))
        return false;
    if ((attributes & kSystem) && !(dirType & dtSystem))
        return false;
    if ((attributes & kArchive) && !(dirType & dtArchive))
        return false;
    return (dirType & dtNormal) || (attributes & (kHidden | kSystem | kArchive));
}

std::string NormalizeDriveName(std::string name) {
    if (!HasLower(name))
        for (char& c : name)
            c = AsciiLower(c);
    if (!name.empty())
        name[0] = AsciiUpper(name[0]);
    return name;
}

DirTreeModel::DirTreeModel(IFolderSource& source, DirTreeView& view) : source_(source), view_(view) {
    for (int i = 0; i < 26; ++i)
        lastFolder_[static_cast<std::size_t>(i)] = std::string(1, static_cast<char>('A' + i)) + ":\\";
}

const std::string& DirTreeModel::lastFolder(char drive) const {
    const int slot = DriveSlot(std::string(1, drive));
    return lastFolder_[static_cast<std::size_t>(slot < 0 ? 0 : slot)];
}

bool DirTreeModel::accepted(const std::string& path) {
    bool doAdd = true;
    if (OnAddDir)
        OnAddDir(path, doAdd);
    return doAdd;
}

std::unique_ptr<DirNode> DirTreeModel::makeNode(DirNode* parent, const std::string& path, std::string text) {
    auto node = std::make_unique<DirNode>();
    node->parent = parent;
    node->path = path;
    node->text = text.empty() ? path : std::move(text);
    node->image = source_.icon(path, false);
    // Folders mostly share one icon: its open form is looked up once.
    if (node->image == iconCache_.closed && iconCache_.closed >= 0) {
        node->selectedImage = iconCache_.open;
    } else {
        node->selectedImage = source_.icon(path, true);
        if (path.size() > 3)
            iconCache_ = {node->image, node->selectedImage};
    }
    return node;
}

void DirTreeModel::BuildDrives() {
    built_ = false;
    view_.cleared();
    roots_.clear();
    selected_ = nullptr;
    const std::uint32_t mask = source_.logicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i)))
            continue;
        const char letter = static_cast<char>('A' + i);
        if (SelectDrive && AsciiUpper(SelectDrive) != letter)
            continue;
        const std::string root = std::string(1, letter) + ":\\";
        if (!accepted(root))
            continue;
        std::unique_ptr<DirNode> node = makeNode(nullptr, root, NormalizeDriveName(source_.displayName(root)));
        const unsigned type = source_.driveType(letter);
        if (type == 3 || type == 4 || type == 6) {
            probe(*node);
        } else {
            // A drive that may have no medium is never touched here.
            node->hasChildren = true;
            node->untouched = true;
        }
        roots_.push_back(std::move(node));
        view_.added(*roots_.back());
    }
    built_ = true;
}

bool DirTreeModel::probe(DirNode& node) {
    if (node.read)
        return true;
    bool found = false;
    source_.listSubFolders(node.path, [&](const SubFolderEntry& e) {
        if (accepted(node.path + e.name + "\\") && DirTypeAccepts(DirType, e.attributes))
            found = true;
        return !found;
    });
    if (found && !node.hasChildren) {
        node.hasChildren = true;
        view_.changed(node);
    }
    return found;
}

void DirTreeModel::readChildren(DirNode& node) {
    if (node.read)
        return;
    view_.removingChildren(node);
    node.children.clear();
    node.read = true;
    node.untouched = false;
    std::vector<std::string> names;
    source_.listSubFolders(node.path, [&](const SubFolderEntry& e) {
        if (accepted(node.path + e.name + "\\") && DirTypeAccepts(DirType, e.attributes)) {
            std::string name = e.name;
            if (!HasLower(name))
                for (char& c : name)
                    c = AsciiLower(c);
            names.push_back(std::move(name));
        }
        return true;
    });
    std::sort(names.begin(), names.end(), LessText);
    for (const std::string& name : names) {
        const std::string path = node.path + name + "\\";
        node.children.push_back(makeNode(&node, path, source_.displayName(path)));
    }
    node.hasChildren = !node.children.empty();
    for (auto& child : node.children)
        view_.added(*child);
    view_.changed(node);
}

void DirTreeModel::Expanding(DirNode& node) {
    readChildren(node);
    for (auto& child : node.children) {
        bool any = false;
        source_.listSubFolders(child->path, [&](const SubFolderEntry&) {
            any = true;
            return false;
        });
        if (child->hasChildren != any) {
            child->hasChildren = any;
            view_.changed(*child);
        }
    }
}

void DirTreeModel::SelectionChanged(DirNode* node) {
    if (!built_)
        return;
    selected_ = node;
    if (!node)
        return;
    if (const int slot = DriveSlot(node->path); slot >= 0)
        lastFolder_[static_cast<std::size_t>(slot)] = node->path;
    probed_ = probe(*node);
}

void DirTreeModel::choose(DirNode* node) {
    SelectionChanged(node);
    view_.select(node);
}

DirNode* DirTreeModel::findChild(DirNode* parent, const std::string& path) const {
    const auto& list = parent ? parent->children : roots_;
    for (const auto& n : list)
        if (SameText(n->path, path))
            return n.get();
    return nullptr;
}

std::string DirTreeModel::GetDirectory() const { return selected_ ? selected_->path : "?"; }

void DirTreeModel::SetDirectory(std::string path) {
    if (path.empty())
        return;
    if (path.back() != '\\')
        path += '\\';
    if (selected_ && SameText(selected_->path, path))
        return;
    if (DriveSlot(path) < 0 || path.size() < 3 || path[1] != ':' || path[2] != '\\')
        return;
    if (!IsDriveRoot(path) && !source_.folderExists(path))
        return;
    if (roots_.empty())
        BuildDrives();
    DirNode* node = nullptr;
    for (std::size_t pos = path.find('\\'); pos != std::string::npos; pos = path.find('\\', pos + 1)) {
        if (node)
            readChildren(*node);
        node = findChild(node, path.substr(0, pos + 1));
        if (!node)
            return;
    }
    if (node)
        choose(node);
}

void DirTreeModel::RefreshTree() {
    const std::string current = selected_ ? selected_->path : std::string();
    BuildDrives();
    if (!current.empty())
        SetDirectory(current);
    if (!selected_ && current.size() >= 3)
        SetDirectory(current.substr(0, 3));
    if (selected_ || roots_.empty())
        return;
    DirNode* root = roots_.back().get();
    for (auto& r : roots_)
        if (!r->untouched) {
            root = r.get();
            break;
        }
    const std::string last = lastFolder(root->path[0]);
    SetDirectory(last);
    if (GetDirectory() != last)
        choose(root);
}

void DirTreeModel::ChangeDrive(char drive) {
    const char up = AsciiUpper(drive);
    if (up < 'A' || up > 'Z')
        return;
    if (selected_ && AsciiUpper(selected_->path[0]) == up)
        return;
    std::string last = lastFolder(up);
    if (!source_.folderExists(last))
        last = last.substr(0, 3);
    SetDirectory(last);
}

DirNode* DirTreeModel::AddFolderNode(DirNode& parent, const std::string& name) {
    readChildren(parent);
    const std::string path = parent.path + name + "\\";
    DirNode* node = findChild(&parent, path);
    if (!node) {
        auto made = makeNode(&parent, path, source_.displayName(path));
        node = made.get();
        auto at = std::find_if(parent.children.begin(), parent.children.end(),
                               [&](const auto& c) { return LessText(name, c->text); });
        parent.children.insert(at, std::move(made));
        view_.added(*node);
    }
    if (!parent.hasChildren) {
        parent.hasChildren = true;
        view_.changed(parent);
    }
    choose(node);
    return node;
}

void DirTreeModel::RenameFolderNode(DirNode& node, const std::string& newName) {
    const std::string parentPath = node.parent ? node.parent->path : std::string();
    node.path = parentPath + newName + "\\";
    node.text = newName;
    if (const int slot = DriveSlot(node.path); slot >= 0 && selected_ == &node)
        lastFolder_[static_cast<std::size_t>(slot)] = node.path;
    // The paths below changed too: they are read again when next shown.
    dropChildren(node);
    bool any = false;
    source_.listSubFolders(node.path, [&](const SubFolderEntry&) {
        any = true;
        return false;
    });
    node.hasChildren = any;
    view_.changed(node);
}

void DirTreeModel::dropChildren(DirNode& node) {
    view_.removingChildren(node);
    node.children.clear();
    node.read = false;
}

void DirTreeModel::RemoveFolderNode(DirNode& node) {
    DirNode* parent = node.parent;
    if (!parent)
        return;
    auto& list = parent->children;
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& c) { return c.get() == &node; });
    if (it == list.end())
        return;
    DirNode* next = (it + 1) != list.end() ? (it + 1)->get() : parent;
    if (selected_ == &node || !selected_)
        choose(next);
    view_.removing(node);
    list.erase(it);
    if (list.empty()) {
        parent->hasChildren = false;
        view_.changed(*parent);
    }
}

}  // namespace kv
