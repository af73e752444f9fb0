#include "search/userlist/UserListActions.h"

#include "catalog/model/Node.h"
#include "search/results/ResultButtons.h"

namespace kv {

namespace {

using A = FoundAction;

bool isFile(const ItemHead& r) { return r.kind() == ItemFlags::File; }
bool isFolder(const ItemHead& r) { return r.kind() == ItemFlags::Folder; }
bool isArchive(const ItemHead& r) { return HasFlag(r.flags, ItemFlags::Archive); }

constexpr SearchButton kOwnButtons[] = {
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

std::span<const SearchButton> UserListToolbarButtons() {
    static const std::vector<SearchButton> buttons = WithItemActionButtons(kOwnButtons);
    return buttons;
}

std::span<const int> UserListToolbarBevelTags() { return kBevels; }

}  // namespace kv
