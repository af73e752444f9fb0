// Browsing a large catalog as the main window does: the catalog tree and the
// item list over a generated catalog, a folder of 100,000 files and one of
// 1,000 selected in turn. For each: the file-list load, the time to the first
// paint of the list, to scroll to its end and to sort by each column; then the
// tree items that exist (only expanded nodes get one) beside the nodes loaded.
// Usage: browse_big_folder_bench CATALOG.ctf  (a catalog of tools/make-big-catalogs)
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>

#include "catalog/file/CatalogLoad.h"
#include "catalog/model/ItemRecords.h"
#include "shell/browse/BrowseViewsWin32.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace {

using namespace kv;

double MillisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::size_t CountNodes(const Node& node) {
    std::size_t n = 1;
    for (const auto& child : node.children())
        n += CountNodes(*child);
    return n;
}

Node* ChildNamed(const Node& parent, const std::string& text) {
    for (const auto& child : parent.children())
        if (child->text() == text)
            return child.get();
    return nullptr;
}

struct FolderTimes {
    double load = 0;
    double paint = 0;
    double slowestSort = 0;
    std::string slowestColumn;
};

class Bench {
public:
    explicit Bench(const std::string& path) {
        form_.setBounds(0, 0, 1000, 700);
        form_.createHandle();
        tree_.setBounds(0, 0, 250, 680);
        list_.setBounds(260, 0, 730, 680);
        tree_.create(&form_);
        list_.create(&form_);
        views_.attach();
        form_.show();
        double open = MillisecondsOf([&] { catalog_ = ReadCatalogFile(forest_, path); });
        double shown = MillisecondsOf([&] {
            views_.catalogOpened(*catalog_);
            pump();
        });
        std::printf("open: %.0f ms to read, %.0f ms to show the catalog; %zu tree items, %zu nodes loaded\n", open,
                    shown, views_.tree().itemCount(), CountNodes(*catalog_));
    }

    FolderTimes folder(const std::string& name) {
        FolderTimes t;
        Node* disk = catalog_->child(0);
        Node* node = disk ? ChildNamed(*disk, name) : nullptr;
        if (!node) {
            std::printf("no folder %s on the first disk\n", name.c_str());
            return t;
        }
        const double load = MillisecondsOf([&] { LoadFileList(node); });
        const double paint = MillisecondsOf([&] {
            views_.tree().select(node);
            UpdateWindow(list());
        });
        const auto rows = SendMessageA(list(), LVM_GETITEMCOUNT, 0, 0);
        std::printf("folder %s: %ld rows; list load %.1f ms; select to first paint %.1f ms\n", name.c_str(),
                    static_cast<long>(rows), load, paint);
        t.load = load;
        t.paint = paint;
        views_.list().control().setFocus();
        const double end = MillisecondsOf([&] {
            SendMessageA(list(), WM_KEYDOWN, VK_END, 1);
            SendMessageA(list(), WM_KEYUP, VK_END, 0xC0000001);
            UpdateWindow(list());
        });
        std::printf("  scroll to the end (End key, painted): %.1f ms, top row %ld\n", end,
                    static_cast<long>(SendMessageA(list(), LVM_GETTOPINDEX, 0, 0)));
        const int columns = columnCount();
        for (int col = 0; col < columns; ++col) {
            for (int pass = 0; pass < 2; ++pass) {
                const double ms = MillisecondsOf([&] {
                    headerClick(col);
                    UpdateWindow(list());
                });
                std::printf("  sort by column %d %-11s %s: %8.1f ms\n", col, columnName(col).c_str(),
                            pass == 0 ? "         " : "(reverse)", ms);
                if (ms > t.slowestSort) {
                    t.slowestSort = ms;
                    t.slowestColumn = columnName(col);
                }
            }
        }
        compareKeyedSort();
        std::printf("  tree items now: %zu (nodes loaded: %zu)\n", views_.tree().itemCount(), CountNodes(*catalog_));
        std::fflush(stdout);
        return t;
    }

