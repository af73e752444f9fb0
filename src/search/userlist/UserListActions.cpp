#include "search/userlist/UserListActions.h"

#include "catalog/model/Node.h"

namespace kv {

namespace {

using A = FoundAction;

bool isFile(const ItemHead& r) { return r.kind() == ItemFlags::File; }
bool isFolder(const ItemHead& r) { return r.kind() == ItemFlags::Folder; }
bool isArchive(const ItemHead& r) { return HasFlag(r.flags, ItemFlags::Archive); }

constexpr SearchButton kButtons[] = {
    {"ButtonLargeIcon", 1, "View Large Icons", "ButtonLargeIcon", 0, A::None, 1},
    {"ButtonList", 2, "View List", "ButtonList", 0, A::None, 2},
    {"ButtonSmallIcon", 3, "View Small Icons", "ButtonSmallIcon", 0, A::None, 3},
    {"ButtonDetails", 4, "View Details", "ButtonDetails", 0, A::None, 4},
    {"BtnReport", 6, "Generate Report", "ButtonPrint", 0, A::Report, 0},
    {"BtnTarget", 8, "Locate in Catalog", "BtnTarget", 0, A::Locate, 0},
    {"BtnEditDesc", 9, "Edit Description", "ButtonEditDesc", 0, A::EditDesc, 0},
    {"BtnProperties", 10, "Item Properties", "ButtonProperties", 0, A::Properties, 0},
    {"BtnSetCat", 11, "Set Category and Flags", "ButtonSetCat", 0, A::SetCategory, 0},
    {"BtnExplorer", 12, "Open in Explorer", "ButtonExplorer", 0, A::Explorer, 0},
    {"BtnView", 13, "View File in ASCII Viewer", "ButtonView", 0, A::View, 0},
    {"BtnLaunch", 14, "Launch File in Associated Program", "ButtonLaunch", 0, A::Launch, 0},
    {"BtnCopyTo", 15, "Copy from Catalog to...", "ButtonCopyTo", 0, A::CopyTo, 0},
    {"BtnExtract", 16, "Extract from Compressed File", "ButtonExtract", 0, A::Extract, 0},
    {"BtnDelete", 18, "Delete selected item(s)", "BtnDelete", 0, A::Remove, 0},
    {"BtnClear", 19, "Clear User List", "BtnClear", 0, A::Clear, 0},
    {"BtnStayOnTop", 21, "Stay On Top", "BtnStayOnTop", 0, A::None, 0},
};

constexpr int kBevels[] = {5, 7, 17, 20};

}  // namespace

FoundActionStates EnableUserListActions(const FoundSelection& s, const SupportedArchive& supported) {
    FoundActionStates st;
    bool any = false;
    for (const ItemHead* rec : s.selected)
        any |= rec != nullptr;
    const ItemHead* focused = s.focused;
    const bool single = any && focused;
    for (A a : {A::Locate, A::EditDesc, A::Properties, A::Remove})
        st[a] = single;
    st[A::Explorer] = single && focused->kind() != ItemFlags::Catalog && !(isFile(*focused) && isArchive(*focused));
    st[A::Launch] = st[A::Explorer] && (isFile(*focused) || (isFolder(*focused) && isArchive(*focused)));
    st[A::View] = st[A::Launch];
    for (const ItemHead* rec : s.selected) {
        if (!rec)
            continue;
        const bool fileOrFolder = isFile(*rec) || isFolder(*rec);
        st[A::SetCategory] |= fileOrFolder;
        st[A::CopyTo] |= isFolder(*rec) || (isFile(*rec) && !isArchive(*rec));
        // The archive flag of a disk marks a compressed volume, not an archive.
        if (!st[A::Extract] && fileOrFolder && isArchive(*rec) && rec->node && supported)
            st[A::Extract] = supported(rec->node->text());
    }
    st[A::SetCategory] = st[A::SetCategory] && st[A::Explorer];
    st[A::CopyTo] = st[A::CopyTo] && single;
    st[A::Extract] = st[A::Extract] && st[A::Locate];
    st[A::Clear] = s.rows > 0;
    st[A::Report] = st[A::Clear];
    return st;
}

std::span<const SearchButton> UserListToolbarButtons() { return kButtons; }

std::span<const int> UserListToolbarBevelTags() { return kBevels; }

}  // namespace kv
