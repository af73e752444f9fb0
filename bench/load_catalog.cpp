// Opening and loading large catalogs. The generator writes catalogs into /tmp at
// start: one of 1,000,000 files and one with the same disks and folders and 1,000 files.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <malloc.h>
#include <unistd.h>

#include "tests/catalog/CatalogBytes.h"
#include "catalog/file/CatalogLoad.h"

namespace {

using kv::test::CatalogBytes;

// Bytes held by live allocations, for the memory a loaded record costs.
std::atomic<std::size_t> g_allocated{0};

constexpr int kDisks = 10;
constexpr int kTopFolders = 20;
constexpr int kSubfolders = 10;

// Files are spread over the subfolders of every top-level folder.
std::vector<std::uint8_t> MakeCatalog(std::size_t totalFiles) {
    using W = CatalogBytes::Word;
    CatalogBytes b;
    b.head("Bench", "generated").categoryBlock();
    const std::size_t lists = static_cast<std::size_t>(kDisks) * kTopFolders * kSubfolders;
    std::size_t fileNo = 0;
    for (int d = 0; d < kDisks; ++d) {
        const std::size_t sec = b.beginDisk(0x03);
        CatalogBytes::Disk disk;
        disk.name = "Disk " + std::to_string(d);
        disk.fileSystem = "NTFS";
        b.diskStart(disk);
        struct List {
            std::int32_t offset, size;
            std::uint32_t count;
        };
        std::vector<List> folderLists;
        for (int f = 0; f < kTopFolders * kSubfolders; ++f) {
            const std::size_t listNo = static_cast<std::size_t>(d) * kTopFolders * kSubfolders + f;
            const std::size_t count = totalFiles * (listNo + 1) / lists - totalFiles * listNo / lists;
            List l{b.offset(sec), 0, static_cast<std::uint32_t>(count)};
            for (std::size_t i = 0; i < count; ++i, ++fileNo) {
                char name[32];
                std::snprintf(name, sizeof name, "file%07zu.dat", fileNo);
                b.fileRecord(name, {0x20, 1, 2, 3, static_cast<std::uint32_t>(fileNo), 0});
            }
            l.size = b.offset(sec) - l.offset;
            if (count == 0) l = {-1, -1, 0};
            folderLists.push_back(l);
        }
        const std::int32_t tree = b.offset(sec);
        for (int t = 0; t < kTopFolders; ++t) {
            b.folderRecord(0x02, 1, "Top " + std::to_string(t), {-1, -1, 0, 0, kv::FixedSize{}});
            for (int s = 0; s < kSubfolders; ++s) {
                const List& l = folderLists[static_cast<std::size_t>(t * kSubfolders + s)];
                b.folderRecord(0x02, 2, "Sub " + std::to_string(s),
                               {l.offset, l.size, l.count, 2 * l.count, kv::FixedSize{}});
            }
        }
        b.word(sec, W::SectionSize, b.offset(sec)).word(sec, W::FolderTreeOffset, tree);
        b.word(sec, W::RootListOffset, -1).word(sec, W::RootListSize, -1);
    }
    return b.bytes();
}

std::string WriteCatalog(std::size_t files) {
    const std::string path = "/tmp/kv_bench_" + std::to_string(files) + "_" + std::to_string(getpid()) + ".ctf";
    const auto bytes = MakeCatalog(files);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
    std::fclose(f);
    return path;
}

struct Catalogs {
    std::string small = WriteCatalog(1000);
    std::string large = WriteCatalog(1000000);
    ~Catalogs() {
        std::remove(small.c_str());
        std::remove(large.c_str());
    }
};

const Catalogs& Files() {
    static Catalogs catalogs;
    return catalogs;
}

void Open(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        kv::Forest forest;
        benchmark::DoNotOptimize(kv::ReadCatalogFile(forest, path));
    }
}

void BM_OpenSmall(benchmark::State& state) { Open(state, Files().small); }
void BM_OpenLarge(benchmark::State& state) { Open(state, Files().large); }

void BM_LoadEveryFileList(benchmark::State& state) {
    std::size_t records = 0;
    double bytesPerRecord = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto forest = std::make_unique<kv::Forest>();
        kv::Node* catalog = kv::ReadCatalogFile(*forest, Files().large);
        const std::size_t before = g_allocated.load();
        state.ResumeTiming();
        for (const auto& disk : catalog->children()) kv::LoadSubfolders(disk.get(), true, true);
        state.PauseTiming();
        std::size_t n = 0;
        for (const auto& disk : catalog->children())
            for (const auto& top : disk->children())
                for (const auto& sub : top->children())
                    n += static_cast<kv::TFolderRec*>(sub->record())->files.size();
        records += n;
        // Names are 15 bytes each; what is left is the record itself and its share of the block
        // (the folder records made on the way are a few thousand, next to a million files).
        bytesPerRecord = static_cast<double>(g_allocated.load() - before) / static_cast<double>(n) - 15.0;
        forest.reset();
        state.ResumeTiming();
    }
    state.counters["records_per_s"] = benchmark::Counter(static_cast<double>(records), benchmark::Counter::kIsRate);
    state.counters["bytes_per_record_besides_name"] = bytesPerRecord;
    // The 48-byte budget is for the 32-bit program; natively pointers are twice as wide.
    state.counters["sizeof_TFileRec"] = static_cast<double>(sizeof(kv::TFileRec));
}

BENCHMARK(BM_OpenSmall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadEveryFileList)->Unit(benchmark::kMillisecond)->Iterations(3);

// Every form of new and delete goes through these two, so that each block
// malloc hands out is given back by free.
void* Acquire(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    g_allocated += malloc_usable_size(p);
    return p;
}

void Release(void* p) noexcept {
    if (p) g_allocated -= malloc_usable_size(p);
    std::free(p);
}

}  // namespace

void* operator new(std::size_t n) { return Acquire(n); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void* operator new[](std::size_t n) { return Acquire(n); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
