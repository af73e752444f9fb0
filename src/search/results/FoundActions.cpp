#include "search/results/FoundActions.h"

#include "catalog/model/Node.h"

namespace kv {

namespace {

bool isFile(const ItemHead& r) { return r.kind() == ItemFlags::File; }
bool isFolder(const ItemHead& r) { return r.kind() == ItemFlags::Folder; }
bool isArchiveFolder(const ItemHead& r) { return isFolder(r) && HasFlag(r.flags, ItemFlags::Archive); }

}  // namespace

FoundActionStates EnableFoundActions(const FoundSelection& s, const SupportedArchive& supported) {
    FoundActionStates st;
    const bool single = s.focused != nullptr;
    for (FoundAction a : {FoundAction::Locate, FoundAction::EditDesc, FoundAction::Properties, FoundAction::Explorer,
                          FoundAction::View, FoundAction::Launch})
        st[a] = single;
    for (const ItemHead* rec : s.selected) {
        if (!rec)
            continue;
        st[FoundAction::Remove] = true;
        st[FoundAction::AddList] |= rec->indexWord(ResultSlot::UserList) == kNotListed;
        const bool disk = rec->kind() == ItemFlags::Disk;
        st[FoundAction::SetCategory] |= !disk;
        st[FoundAction::CopyTo] |= isFolder(*rec) || (isFile(*rec) && !HasFlag(rec->flags, ItemFlags::Archive));
        if (!st[FoundAction::Extract] && !disk && HasFlag(rec->flags, ItemFlags::Archive) && rec->node && supported)
            st[FoundAction::Extract] = supported(rec->node->text());
    }
    st[FoundAction::Clear] = s.rows > 0;
    st[FoundAction::Report] = st[FoundAction::Clear];
    if (s.searchRunning) {
        st[FoundAction::Remove] = false;
        st[FoundAction::Clear] = false;
        st[FoundAction::Report] = false;
    }
    return st;
}

FoundAction DoubleClickAction(int setting, const ItemHead& record) {
    switch (setting) {
    case 1: return FoundAction::Properties;
    case 2: return FoundAction::Explorer;
    case 3: return isFile(record) ? FoundAction::Launch : FoundAction::Explorer;
    case 4: return isFile(record) || isArchiveFolder(record) ? FoundAction::View : FoundAction::Properties;
    default: return FoundAction::None;
    }
}

FoundAction DefaultPopupAction(int setting, const ItemHead& record) {
    switch (setting) {
    case 1: return FoundAction::Properties;
    case 2: return FoundAction::Explorer;
    case 3: return isFile(record) ? FoundAction::Launch : FoundAction::Explorer;
    default: return FoundAction::None;
    }
}

}  // namespace kv
