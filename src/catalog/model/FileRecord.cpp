#include "catalog/model/FileRecord.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kv {

TFileRec* TFileRec::Construct(void* memory, std::string_view name, Storage storage) {
    const std::size_t n = std::min(name.size(), kMaxNameLength);
    auto* rec = new (memory) TFileRec(n, storage);
    if (n != 0)
        std::memcpy(static_cast<char*>(memory) + sizeof(TFileRec), name.data(), n);
    return rec;
}

FileRecPtr MakeFileRec(std::string_view name) {
    const std::size_t n = std::min(name.size(), TFileRec::kMaxNameLength);
    void* memory = ::operator new(TFileRec::AllocationSize(n));
    return FileRecPtr(TFileRec::Construct(memory, name.substr(0, n), TFileRec::Storage::Own));
}

void FileRecDeleter::operator()(TFileRec* rec) const {
    if (!rec)
        return;
    rec->~TFileRec();
    ::operator delete(rec);
}

}  // namespace kv
