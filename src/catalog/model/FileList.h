#pragma once
// The chain of file records that a folder or disk record heads. Records read
// from the catalog file live in the list's block (one arena, freed in one step);
// records made by a scan or a copy are owned one by one. Both kinds may share a
// chain. Records keep their addresses until the list is cleared.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string_view>

#include "catalog/model/FileRecord.h"

namespace kv {

class FileList {
public:
    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = TFileRec;
        using difference_type = std::ptrdiff_t;
        using pointer = TFileRec*;
        using reference = TFileRec&;

        iterator() = default;
        explicit iterator(TFileRec* rec) : rec_(rec) {}
        TFileRec& operator*() const { return *rec_; }
        TFileRec* operator->() const { return rec_; }
        iterator& operator++() { rec_ = rec_->next(); return *this; }
        iterator operator++(int) { iterator old = *this; ++*this; return old; }
        friend bool operator==(const iterator&, const iterator&) = default;

    private:
        TFileRec* rec_ = nullptr;
    };

    FileList();
    ~FileList();
    // Pins and views hold its address.
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;

    // Reading a list from the catalog file: sizes the block for `records` records
    // whose names take `nameBytes` bytes. A wrong hint costs memory, never safety.
    void reserveBlock(std::size_t records, std::size_t nameBytes);
    // A new record in the block, linked at the end; the name is cut to 255 bytes.
    TFileRec& appendFromFile(std::string_view name);
    // Takes over a record made by a scan or a copy, links it at the end and marks
    // the list changed.
    TFileRec& append(FileRecPtr rec);

    // Frees every record (descriptions included) and empties the chain.
    void clear();

    TFileRec* first() const { return head_; }
    iterator begin() const { return iterator(head_); }
    iterator end() const { return iterator(); }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    // True while the list is in memory as a block read from the catalog file:
    // the stored 0x40 flag of its owner.
    bool isBlockFromFile() const { return block_ != nullptr; }

    // Changed since it was read or saved: it cannot be read again from the file.
    bool isDirty() const { return dirty_; }
    void markDirty() { dirty_ = true; }
    void markClean() { dirty_ = false; }

    // Views showing the list pin it; a pinned list is not unloaded.
    void pin() { ++pins_; }
    void unpin() { if (pins_ > 0) --pins_; }
    std::size_t pinCount() const { return pins_; }

private:
    class Block;
    void link(TFileRec* rec);

    TFileRec* head_ = nullptr;
    TFileRec* tail_ = nullptr;
    std::uint32_t count_ = 0;
    std::uint32_t pins_ = 0;
    bool dirty_ = false;
    std::unique_ptr<Block> block_;
};

// Holds a pin on a list for as long as a view shows it. The view releases it
// before the list's owner is freed (the forest observer tells it).
class FileListPin {
public:
    FileListPin() = default;
    explicit FileListPin(FileList& list) : list_(&list) { list.pin(); }
    FileListPin(FileListPin&& other) noexcept : list_(other.list_) { other.list_ = nullptr; }
    FileListPin& operator=(FileListPin&& other) noexcept;
    FileListPin(const FileListPin&) = delete;
    FileListPin& operator=(const FileListPin&) = delete;
    ~FileListPin() { reset(); }

    void reset();
    FileList* list() const { return list_; }

private:
    FileList* list_ = nullptr;
};

}  // namespace kv
