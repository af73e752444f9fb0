#include "catalog/model/FileList.h"

#include <algorithm>
#include <vector>

namespace kv {

namespace {
constexpr std::size_t kRecordAlign = alignof(TFileRec);
constexpr std::size_t kDefaultChunk = 512;
constexpr std::size_t kMaxGrowth = 1 << 20;
// A hint from a damaged file must not reserve more than this up front.
constexpr std::uint64_t kMaxReserve = 16u << 20;

std::size_t RoundUp(std::size_t n) { return (n + kRecordAlign - 1) / kRecordAlign * kRecordAlign; }
}  // namespace

// The arena of records read from the file: a few chunks, each filled front to back.
class FileList::Block {
public:
    explicit Block(std::size_t firstChunk) : nextChunk_(std::max(firstChunk, kDefaultChunk)) {}

    void expectMore(std::size_t bytes) { nextChunk_ = std::max(bytes, kDefaultChunk); }

    void* allocate(std::size_t bytes) {
        bytes = RoundUp(bytes);
        if (chunks_.empty() || chunks_.back().capacity - chunks_.back().used < bytes) {
            const std::size_t capacity = std::max(bytes, nextChunk_);
            chunks_.push_back(Chunk{std::unique_ptr<std::byte[]>(new std::byte[capacity]), 0, capacity});
            nextChunk_ = std::min(capacity * 2, std::max(kMaxGrowth, capacity));
        }
        Chunk& chunk = chunks_.back();
        void* p = chunk.data.get() + chunk.used;
        chunk.used += bytes;
        return p;
    }

private:
    struct Chunk {
        std::unique_ptr<std::byte[]> data;
        std::size_t used;
        std::size_t capacity;
    };
    std::vector<Chunk> chunks_;
    std::size_t nextChunk_;
};

FileList::FileList() = default;

FileList::~FileList() { clear(); }

void FileList::reserveBlock(std::size_t records, std::size_t nameBytes) {
    const std::uint64_t r = std::min<std::uint64_t>(records, kMaxReserve);
    const std::uint64_t wanted = r * (RoundUp(sizeof(TFileRec)) + kRecordAlign - 1) +
                                 std::min<std::uint64_t>(nameBytes, kMaxReserve);
    const auto bytes = static_cast<std::size_t>(std::min(wanted, kMaxReserve));
    if (block_)
        block_->expectMore(bytes);
    else
        block_ = std::make_unique<Block>(bytes);
}

TFileRec& FileList::appendFromFile(std::string_view name) {
    if (!block_)
        block_ = std::make_unique<Block>(kDefaultChunk);
    name = name.substr(0, TFileRec::kMaxNameLength);
    void* memory = block_->allocate(TFileRec::AllocationSize(name.size()));
    TFileRec* rec = TFileRec::Construct(memory, name, TFileRec::Storage::Block);
    link(rec);
    return *rec;
}

TFileRec& FileList::append(FileRecPtr rec) {
    TFileRec* raw = rec.release();
    link(raw);
    dirty_ = true;
    return *raw;
}

void FileList::link(TFileRec* rec) {
    rec->next_ = nullptr;
    if (tail_)
        tail_->next_ = rec;
    else
        head_ = rec;
    tail_ = rec;
    ++count_;
}

void FileList::clear() {
    for (TFileRec* rec = head_; rec;) {
        TFileRec* next = rec->next_;
        if (rec->storage_ == TFileRec::Storage::Own)
            FileRecDeleter{}(rec);
        else
            rec->~TFileRec();
        rec = next;
    }
    head_ = tail_ = nullptr;
    count_ = 0;
    dirty_ = false;
    block_.reset();
}

FileListPin& FileListPin::operator=(FileListPin&& other) noexcept {
    if (this != &other) {
        reset();
        list_ = other.list_;
        other.list_ = nullptr;
    }
    return *this;
}

void FileListPin::reset() {
    if (list_)
        list_->unpin();
    list_ = nullptr;
}

}  // namespace kv
