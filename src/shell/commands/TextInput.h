#pragma once
// Asking the user for one line of text (a catalog's name): the program answers
// with its text input window, tests with a script.
#include <optional>
#include <string>

namespace kv {

struct TextInputRequest {
    std::string caption;
    std::string label;
    std::string text;  // offered
};

class TextInput {
public:
    virtual ~TextInput() = default;
    // The text entered; nothing on Cancel.
    virtual std::optional<std::string> askText(const TextInputRequest& request) = 0;
};

}  // namespace kv
