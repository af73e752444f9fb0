#pragma once
// What the command-line tools give the program's save in place of its windows:
// message boxes become lines of text, the Save dialog answers with one name.
#include <optional>
#include <string>

#include "catalog/file/CatalogSave.h"
#include "ui/UserPrompt.h"

namespace kv::tools {

// Answers as a closed box would.
class CollectingPrompt : public ui::UserPrompt {
public:
    explicit CollectingPrompt(std::string& messages) : messages_(messages) {}
    ui::PromptAnswer ask(const ui::PromptRequest& request) override {
        for (char c : request.text)
            messages_ += c == '\r' ? '\n' : c;
        messages_ += '\n';
        return ui::cautiousAnswer(request.buttons);
    }

private:
    std::string& messages_;
};

// The name once; a second question is a Cancel, so a save never loops.
class FixedName : public ISaveDialog {
public:
    explicit FixedName(std::string name) : name_(std::move(name)) {}
    std::optional<std::string> askSaveName(const Request&) override {
        if (asked_)
            return std::nullopt;
        asked_ = true;
        return name_;
    }

private:
    std::string name_;
    bool asked_ = false;
};

}  // namespace kv::tools
