#pragma once
// TFileRec: one file or archive member. Its name lives right behind the record,
// in the same allocation, so a record costs 48 bytes plus its name on 32 bits.
#include <cstdint>
#include <memory>
#include <string_view>

#include "catalog/model/HeapText.h"
#include "catalog/model/ItemHead.h"
#include "catalog/file/StoredBlocks.h"

namespace kv {

class FileList;
struct FileRecDeleter {
    void operator()(class TFileRec* rec) const;
};
// A file record owned on its own (made by a scan or a copy), not yet in a list.
using FileRecPtr = std::unique_ptr<TFileRec, FileRecDeleter>;

// Members are declared in layout order so that no padding is wasted.
class TFileRec : public ItemHead {
public:
    static constexpr std::size_t kMaxNameLength = 255;
    static constexpr bool matchesKind(std::uint8_t k) { return k == ItemFlags::File; }

    StoredFile stored;            // archive members: CRC in created, packed size in accessed
    std::int16_t iconIndex = -1;  // cached icon, -1 = not looked up yet; never stored

private:
    enum class Storage : std::uint8_t { Block, Own };
    std::uint8_t nameLength_;
    Storage storage_;

public:
    HeapText description;

    std::string_view name() const { return {reinterpret_cast<const char*>(this + 1), nameLength_}; }
    // The next record of the owner's chain; nullptr at its end.
    TFileRec* next() const { return next_; }

    TFileRec(const TFileRec&) = delete;
    TFileRec& operator=(const TFileRec&) = delete;

private:
    friend class FileList;
    friend struct FileRecDeleter;
    friend FileRecPtr MakeFileRec(std::string_view name);

    TFileRec(std::size_t nameLength, Storage storage)
        : ItemHead(ItemFlags::File), nameLength_(static_cast<std::uint8_t>(nameLength)), storage_(storage) {}
    ~TFileRec() = default;

    // Places a record and its name (cut to 255 bytes) in memory of AllocationSize(name length) bytes.
    static TFileRec* Construct(void* memory, std::string_view name, Storage storage);
    static std::size_t AllocationSize(std::size_t nameLength) { return sizeof(TFileRec) + nameLength; }

    TFileRec* next_ = nullptr;
};

static_assert(sizeof(void*) != 4 || sizeof(TFileRec) <= 48, "file records are the bulk of memory");

// A new file record with flags 1 (file), not listed, no owner yet.
FileRecPtr MakeFileRec(std::string_view name);

}  // namespace kv
