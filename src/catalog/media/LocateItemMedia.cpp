#include "catalog/media/LocateItemMedia.h"

#include "catalog/media/DiskRecordInit.h"
#include "catalog/model/ItemPath.h"
#include "catalog/model/Node.h"

namespace kv {

LocateResult LocateMedia(const ItemHead* item, char& letter, bool allowManual, DriveSystem& drives,
                         MediaPrompts& prompts) {
    const Node* diskNode = GetItemOwner(item, OwnerQuery::DiskOfOwner);
    const TDiskRec* disk = diskNode ? RecordAs<TDiskRec>(diskNode->record()) : nullptr;
    if (!disk)
        return LocateResult::NotFound;
    return LocateMedium(MediumIdentityOf(*disk), allowManual, drives, prompts, letter);
}

void PromptMediaPrompts::showInformation(const std::string& text, const std::string& caption) {
    prompt_.showInformation(text, caption);
}

InsertMediaAnswer PromptMediaPrompts::askInsertMedia(const std::string& label, const std::string& mediaLine, bool) {
    const ui::PromptAnswer a = prompt_.ask({"Please insert the media\r\n\r\n" + label + "\r\n" + mediaLine,
                                            "Insert Media", ui::PromptButtons::OkCancel, ui::PromptIcon::Information});
    return a == ui::PromptAnswer::Ok ? InsertMediaAnswer::Retry : InsertMediaAnswer::Cancel;
}

}  // namespace kv
