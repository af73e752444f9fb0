#pragma once
// The print dialog as portable code sees it; the program answers with the
// system's common dialog, tests with a script.
#include <optional>
#include <string>

namespace kv::ui {

enum class PrintRange { All, Pages, Selection };

struct PrintRequest {
    int copies = 1;
    bool collate = false;
    // The pages there are; maxPage 0 offers no page range.
    int minPage = 1;
    int maxPage = 0;
    int fromPage = 1;
    int toPage = 1;
    bool allowSelection = false;
};

struct PrintChoice {
    std::string printer;
    int copies = 1;
    // Collated: the caller prints whole copies one after another.
    bool collate = false;
    PrintRange range = PrintRange::All;
    int fromPage = 1;
    int toPage = 1;
};

class PrintDialog {
public:
    virtual ~PrintDialog() = default;
    // The printer and what to print, or nothing when cancelled or when no
    // printer is installed.
    virtual std::optional<PrintChoice> choosePrinter(const PrintRequest& request) = 0;
};

}  // namespace kv::ui
