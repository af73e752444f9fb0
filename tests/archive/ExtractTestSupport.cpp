#include "ExtractTestSupport.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "archive/Checksum.h"
#include "base/ByteSink.h"
#include "base/ByteSource.h"
#include "base/DosDateTime.h"

namespace kv::arc::test {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    // Test cases run as parallel processes, so the name must differ between processes too.
    static std::atomic<int> serial{0};
    fs::path p = fs::temp_directory_path() /
                 ("kv-extract-" + std::to_string(std::random_device{}()) + "-" + std::to_string(++serial));
    fs::remove_all(p);
    fs::create_directories(p);
    host_ = p.string();
    win_ = host_;
    for (char& c : win_)
        if (c == '/') c = '\\';
    win_ += '\\';
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    // Read-only members must become writable before Windows lets them go.
    for (const auto& e : fs::recursive_directory_iterator(host_, ec))
        fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(host_, ec);
}

static std::string hostRelative(std::string relative) {
    for (char& c : relative)
        if (c == '\\') c = '/';
    return relative;
}

bool ScratchFolder::Has(const std::string& relative) const {
    std::error_code ec;
    return fs::is_regular_file(fs::path(host_) / hostRelative(relative), ec);
}

Bytes ScratchFolder::Read(const std::string& relative) const {
    return readWholeFile((fs::path(host_) / hostRelative(relative)).string());
}

std::string ScratchFolder::Write(const std::string& relative, const Bytes& bytes) const {
    FileSink sink((fs::path(host_) / hostRelative(relative)).string());
    sink.write(bytes.data(), bytes.size());
    sink.close();
    return win_ + relative;
}

std::vector<std::string> ScratchFolder::Files() const {
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(host_)) {
        if (!e.is_regular_file()) continue;
        std::string r = fs::relative(e.path(), host_).generic_string();
        for (char& c : r)
            if (c == '/') c = '\\';
        out.push_back(r);
    }
    std::sort(out.begin(), out.end());
    return out;
}

void EventLog::Attach(TUnBase& x) {
    auto cut = [this](const std::string& name) {
        return !folder.empty() && name.rfind(folder, 0) == 0 ? name.substr(folder.size()) : name;
    };
    x.OnActivate = [this](ArchiveReader&) { events.push_back("activate"); };
    x.OnDeactivate = [this](ArchiveReader&) { events.push_back("deactivate"); };
    x.OnBegin = [this, cut](ArchiveReader&, const std::string& fn, int, bool&) { events.push_back("begin " + cut(fn)); };
    x.OnEnd = [this, cut](ArchiveReader&, const std::string& fn, bool pass) {
        events.push_back("end " + cut(fn) + (pass ? " ok" : " bad"));
    };
    x.OnError = [this, cut](ArchiveReader&, const std::string& fn, const std::string&, int code) {
        errors.push_back(code);
        events.push_back("error " + std::to_string(code) + " " + cut(fn));
    };
}

int EventLog::Count(const std::string& prefix) const {
    return static_cast<int>(std::count_if(events.begin(), events.end(),
                                          [&](const std::string& e) { return e.rfind(prefix, 0) == 0; }));
}

int RunExtract(TUnBase& extractor) {
    try {
        extractor.Extract();
    } catch (const E_RAISE& e) {
        return e.id();
    }
    return 0;
}

std::vector<ListedMember> ExpectedListing(const std::string& archive) {
    std::ifstream in(std::string(KV_FIXTURES_DIR) + "/archives/" + archive + ".expected");
    std::vector<ListedMember> out;
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream ss(line);
        std::string field;
        while (std::getline(ss, field, '\t')) f.push_back(field);
        if (f.size() < 7) continue;
        out.push_back({f[0], std::stoull(f[1]), f[3], f[4], f[5]});
    }
    return out;
}

std::string DateText(std::uint32_t stamp) {
    auto d = decodeDosDateTime(stamp);
    if (!d) return "?";
    char t[32];
    std::snprintf(t, sizeof t, "%04d-%02d-%02d %02d:%02d:%02d", d->year, d->month, d->day, d->hour, d->minute,
                  d->second);
    return t;
}

std::string CrcText(const Bytes& bytes) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", ~Crc32Update(0xFFFFFFFF, bytes));
    return text;
}

}  // namespace kv::arc::test
