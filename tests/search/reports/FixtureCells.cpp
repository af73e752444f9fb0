#include "ReportFixture.h"

namespace kv::test {

std::string FixtureCells::Cell(const ItemHead& rec, int column) const {
    if (const auto* file = RecordAs<TFileRec>(&rec)) {
        switch (column) {
        case 0: return std::string(file->name());
        case 1: return std::to_string(file->stored.size);
        case 2: return std::string(file->description.view());
        }
        return {};
    }
    if (column == 0 && rec.node)
        return rec.node->text();
    return {};
}

}  // namespace kv::test
