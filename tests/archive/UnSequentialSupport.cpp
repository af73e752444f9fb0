#include "UnSequentialSupport.h"

#include <filesystem>

#include "archive/ArcError.h"

namespace kv::arc::test {

namespace {

class CaptureSink final : public ByteSink {
public:
    CaptureSink(Bytes& into, bool failClose) : into_(into), failClose_(failClose) {}
    void write(const void* data, std::size_t n) override {
        auto p = static_cast<const std::uint8_t*>(data);
        into_.insert(into_.end(), p, p + n);
    }
    void writeAt(std::uint64_t pos, const void* data, std::size_t n) override {
        std::copy_n(static_cast<const std::uint8_t*>(data), n, into_.begin() + static_cast<std::ptrdiff_t>(pos));
    }
    std::uint64_t size() const override { return into_.size(); }
    void flush() override {}
    void close() override {
        if (failClose_) throw EIoError("Cannot write file: No space left on device");
    }

private:
    Bytes& into_;
    bool failClose_;
};

}  // namespace

std::unique_ptr<ByteSink> CapturingFileSystem::OpenOutput(const std::string& path) {
    if (refuseOutput.count(path)) throw EIoError("refused: " + path);
    Bytes& b = written[path];
    b.clear();
    return std::make_unique<CaptureSink>(b, failClose.count(path) != 0);
}

std::unique_ptr<ByteSource> CapturingFileSystem::OpenRead(const std::string& path) {
    if (hidden && hidden(path)) throw EIoError("hidden: " + path);
    auto it = crafted.find(path);
    if (it != crafted.end()) return BudgetedMemorySource(it->second, readBudget);
    return inner().OpenRead(path);
}

std::string ExtractRun::Craft(const std::string& name, Bytes bytes) {
    std::string path = "C:\\CRAFTED\\" + name;
    fs->crafted[path] = std::move(bytes);
    return path;
}

ExtractRun::ExtractRun() {
    auto f = std::make_unique<CapturingFileSystem>();
    fs = f.get();
    context = std::make_unique<ArchiveContext>(std::move(f), 0);
}

void ExtractRun::Run(TUnBase& x, const std::string& fixture, const std::string& mask, bool storedDirs) {
    x.SetArchiveFile(fixture.rfind("C:\\", 0) == 0 ? fixture : FixturePath(fixture));
    x.SetFileSpec(mask);
    x.SetExtractDir(kOutDir);
    x.UseStoredDirs = storedDirs;
    x.OnError = [this](ArchiveReader&, const std::string& fn, const std::string&, int code) {
        messages.emplace_back(code, fn);
    };
    x.OnEnd = [this](ArchiveReader&, const std::string& fn, bool pass) { crcPass[fn] = pass; };
    try {
        x.Extract();
    } catch (const E_RAISE& e) {
        raised = e.id();
    }
}

std::map<std::string, Bytes> ExtractRun::Files() const {
    std::map<std::string, Bytes> out;
    for (const auto& [path, bytes] : fs->written)
        if (path.rfind(kOutDir, 0) == 0) out[path.substr(kOutDir.size())] = bytes;
    return out;
}

bool ExtractRun::Said(int code) const {
    for (const auto& m : messages)
        if (m.first == code) return true;
    return false;
}

std::map<std::string, Bytes> MadeTree() {
    namespace stdfs = std::filesystem;
    std::string host = FixturePath("extracted/tree");
#ifndef _WIN32
    for (char& c : host)
        if (c == '\\') c = '/';
#endif
    const stdfs::path root(host);
    std::map<std::string, Bytes> tree;
    for (const auto& e : stdfs::recursive_directory_iterator(root)) {
        if (!e.is_regular_file()) continue;
        std::string rel = stdfs::relative(e.path(), root).generic_string();
        for (char& c : rel)
            if (c == '/') c = '\\';
        tree[rel] = ReadFixture("extracted/tree/" + stdfs::relative(e.path(), root).generic_string());
    }
    return tree;
}

}  // namespace kv::arc::test
