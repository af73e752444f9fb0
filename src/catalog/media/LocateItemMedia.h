#pragma once
// LocateMedia for a catalogued item: finds the drive holding the item's disk.
#include "catalog/model/ItemHead.h"
#include "catalog/media/LocateMedia.h"
#include "ui/UserPrompt.h"

namespace kv {

// NotFound also when the item belongs to no disk.
LocateResult LocateMedia(const ItemHead* item, char& letter, bool allowManual, DriveSystem& drives,
                         MediaPrompts& prompts);

// The media questions as message boxes, until the Insert Media window exists:
// its stand-in offers OK and Cancel, no manual choice.
class PromptMediaPrompts : public MediaPrompts {
public:
    explicit PromptMediaPrompts(ui::UserPrompt& prompt) : prompt_(prompt) {}
    void showInformation(const std::string& text, const std::string& caption) override;
    InsertMediaAnswer askInsertMedia(const std::string& label, const std::string& mediaLine,
                                     bool allowManual) override;

private:
    ui::UserPrompt& prompt_;
};

}  // namespace kv
