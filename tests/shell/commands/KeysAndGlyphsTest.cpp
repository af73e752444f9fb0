#include "shell/commands/CommandKeys.h"
#include "shell/commands/MenuGlyphs.h"

#include <gtest/gtest.h>

#include <vector>

#include "catalog/model/ItemFlags.h"

namespace kv {
namespace {

using A = KeyAction;
using C = CommandId;

TEST(CommandKeys, KeysOfTheTreeTheListAndTheWindow) {
    CommandStates on;  // everything usable
    CommandStates off;
    for (CommandState& s : off.items) s.enabled = false;
    KeyFacts facts{&on, ItemFlags::Folder, true, false, false, true};
    KeyFacts disabled{&off, ItemFlags::Folder, true, false, false, true};
    struct Case {
        const char* what;
        KeyPlace place;
        unsigned key, shift;
        KeyFacts facts;
        KeyResult expected;
    };
    KeyFacts diskList = facts;
    diskList.listShowsDisks = true;
    KeyFacts catalogNode = facts;
    catalogNode.nodeKind = ItemFlags::Catalog;
    KeyFacts diskNode = facts;
    diskNode.nodeKind = ItemFlags::Disk;
    KeyFacts editing = facts;
    editing.editingLabel = true;
    KeyFacts locked = facts;
    locked.displayUnlocked = false;
    const std::vector<Case> cases = {
        {"F3", KeyPlace::Form, Keys::F3, 0, facts, {A::Run, C::Search}},
        {"F4 disabled", KeyPlace::Form, Keys::F4, 0, disabled, {}},
        {"list Ctrl+PgUp", KeyPlace::List, Keys::PageUp, Keys::Ctrl, facts, {A::Run, C::Back}},
        {"list Ctrl+PgUp, no back", KeyPlace::List, Keys::PageUp, Keys::Ctrl, disabled, {}},
        {"list Esc", KeyPlace::List, Keys::Escape, 0, facts, {A::Run, C::Back}},
        {"list Enter", KeyPlace::List, Keys::Enter, 0, facts, {A::Open}},
        {"list Alt+Enter", KeyPlace::List, Keys::Enter, Keys::Alt, facts, {A::Run, C::Properties}},
        {"list Del in a file list", KeyPlace::List, Keys::Delete, 0, facts, {}},
        {"list Del in the disk list", KeyPlace::List, Keys::Delete, 0, diskList, {A::Run, C::DeleteDisk}},
        {"list F2", KeyPlace::List, Keys::F2, 0, facts, {A::EditLabel}},
        {"list Shift+F10", KeyPlace::List, Keys::F10, Keys::Shift, facts, {A::ShowPopup}},
        {"list context-menu key", KeyPlace::List, Keys::Apps, 0, facts, {A::ShowPopup}},
        {"list while editing", KeyPlace::List, Keys::Delete, 0, editing, {}},
        {"tree Down", KeyPlace::Tree, Keys::Down, 0, facts, {A::LockDisplay}},
        {"tree Down, locked", KeyPlace::Tree, Keys::Down, 0, locked, {}},
        {"tree Ctrl+PgUp", KeyPlace::Tree, Keys::PageUp, Keys::Ctrl, facts, {A::LockDisplay}},
        {"tree Esc", KeyPlace::Tree, Keys::Escape, 0, facts, {A::Run, C::Back}},
        {"tree Alt+Enter", KeyPlace::Tree, Keys::Enter, Keys::Alt, facts, {A::Run, C::Properties}},
        {"tree Del on a disk", KeyPlace::Tree, Keys::Delete, 0, diskNode, {A::Run, C::DeleteDisk}},
        {"tree Del on a catalog", KeyPlace::Tree, Keys::Delete, 0, catalogNode, {A::AskClose, C::Close}},
        {"tree Del on a folder", KeyPlace::Tree, Keys::Delete, 0, facts, {}},
        {"tree Shift+F10", KeyPlace::Tree, Keys::F10, Keys::Shift, facts, {A::ShowPopup}},
        {"tree context-menu key", KeyPlace::Tree, Keys::Apps, 0, facts, {A::ShowPopup}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyCommand(c.place, c.key, c.shift, c.facts), c.expected) << c.what;
}

TEST(MenuGlyphs, ItemsFindTheirPictures) {
    EXPECT_EQ(FindMenuGlyph("MenuOpen"), (MenuGlyph{GlyphSource::MainButton, "ButtonOpen"}));
    EXPECT_EQ(FindMenuGlyph("CompareLocateMenu"), (MenuGlyph{GlyphSource::SearchButton, "BtnTarget"}));
    EXPECT_EQ(FindMenuGlyph("UserRemoveMenu"), (MenuGlyph{GlyphSource::UserListButton, "BtnDelete"}));
    EXPECT_EQ(FindMenuGlyph("MenuSettingsFonts"), (MenuGlyph{GlyphSource::MenuPicture, "MENUPICT1"}));
    EXPECT_EQ(FindMenuGlyph("MenuCatManager"), (MenuGlyph{GlyphSource::MenuPicture, "MENUPICT4"}));
    EXPECT_EQ(FindMenuGlyph("", kRecentFileTag), (MenuGlyph{GlyphSource::MenuPicture, "MENUPICT4"}));
    EXPECT_EQ(FindMenuGlyph("MenuExit"), std::nullopt);
    EXPECT_EQ(FindMenuGlyph(""), std::nullopt);
}

}  // namespace
}  // namespace kv
