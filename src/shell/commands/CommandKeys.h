#pragma once
// The keys of the main window that are not menu shortcuts: what a key in the
// tree, the item list or the window itself does.
#include <cstdint>

#include "shell/commands/CommandRules.h"

namespace kv {

enum class KeyPlace : std::uint8_t { Form, Tree, List };

// Virtual key codes and shift bits, as the window layer reports them.
namespace Keys {
inline constexpr unsigned Back = 0x08, Enter = 0x0D, Escape = 0x1B, PageUp = 0x21, PageDown = 0x22, End = 0x23,
                          Home = 0x24, Up = 0x26, Down = 0x28, Delete = 0x2E, F2 = 0x71, F3 = 0x72, F4 = 0x73,
                          F10 = 0x79, Apps = 0x5D;
inline constexpr unsigned Shift = 1, Ctrl = 2, Alt = 4;
}  // namespace Keys

enum class KeyAction : std::uint8_t {
    None,         // the control handles the key as usual
    Run,          // run `command` from the key
    EditLabel,    // rename in place
    ShowPopup,    // the popup menu at the focused row or selected node
    Open,         // the list's double click
    LockDisplay,  // a tree move: one display-lock level, the list refills later
    AskClose,     // Del on a catalog: ask, then close it
};

struct KeyResult {
    KeyAction action = KeyAction::None;
    CommandId command = CommandId::Count;
    bool operator==(const KeyResult&) const = default;
};

struct KeyFacts {
    const CommandStates* commands = nullptr;
    std::uint8_t nodeKind = 0;  // the tree's selected node
    bool rowFocused = false;
    bool listShowsDisks = false;
    bool editingLabel = false;
    bool displayUnlocked = true;
};

KeyResult KeyCommand(KeyPlace place, unsigned key, unsigned shift, const KeyFacts& facts);

}  // namespace kv
