#include "report/EmfPageStoreWin32.h"

#include <cmath>

namespace kv::report {

namespace {

constexpr int kDesignDpi = 96;

int Round(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

EmfPageStore::EmfPageStore(HDC reference, double paperWidth, double paperLength, std::string spillFolder,
                           std::size_t pagesInMemory)
    : reference_(reference),
      width_(paperWidth),
      length_(paperLength),
      spillFolder_(std::move(spillFolder)),
      residency_(pagesInMemory) {}

EmfPageStore::~EmfPageStore() {
    canvas_.End();
    if (recording_)
        DeleteEnhMetaFile(CloseEnhMetaFile(recording_));
    for (Slot& page : pages_) {
        if (page.handle)
            DeleteEnhMetaFile(page.handle);
        if (!page.file.empty())
            DeleteFileA(page.file.c_str());
    }
}

bool EmfPageStore::StartPage(int pageNumber) {
    // The frame in 0.01 mm.
    const RECT frame{0, 0, Round(width_ * 2540 / kDesignDpi), Round(length_ * 2540 / kDesignDpi)};
    const std::string description = std::string("Korvalder?") + '\0' + "Page " + std::to_string(pageNumber) + '\0';
    recording_ = CreateEnhMetaFileA(reference_, nullptr, &frame, description.c_str());
    if (!recording_)
        return false;
    canvas_.Begin(recording_, GetDeviceCaps(reference_, LOGPIXELSX), GetDeviceCaps(reference_, LOGPIXELSY));
    return true;
}

bool EmfPageStore::EndPage(int) {
    canvas_.End();
    HENHMETAFILE page = CloseEnhMetaFile(recording_);
    recording_ = nullptr;
    if (!page)
        return false;
    pages_.push_back({page, {}});
    if (!spillFolder_.empty())
        PutAway(residency_.Use(pages_.size() - 1));
    return true;
}

HENHMETAFILE EmfPageStore::Page(std::size_t index) {
    if (index >= pages_.size())
        return nullptr;
    Slot& page = pages_[index];
    if (!page.handle && !page.file.empty())
        page.handle = GetEnhMetaFileA(page.file.c_str());
    if (page.handle && !spillFolder_.empty())
        PutAway(residency_.Use(index));
    return page.handle;
}

// A page whose file cannot be written stays in memory: nothing is lost.
void EmfPageStore::PutAway(const std::vector<std::size_t>& indexes) {
    for (std::size_t index : indexes) {
        Slot& page = pages_[index];
        if (!page.handle)
            continue;
        if (page.file.empty()) {
            char name[MAX_PATH + 1] = "";
            if (!GetTempFileNameA(spillFolder_.c_str(), "KVP", 0, name))
                continue;
            HENHMETAFILE copy = CopyEnhMetaFileA(page.handle, name);
            if (!copy) {
                DeleteFileA(name);
                continue;
            }
            DeleteEnhMetaFile(copy);
            page.file = name;
        }
        DeleteEnhMetaFile(page.handle);
        page.handle = nullptr;
    }
}

std::size_t EmfPageStore::PagesInMemory() const {
    std::size_t n = 0;
    for (const Slot& page : pages_)
        n += page.handle != nullptr;
    return n;
}

std::size_t EmfPageStore::PagesInFiles() const {
    std::size_t n = 0;
    for (const Slot& page : pages_)
        n += !page.file.empty();
    return n;
}

std::vector<std::string> EmfPageStore::SpillFiles() const {
    std::vector<std::string> files;
    for (const Slot& page : pages_)
        if (!page.file.empty())
            files.push_back(page.file);
    return files;
}

}  // namespace kv::report
