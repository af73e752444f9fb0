// Listing a ZIP and a TAR of 100,000 members each, as a disk scan lists them. The
// archives are written at the first run into a temporary folder (KV_BENCH_DIR, else
// /tmp/kv-bench-archives) and kept there, so that bench/list-archives-vs-tools can
// time unzip -Z1 and tar tf on the same files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/ArcLister.h"
#include "archive/Checksum.h"

namespace {

constexpr int kMembers = 100000;

std::string benchDir() {
    const char* env = std::getenv("KV_BENCH_DIR");
    std::string dir = env ? env : "/tmp/kv-bench-archives";
    std::filesystem::create_directories(dir);
    return dir;
}

std::string memberName(int i) {
    char name[64];
    std::snprintf(name, sizeof name, "folder%03d/member%06d.txt", i % 500, i);
    return name;
}

void put16(std::vector<std::uint8_t>& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

// Stored members of 10 bytes each.
void writeZip(const std::string& path) {
    std::vector<std::uint8_t> file, central;
    const std::string data = "0123456789";
    std::uint32_t crc = ~kv::arc::Crc32Update(0xFFFFFFFF, {reinterpret_cast<const std::uint8_t*>(data.data()), 10});
    for (int i = 0; i < kMembers; ++i) {
        std::string name = memberName(i);
        auto offset = static_cast<std::uint32_t>(file.size());
        put32(file, 0x04034B50);
        put16(file, 10);
        put16(file, 0);
        put16(file, 0);
        put32(file, 0x58216B0F);
        put32(file, crc);
        put32(file, 10);
        put32(file, 10);
        put16(file, static_cast<unsigned>(name.size()));
        put16(file, 0);
        file.insert(file.end(), name.begin(), name.end());
        file.insert(file.end(), data.begin(), data.end());
        put32(central, 0x02014B50);
        put16(central, 20);
        put16(central, 10);
        put16(central, 0);
        put16(central, 0);
        put32(central, 0x58216B0F);
        put32(central, crc);
        put32(central, 10);
        put32(central, 10);
        put16(central, static_cast<unsigned>(name.size()));
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put32(central, 0x20);
        put32(central, offset);
        central.insert(central.end(), name.begin(), name.end());
    }
    auto centralOffset = static_cast<std::uint32_t>(file.size());
    file.insert(file.end(), central.begin(), central.end());
    // More than 65535 members: the counts go into a Zip64 end record.
    auto zip64End = static_cast<std::uint32_t>(file.size());
    put32(file, 0x06064B50);
    put32(file, 44);
    put32(file, 0);
    put16(file, 45);
    put16(file, 45);
    put32(file, 0);
    put32(file, 0);
    put32(file, kMembers);
    put32(file, 0);
    put32(file, kMembers);
    put32(file, 0);
    put32(file, static_cast<std::uint32_t>(central.size()));
    put32(file, 0);
    put32(file, centralOffset);
    put32(file, 0);
    put32(file, 0x07064B50);
    put32(file, 0);
    put32(file, zip64End);
    put32(file, 0);
    put32(file, 1);
    put32(file, 0x06054B50);
    put32(file, 0);
    put16(file, 0xFFFF);
    put16(file, 0xFFFF);
    put32(file, static_cast<std::uint32_t>(central.size()));
    put32(file, centralOffset);
    put16(file, 0);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
}

// Empty ustar members: one 512-byte header each.
void writeTar(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    for (int i = 0; i < kMembers; ++i) {
        char h[512] = {};
        std::string name = memberName(i);
        std::snprintf(h, 100, "%s", name.c_str());
        std::snprintf(h + 100, 8, "%07o", 0644);
        std::snprintf(h + 108, 8, "%07o", 0);
        std::snprintf(h + 116, 8, "%07o", 0);
        std::snprintf(h + 124, 12, "%011o", 0);
        std::snprintf(h + 136, 12, "%011o", 1700000000);
        h[156] = '0';
        std::snprintf(h + 257, 6, "ustar");
        h[263] = '0';
        h[264] = '0';
        unsigned sum = 0;
        for (int k = 0; k < 512; ++k) sum += (k >= 148 && k < 156) ? ' ' : static_cast<unsigned char>(h[k]);
        std::snprintf(h + 148, 8, "%06o", sum);
        std::fwrite(h, 1, 512, f);
    }
    char end[1024] = {};
    std::fwrite(end, 1, sizeof end, f);
    std::fclose(f);
}

std::string archive(const char* name, void (*writer)(const std::string&)) {
    std::string path = benchDir() + "/" + name;
    if (!std::filesystem::exists(path)) writer(path);
    return path;
}

void List(benchmark::State& state, const char* name, void (*writer)(const std::string&)) {
    std::string path = archive(name, writer);
    auto context = kv::arc::ArchiveContext::System();
    kv::arc::TArcLister lister(*context);
    lister.SetArchiveFile(path);
    std::size_t members = 0;
    lister.OnRead = [&members](kv::arc::ArchiveReader&, std::uint64_t, int) { ++members; };
    for (auto _ : state) {
        members = 0;
        lister.Activate();
        benchmark::DoNotOptimize(members);
    }
    if (members != kMembers) state.SkipWithError("wrong member count");
    state.SetItemsProcessed(state.iterations() * kMembers);
}

BENCHMARK_CAPTURE(List, Zip100k, "zip100k.zip", writeZip)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(List, Tar100k, "tar100k.tar", writeTar)->Unit(benchmark::kMillisecond);

}  // namespace
