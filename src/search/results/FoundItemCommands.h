#pragma once
// What the search window asks of the main window for its hits: the main
// window's handlers of the commands of the same name, applied to the found
// list's rows. An action the main window does not offer (its window is not
// there) stays disabled in the search window.
#include <span>

#include "catalog/model/ItemHead.h"
#include "search/results/FoundActions.h"

namespace kv {

class IFoundItemCommands {
public:
    virtual ~IFoundItemCommands() = default;
    // Whether the action below is handled (Locate, Remove and Remove all are the
    // search window's own and always are).
    virtual bool Offers(FoundAction action) const = 0;
    // The three that change records refuse while a search runs, before any
    // window opens.
    virtual void EditItemDescription(ItemHead& item) = 0;
    virtual void ShowItemProperties(ItemHead& item) = 0;
    // Set Category, Explorer, View, Launch, Copy To, Extract and Report on the
    // selected rows; focused is the focused row's record (may be null).
    virtual void RunFoundCommand(FoundAction action, std::span<ItemHead* const> selected, ItemHead* focused) = 0;
    // Adds every record to the user list (made when it does not exist yet).
    virtual void AddToUserList(std::span<ItemHead* const> selected) = 0;
};

}  // namespace kv
