#pragma once
// What the search window asks of the main window for its hits: the main
// window's handlers of the commands of the same name, applied to the found
// list's rows. Commands whose windows the program lacks do nothing there.
#include <span>

#include "catalog/model/ItemHead.h"
#include "search/results/FoundActions.h"

namespace kv {

class IFoundItemCommands {
public:
    virtual ~IFoundItemCommands() = default;
    virtual void EditItemDescription(ItemHead& item) = 0;
    virtual void ShowItemProperties(ItemHead& item) = 0;
    // Set Category, Explorer, View, Launch, Copy To, Extract and Report on the
    // selected rows; focused is the focused row's record (may be null).
    virtual void RunFoundCommand(FoundAction action, std::span<ItemHead* const> selected, ItemHead* focused) = 0;
    // Adds every record to the user list (made when it does not exist yet).
    virtual void AddToUserList(std::span<ItemHead* const> selected) = 0;
};

}  // namespace kv
