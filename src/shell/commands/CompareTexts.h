#pragma once
// What Compare to Media works on and the texts it shows.
#include <string>

#include "catalog/model/Node.h"

namespace kv {

struct ItemHead;

// The node Compare works on: an archive or archive member goes to the folder
// holding the archive, the ".." row to the selection's parent.
Node* CompareTargetNode(ItemHead* record, bool isUpRow, Node* selected);
// A disk by its media type in lower case (CD-ROM and RAM disk as they are), anything else "folder".
std::string CompareKindName(const Node& node);
std::string CompareQuestion(const Node& node);
std::string NoChangesText(const Node& node);

}  // namespace kv
