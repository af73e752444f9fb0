#pragma once
// A user-prompt service for tests: answers from a script and records every question.
#include <deque>
#include <functional>
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
        if (whileAsked)
            whileAsked(request);
        if (answers.empty()) return cautiousAnswer(request.buttons);
        PromptAnswer a = answers.front();
        answers.pop_front();
        return a;
    }

    // Runs while the question is shown, as the user's other doings would.
    std::function<void(const PromptRequest&)> whileAsked;
    std::deque<PromptAnswer> answers;
    std::vector<PromptRequest> asked;
};

}  // namespace kv::ui
