#include "catalog/model/Node.h"

#include "catalog/model/Forest.h"

namespace kv {

namespace {
void PointRecordAt(ItemRecord& rec, Node* node) {
    rec.node = node;
    if (auto* owner = RecordAs<FileOwnerRecord>(&rec)) {
        for (TFileRec& file : owner->files)
            file.node = node;
    }
    if (auto* folder = RecordAs<TFolderRec>(&rec)) {
        folder->diskNode = node ? FindAncestor<TDiskRec>(node->parent()) : nullptr;
        folder->pathCache.clear();
    }
}
}  // namespace

Node::Node(Forest& forest, Node* parent, std::string text)
    : forest_(&forest), parent_(parent), text_(std::move(text)) {}

Node::~Node() = default;

Node* Node::nextSibling() const {
    if (detached_)
        return nullptr;
    const auto siblings = parent_ ? parent_->children() : forest_->roots();
    return index_ + 1 < siblings.size() ? siblings[index_ + 1].get() : nullptr;
}

int Node::level() const {
    int level = 0;
    for (const Node* n = parent_; n; n = n->parent_)
        ++level;
    return level;
}

std::unique_ptr<ItemRecord> Node::takeRecord() {
    if (record_)
        PointRecordAt(*record_, nullptr);
    return std::move(record_);
}

std::unique_ptr<ItemRecord> Node::setRecord(std::unique_ptr<ItemRecord> rec) {
    std::unique_ptr<ItemRecord> old = takeRecord();
    record_ = std::move(rec);
    if (record_)
        PointRecordAt(*record_, this);
    return old;
}

}  // namespace kv