    // The sort by name of the rows shown, comparing the locale's texts at each
    // step against comparing keys made once per text; both orders must agree.
    void compareKeyedSort() {
        const ItemList rows = views_.browser().items();
        SortParams params = views_.browser().sortParams(0);
        params.reverse = false;
        LocaleCollator locale;
        auto timeSort = [&](const TextCollator& collator, ItemList& list) {
            params.collator = &collator;
            std::atomic<bool> cancel{false};
            return MillisecondsOf([&] { SortListWithCancel(list, ItemComparer(params), cancel); });
        };
        ItemList direct = rows;
        const double compared = timeSort(locale, direct);
        ItemList keyed = rows;
        SortKeyCollator keys(locale);
        const double withKeys = timeSort(keys, keyed);
        std::printf("  sort by name, %zu rows: text compare %.1f ms, sort keys %.1f ms; same order: %s\n", rows.size(),
                    compared, withKeys, direct == keyed ? "yes" : "NO");
    }

    std::size_t treeItems() { return views_.tree().itemCount(); }
    std::size_t nodesLoaded() const { return CountNodes(*catalog_); }
    // The catalog, its disks and every folder the file stores.
    std::size_t nodesStored() const {
        std::size_t n = 1;
        for (const auto& disk : catalog_->children())
            n += 1 + RecordAs<TDiskRec>(disk->record())->volume.folderCount;
        return n;
    }

private:
    HWND list() { return views_.list().control().hwnd(); }
    HWND header() { return reinterpret_cast<HWND>(SendMessageA(list(), LVM_GETHEADER, 0, 0)); }
    int columnCount() { return static_cast<int>(SendMessageA(header(), HDM_GETITEMCOUNT, 0, 0)); }
    std::string columnName(int col) {
        char text[64] = {};
        HDITEMA item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(header(), HDM_GETITEMA, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    // What the list view sends its parent for a click on a header.
    void headerClick(int col) {
        NMLISTVIEW nm{};
        nm.hdr = {list(), static_cast<UINT_PTR>(views_.list().control().id()), LVN_COLUMNCLICK};
        nm.iItem = -1;
        nm.iSubItem = col;
        SendMessageA(form_.hwnd(), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    }
    static void pump() { ui::Application::instance().processMessages(); }

    Forest forest_;
    ItemIcons icons_;
    ui::Form form_;
    ui::TreeView tree_;
    ui::TExtListView list_;
    // A fixed file icon: the bench times the views, not the shell's icon lookup.
    BrowseViewsWin32 views_{forest_, icons_, nullptr, [](std::string_view) { return 0; }, tree_, list_};
    Node* catalog_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: browse_big_folder_bench CATALOG.ctf\n");
        return 2;
    }
    try {
        Bench bench(argv[1]);
        // The first selection also makes the list's columns: a warm-up.
        bench.folder("Thousand");
        const FolderTimes big = bench.folder("Big");
        const FolderTimes small = bench.folder("Thousand");
        const double bound = 2 * small.paint + big.load;
        std::printf("\nfirst paint of 100,000 rows %.1f ms against 2 x %.1f ms (1,000 rows) + %.1f ms (list load) = "
                    "%.1f ms: %s\n",
                    big.paint, small.paint, big.load, bound, big.paint <= bound ? "within" : "over");
        std::printf("slowest sort of 100,000 rows: %s, %.1f ms: %s 1 s\n", big.slowestColumn.c_str(), big.slowestSort,
                    big.slowestSort < 1000 ? "under" : "over");
        std::printf("tree items created: %zu, for %zu nodes loaded of %zu in the catalog (only the children of "
                    "expanded nodes get items)\n",
                    bench.treeItems(), bench.nodesLoaded(), bench.nodesStored());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "browse_big_folder_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
