#pragma once
// Font and print dialogs for tests: answer from a script (nothing: cancel) and
// record what each call started with. Calls beyond the script are cancelled.
#include <deque>
#include <optional>
#include <vector>

#include "ui/FontDialog.h"
#include "ui/PrintDialog.h"

namespace kv::ui {

template <class Request, class Answer>
struct DialogScript {
    std::optional<Answer> next(const Request& request) {
        asked.push_back(request);
        if (answers.empty()) return std::nullopt;
        std::optional<Answer> a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<std::optional<Answer>> answers;
    std::vector<Request> asked;
};

class ScriptedFontDialog : public FontDialog, public DialogScript<FontDescription, FontDescription> {
public:
    std::optional<FontDescription> chooseFont(const FontDescription& initial) override { return next(initial); }
};

class ScriptedPrintDialog : public PrintDialog, public DialogScript<PrintRequest, PrintChoice> {
public:
    std::optional<PrintChoice> choosePrinter(const PrintRequest& request) override { return next(request); }
};

}  // namespace kv::ui
