#pragma once
// A user-prompt service for tests: answers from a script and records every question.
#include <deque>
#include <vector>

#include "ui/UserPrompt.h"

namespace kv::ui {

class ScriptedPrompt : public UserPrompt {
public:
    ScriptedPrompt() = default;
    ScriptedPrompt(std::initializer_list<PromptAnswer> script) : answers(script) {}

    // Questions beyond the script get the cautious answer of their button set.
    PromptAnswer ask(const PromptRequest& request) override {
        asked.push_back(request);
        if (answers.empty()) return cautiousAnswer(request.buttons);
        PromptAnswer a = answers.front();
        answers.pop_front();
        return a;
    }

    std::deque<PromptAnswer> answers;
    std::vector<PromptRequest> asked;
};

}  // namespace kv::ui
