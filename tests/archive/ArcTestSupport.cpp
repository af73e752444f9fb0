#include "ArcTestSupport.h"

#include "base/ByteSource.h"
#include "base/Errors.h"

namespace kv::arc::test {

namespace {

class BudgetedSource final : public ByteSource {
public:
    BudgetedSource(Bytes bytes, std::uint64_t& budget, ReadTally* tally)
        : bytes_(std::move(bytes)), budget_(budget), tally_(tally) {}
    std::uint64_t size() override { return bytes_.size(); }
    std::size_t readAt(std::uint64_t pos, void* out, std::size_t n) override {
        if (budget_ == 0) throw ReadBudgetSpent{};
        --budget_;
        const std::size_t got = bytes_.readAt(pos, out, n);
        if (tally_) ++tally_->reads, tally_->bytes += got;
        return got;
    }

private:
    MemorySource bytes_;
    std::uint64_t& budget_;
    ReadTally* tally_;
};

}  // namespace

std::unique_ptr<ByteSource> BudgetedMemorySource(Bytes bytes, std::uint64_t& budget, ReadTally* tally) {
    return std::make_unique<BudgetedSource>(std::move(bytes), budget, tally);
}

std::unique_ptr<ByteSource> MemoryFileSystem::OpenRead(const std::string& path) {
    auto it = files.find(path);
    if (it == files.end()) throw EIoError("no such file: " + path);
    ++tally.opens;
    return BudgetedMemorySource(it->second, readBudget, &tally);
}

std::unique_ptr<ByteSink> MemoryFileSystem::OpenOutput(const std::string&) { return std::make_unique<MemorySink>(); }

MemoryWorld::MemoryWorld() {
    auto f = std::make_unique<MemoryFileSystem>();
    fs = f.get();
    context = std::make_unique<ArchiveContext>(std::move(f), 0);
}

std::unique_ptr<ArchiveContext> FixtureContext() {
    return std::make_unique<ArchiveContext>(MakeSystemFileSystem(), 0);
}

std::string FixturePath(const std::string& relative) {
    std::string p = std::string(KV_FIXTURES_DIR) + "/archives/" + relative;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

void PutLe16(Bytes& b, std::size_t at, std::uint32_t v) {
    if (b.size() < at + 2) b.resize(at + 2);
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void PutLe32(Bytes& b, std::size_t at, std::uint32_t v) {
    PutLe16(b, at, v & 0xFFFF);
    PutLe16(b, at + 2, v >> 16);
}

void Append(Bytes& b, const std::string& text) { b.insert(b.end(), text.begin(), text.end()); }

Bytes ReadFixture(const std::string& relative) {
    std::string p = FixturePath(relative);
    for (char& c : p)
        if (c == '\\') c = '/';
    return readWholeFile(p);
}

}  // namespace kv::arc::test
