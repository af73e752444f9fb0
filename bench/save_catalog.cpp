// Saving a big catalog with one changed disk, against copying its file: the
// unchanged disks and the changed disk's unloaded lists are copied, so a save
// should cost about what a copy does.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <unistd.h>

#include "tests/catalog/CatalogPlan.h"
#include "base/ByteSink.h"
#include "base/ByteSource.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/CatalogModified.h"
#include "catalog/file/CatalogSave.h"

namespace {

using namespace kv;
using namespace kv::test;

constexpr int kDisks = 10;
constexpr int kFolders = 50;
constexpr int kFilesPerFolder = 1000;

std::string TempName(const char* what) {
    return "/tmp/kv_bench_save_" + std::string(what) + "_" + std::to_string(getpid()) + ".ctf";
}

const std::string& SourceFile() {
    static const std::string path = [] {
        CatalogPlan plan;
        plan.name = "Bench";
        for (int d = 0; d < kDisks; ++d) {
            DiskPlan disk;
            disk.start.name = "Disk " + std::to_string(d);
            disk.start.fileSystem = "NTFS";
            for (int f = 0; f < kFolders; ++f) {
                FolderPlan folder;
                folder.name = "Folder " + std::to_string(f);
                for (int i = 0; i < kFilesPerFolder; ++i)
                    folder.files.push_back({"file" + std::to_string(i) + ".dat", {0x20, 1, 2, 3, 4, 0}, ""});
                disk.folders.push_back(std::move(folder));
            }
            plan.disks.push_back(std::move(disk));
        }
        const std::string p = TempName("source");
        std::atexit([] { std::remove(TempName("source").c_str()); });
        FileSink sink(p);
        const auto bytes = BytesOf(plan);
        sink.write(bytes.data(), bytes.size());
        sink.close();
        return p;
    }();
    return path;
}

// What cp does, plus the flush to stable storage that a save also makes.
void BM_CopyFile(benchmark::State& state) {
    const std::string target = TempName("copy");
    const std::string& sourceFile = SourceFile();
    std::vector<std::uint8_t> chunk(1 << 18);
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        FileSource source(sourceFile);
        FileSink sink(target);
        for (std::uint64_t at = 0;;) {
            const std::size_t got = source.readAt(at, chunk.data(), chunk.size());
            if (got == 0) break;
            sink.write(chunk.data(), got);
            at += got;
        }
        sink.close();
        bytes += sink.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    std::remove(target.c_str());
}
BENCHMARK(BM_CopyFile)->Unit(benchmark::kMillisecond);

class NoPrompt : public ui::UserPrompt {
public:
    ui::PromptAnswer ask(const ui::PromptRequest& request) override {
        std::fprintf(stderr, "%s\n", request.text.c_str());
        return ui::cautiousAnswer(request.buttons);
    }
};

class FixedName : public ISaveDialog {
public:
    explicit FixedName(std::string name) : name_(std::move(name)) {}
    std::optional<std::string> askSaveName(const Request&) override { return name_; }

private:
    std::string name_;
};

void BM_SaveOneChangedDisk(benchmark::State& state) {
    const std::string target = TempName("saved");
    const std::string& sourceFile = SourceFile();
    std::unique_ptr<IFileSystem> fs = MakeSystemFileSystem();
    NoPrompt prompt;
    FixedName dialog(target);
    SaveEnvironment env(*fs, prompt, dialog);
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto forest = std::make_unique<Forest>();
        Node* catalog = ReadCatalogFile(*forest, sourceFile);
        Node& disk = *catalog->child(kDisks / 2);
        RecordAs<TDiskRec>(disk.record())->description = "changed";
        SetDiskModified(disk, true);
        state.ResumeTiming();
        if (SaveCatalog(catalog, true, env) != SaveResult::Saved) state.SkipWithError("save failed");
        bytes += fs->FileSize(target).value_or(0);
        state.PauseTiming();
        forest.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    std::remove(target.c_str());
}
BENCHMARK(BM_SaveOneChangedDisk)->Unit(benchmark::kMillisecond);

}  // namespace
