#pragma once
// The preview's pages: one enhanced metafile per page, recorded against a
// reference device (a printer's information context, or the screen). Only
// the pages used last stay in memory; the others wait in temporary files,
// which go when the store does.
#include <windows.h>

#include <string>
#include <vector>

#include "report/GdiTargetWin32.h"
#include "report/PageResidency.h"

namespace kv::report {

class EmfPageStore : public GdiTarget {
public:
    static constexpr std::size_t kPagesInMemory = 32;

    // paper: the page's size in design pixels. spillFolder: where pages that
    // leave memory are written (empty: every page stays in memory).
    EmfPageStore(HDC reference, double paperWidth, double paperLength, std::string spillFolder = {},
                 std::size_t pagesInMemory = kPagesInMemory);
    ~EmfPageStore() override;
    EmfPageStore(const EmfPageStore&) = delete;
    EmfPageStore& operator=(const EmfPageStore&) = delete;

    bool BeginDoc() override { return true; }
    bool StartPage(int pageNumber) override;
    bool EndPage(int pageNumber) override;
    void EndDoc(bool) override {}

    std::size_t PageCount() const { return pages_.size(); }
    // The page (from 0), read back from its file when it was written out;
    // null when there is no such page or its file cannot be read.
    HENHMETAFILE Page(std::size_t index);
    // Pages held in memory, and those written to files.
    std::size_t PagesInMemory() const;
    std::size_t PagesInFiles() const;
    // The files written so far (for tests).
    std::vector<std::string> SpillFiles() const;

private:
    struct Slot {
        HENHMETAFILE handle = nullptr;
        std::string file;
    };
    void PutAway(const std::vector<std::size_t>& pages);

    HDC reference_;
    double width_, length_;
    std::string spillFolder_;
    HDC recording_ = nullptr;
    std::vector<Slot> pages_;
    PageResidency residency_;
};

}  // namespace kv::report
